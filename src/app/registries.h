#pragma once
// The twenty registries in the order the run converts them; this order is
// fixed and does not follow the layout of the window's check boxes.
#include <array>
#include <string_view>

namespace conversor {

class Session;

struct Registry {
    std::string_view checkBox;  // object name of the window's check box
    std::string_view caption;   // UTF-8, as the window shows it
    std::string_view name;      // command-line name: the check box's name without its prefix, lower case
    void (*convert)(Session&);
};

const std::array<Registry, 20>& Registries();
const Registry* FindRegistry(std::string_view name);

}  // namespace conversor
