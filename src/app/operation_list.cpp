#include "app/operation_list.h"

#include "db/firebird/statement.h"
#include "text/text_ops.h"

namespace conversor {

void OperationList::load(Connection& target) {
    if (loaded_) return;
    Statement st(target);
    st.setText("SELECT * FROM CDOPERC WHERE CDOPERC.TPOPERACAO IN(\"" + type_ + "\")");
    st.open();
    std::vector<Operation> rows;
    for (; !st.eof(); st.next()) rows.push_back({st.field("CODOPER").asText(), st.field("DESCRICAO").asText()});
    st.close();
    rows_ = std::move(rows);
    loaded_ = true;
}

const Operation* OperationList::find(const std::string& codOper) const {
    for (const Operation& op : rows_)
        if (op.codOper == codOper) return &op;
    return nullptr;
}

std::optional<std::string> ValidateOperationCode(const OperationList& list, const std::string& typed) {
    if (typed.empty()) return std::string();
    std::string code = StrZero(typed, 3);
    if (!list.find(code)) return std::nullopt;
    return code;
}

}  // namespace conversor
