#include "db/run_lock.h"

#include "db/firebird/error.h"
#include "db/firebird/statement.h"

namespace conversor {

namespace {
constexpr const char* kMark = "SELECT RDB$SET_CONTEXT('USER_SESSION', 'CONVERSOR_RUN', '1') FROM RDB$DATABASE";
constexpr const char* kUnmark = "SELECT RDB$SET_CONTEXT('USER_SESSION', 'CONVERSOR_RUN', NULL) FROM RDB$DATABASE";
// A transaction of its own per statement: the monitoring tables are a
// snapshot taken when a transaction first reads them.
constexpr const char* kOtherRuns =
    "SELECT A.MON$REMOTE_PROCESS, A.MON$REMOTE_PID, A.MON$REMOTE_ADDRESS FROM MON$CONTEXT_VARIABLES V "
    "JOIN MON$ATTACHMENTS A ON A.MON$ATTACHMENT_ID = V.MON$ATTACHMENT_ID "
    "WHERE V.MON$VARIABLE_NAME = 'CONVERSOR_RUN' AND V.MON$ATTACHMENT_ID <> CURRENT_CONNECTION";

void runOnce(Statement& st, const char* sql) {
    st.setText(sql);
    st.open();
    st.close();
}

std::string describe(Statement& other) {
    std::string text;
    for (const char* column : {"MON$REMOTE_PROCESS", "MON$REMOTE_PID", "MON$REMOTE_ADDRESS"}) {
        std::string value = other.field(column).asText();
        while (!value.empty() && value.back() == ' ') value.pop_back();
        if (value.empty()) continue;
        if (!text.empty()) text += ' ';
        text += value;
    }
    return text;
}
}  // namespace

RunLock::RunLock(Connection& target) : target_(target) {
    Statement st(target_);
    runOnce(st, kMark);
    try {
        st.setText(kOtherRuns);
        st.open();
        held_ = st.eof();
        if (!held_) otherRun_ = describe(st);
        st.close();
    } catch (const DbError&) {
        unmark();
        throw;
    }
    if (!held_) unmark();
}

void RunLock::unmark() noexcept {
    try {
        Statement st(target_);
        runOnce(st, kUnmark);
    } catch (const std::exception&) {
        // A broken attachment has taken its mark with it.
    }
}

RunLock::~RunLock() {
    if (held_ && target_.isOpen()) unmark();
}

}  // namespace conversor
