#pragma once
// Every text exchanged with either database is Windows-1252. Messages written
// in this program's sources are UTF-8 and are converted once, where they are
// composed; the front ends decode what they show.
#include <string>
#include <string_view>

namespace conversor {

// UTF-8 -> Windows-1252; a character without a Windows-1252 byte becomes '?'.
std::string W(std::string_view utf8);
// Windows-1252 -> UTF-8; the five unassigned bytes map to U+FFFD.
std::string ToUtf8(std::string_view cp1252);

}  // namespace conversor
