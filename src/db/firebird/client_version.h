#pragma once
// The version of the Firebird client library this process loaded.
#include <string>

namespace conversor {

// "3.0.11.33637": major and minor from the interface, release and build from
// the library's own text; "3.0" when that text has another form.
std::string FirebirdClientVersion();

}  // namespace conversor
