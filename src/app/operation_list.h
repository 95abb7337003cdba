#pragma once
// The target's operations of one type (CDOPERC), held in memory for the
// payable ("5") and receivable ("8") selectors. A list keeps the rows of its
// first load for the life of the window, even when another target is chosen.
#include <optional>
#include <string>
#include <vector>

namespace conversor {

class Connection;

struct Operation {
    std::string codOper;    // CODOPER, the list's key
    std::string descricao;  // DESCRICAO, what the drop-down shows
};

class OperationList {
public:
    explicit OperationList(std::string type) : type_(std::move(type)) {}

    // "SELECT * FROM CDOPERC WHERE CDOPERC.TPOPERACAO IN(\"<type>\")" on a
    // temporary statement; does nothing once loaded. Errors reach the caller.
    void load(Connection& target);
    bool loaded() const { return loaded_; }
    const std::vector<Operation>& rows() const { return rows_; }
    const Operation* find(const std::string& codOper) const;  // exact match

private:
    std::string type_;
    bool loaded_ = false;
    std::vector<Operation> rows_;
};

// The code as the selectors validate it: StrZero(text, 3), looked up exactly.
// Empty text is valid and means "no operation".
std::optional<std::string> ValidateOperationCode(const OperationList& list, const std::string& typed);

}  // namespace conversor
