#pragma once
// The window keeps the code of the last key pressed as a Windows virtual key
// code, the numbering its handlers test against (Enter 13, Esc 27).
#include <cstdint>

namespace conversor {

inline constexpr std::uint16_t kKeyEnter = 13;
inline constexpr std::uint16_t kKeyEscape = 27;
inline constexpr std::uint16_t kKeyBackspace = 8;

// Windows virtual key code of a Qt key (Qt::Key value); 0 for keys without one.
std::uint16_t WindowsKeyCode(int qtKey);

}  // namespace conversor
