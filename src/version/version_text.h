#pragma once
// What the programs print for --version.
#include <string>

namespace conversor {

// "conversor-cli 1.0.0\nFirebird client 3.0 (...)\n"
std::string VersionText(const std::string& program);

}  // namespace conversor
