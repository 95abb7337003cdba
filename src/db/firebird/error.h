#pragma once
#include <stdexcept>
#include <string>
#include <vector>

namespace conversor {

// Every failure of the database layer. what() is the server's or the client
// library's own message, unchanged: the "reason" the operator is shown. The
// engine's error codes (empty for the layer's own errors) tell kinds of
// failure apart without reading the text; the statement, when known, is the
// one that failed.
class DbError : public std::runtime_error {
public:
    explicit DbError(const std::string& message, std::vector<long> codes = {}, std::string statement = {})
        : std::runtime_error(message), codes_(std::move(codes)), statement_(std::move(statement)) {}

    // The first engine code, 0 when there is none.
    long code() const { return codes_.empty() ? 0 : codes_.front(); }
    const std::vector<long>& codes() const { return codes_; }
    bool has(long code) const {
        for (long c : codes_)
            if (c == code) return true;
        return false;
    }
    const std::string& statement() const { return statement_; }
    void setStatement(std::string statement) { statement_ = std::move(statement); }

private:
    std::vector<long> codes_;
    std::string statement_;
};

}  // namespace conversor
