#pragma once
#include <stdexcept>
#include <string>

namespace conversor {

// Every failure of the database layer: the text is the server's or the
// client library's own message, shown to the operator as the "reason".
class DbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace conversor
