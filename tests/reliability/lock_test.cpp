// Another user of the target holds an uncommitted change on a row the run
// must update, delete or insert. The run waits for it, with no time-out, and
// goes on once that transaction ends: nothing is lost or written twice.
// Proved inside one process (a second attachment released from another
// thread) and through the loopback server (the run is conversor-cli, a
// process of its own).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "db/session.h"
#include "reliability/helpers.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

using namespace std::chrono_literals;

struct LockCase {
    const char* name;
    const char* registry;
    const char* status;      // the registry's status text while it waits
    const char* source;      // fixture rows
    const char* target;
    const char* hold;        // run by the other user and left uncommitted
    const char* waitingSql;  // a fragment of the run's statement that meets the lock
    bool commit;             // how the other user ends
    const char* resultSql;
    Rows expected;
    const char* rowFailure;  // the one row box expected, or nullptr for none
};

// Names the case in test listings.
void PrintTo(const LockCase& c, std::ostream* os) { *os << c.name; }

const char* kAdminTarget = "INSERT INTO CADUSUA (USUARIO, CODEMPRESA) VALUES ('ADMIN', '07')";
const char* kAdminSource = "INSERT INTO EMP001 (EMPCONTADOR, DESCEMPRESA) VALUES (1, 'MATRIZ')";
const char* kAdminHold = "UPDATE CADUSUA SET CODEMPRESA = '99' WHERE USUARIO = 'ADMIN'";
const char* kCustomerTarget =
    "INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('01000001', 'OLD');"
    "INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('01000002', 'GONE')";
const char* kCustomerSource = "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME) VALUES (1, 1, 'NEW')";
const char* kCustomerHold = "UPDATE CLIENTE SET NOME = 'HELD' WHERE CODCLIENTE = '01000002'";
const char* kCitySource = "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'SOURCE', 'MG')";
const char* kCityHold = "INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00001', 'OTHER USER', 'SP')";

const LockCase kCases[] = {
    {"AdminUpdateAfterCommit", "filiais", "Convertendo Filiais...", kAdminSource, kAdminTarget, kAdminHold,
     "USUARIO = \"ADMIN\"", true, "SELECT USUARIO, CODEMPRESA FROM CADUSUA", {{"ADMIN", ""}}, nullptr},
    {"AdminUpdateAfterRollback", "filiais", "Convertendo Filiais...", kAdminSource, kAdminTarget, kAdminHold,
     "USUARIO = \"ADMIN\"", false, "SELECT USUARIO, CODEMPRESA FROM CADUSUA", {{"ADMIN", ""}}, nullptr},
    {"CustomerClearingAfterCommit", "clientes", "Convertendo Clientes...", kCustomerSource, kCustomerTarget,
     kCustomerHold, "DELETE FROM CLIENTE", true, "SELECT CODCLIENTE, NOME FROM CLIENTE ORDER BY 1",
     {{"01000001", "NEW"}}, nullptr},
    {"CustomerClearingAfterRollback", "clientes", "Convertendo Clientes...", kCustomerSource, kCustomerTarget,
     kCustomerHold, "DELETE FROM CLIENTE", false, "SELECT CODCLIENTE, NOME FROM CLIENTE ORDER BY 1",
     {{"01000001", "NEW"}}, nullptr},
    // The other user inserts the very key the run is about to write: after
    // its commit the key is taken and the run's row fails with the server's
    // reason; after its rollback the run's row is written.
    {"SameKeyInsertedAndCommitted", "cidades", "Convertendo Cidades...", kCitySource, "", kCityHold,
     "INSERT INTO CIDADES", true, "SELECT CODCIDADE, CIDADE FROM CIDADES", {{"00001", "OTHER USER"}},
     "violation of PRIMARY or UNIQUE KEY"},
    {"SameKeyInsertedAndRolledBack", "cidades", "Convertendo Cidades...", kCitySource, "", kCityHold,
     "INSERT INTO CIDADES", false, "SELECT CODCIDADE, CIDADE FROM CIDADES", {{"00001", "SOURCE"}}, nullptr},
};

std::string CaseName(const ::testing::TestParamInfo<LockCase>& info) { return info.param.name; }

// Records boxes like RecordingOperator and lets another thread read the
// status text shown last.
class WatchedOperator : public RecordingOperator {
public:
    void setStatus(const std::string& text) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            last_ = text;
        }
        RecordingOperator::setStatus(text);
    }
    std::string lastStatus() {
        std::lock_guard<std::mutex> lock(mutex_);
        return last_;
    }

private:
    std::mutex mutex_;
    std::string last_;
};

void Seed(TestDatabases& db, const LockCase& c) {
    if (*c.source) db.onSource(c.source);
    if (*c.target) db.onTarget(c.target);
}

void End(Connection& holder, bool commit) {
    if (commit) holder.commit();
    else holder.rollback();
}

class LockTest : public ::testing::TestWithParam<LockCase> {
protected:
    TestDatabases db;
};

TEST_P(LockTest, TheRunWaitsInProcessAndCarriesOn) {
    const LockCase& c = GetParam();
    Seed(db, c);
    WatchedOperator ui;
    Session session(ui);
    session.sourcePath = db.sourcePath();
    session.targetPath = db.targetPath();

    auto holder = OpenDatabase(db.targetPath(), 1);
    holder->startTransaction();
    holder->executeImmediate(c.hold);

    std::atomic<bool> runEnded{false};
    bool seenWaiting = false, endedBeforeRelease = true;
    std::string statusWhileWaiting;
    std::thread other([&] {
        seenWaiting = SeenWaiting(db.targetPath(), c.waitingSql);
        std::this_thread::sleep_for(300ms);
        endedBeforeRelease = runEnded;
        statusWhileWaiting = ui.lastStatus();
        End(*holder, c.commit);
    });
    const RunOutcome outcome = ExecuteRun(session, Only({c.registry}));
    runEnded = true;
    other.join();

    EXPECT_TRUE(seenWaiting);
    EXPECT_FALSE(endedBeforeRelease);
    EXPECT_EQ(statusWhileWaiting, c.status);
    EXPECT_EQ(outcome, RunOutcome::Completed);
    std::vector<std::string> expectedBoxes;
    if (c.rowFailure) expectedBoxes.push_back("row failure");
    expectedBoxes.push_back(W("Conversão de dados finalizada."));
    std::vector<std::string> boxes = ui.boxTexts();
    if (c.rowFailure && !boxes.empty() && boxes[0].find(c.rowFailure) != std::string::npos) boxes[0] = "row failure";
    EXPECT_EQ(boxes, expectedBoxes);
    EXPECT_EQ(db.targetRows(c.resultSql), c.expected);
    EXPECT_EQ(TriggerStates(db.target()), "00");
}

TEST_P(LockTest, TheCommandLineWaitsThroughTheServer) {
    const std::string host = ServerHost();
    if (host.empty()) GTEST_SKIP() << "no Firebird server (CONVERSOR_SERVER is not set)";
    const LockCase& c = GetParam();
    Seed(db, c);
    db.closeConnections();
    ShareWithServer(db);
    const std::string source = host + ":" + db.sourcePath(), target = host + ":" + db.targetPath();

    auto holder = OpenDatabase(target, 1);
    holder->startTransaction();
    holder->executeImmediate(c.hold);

    CliProcess cli(db, {"--yes", "--only", c.registry, "--source", source, "--target", target});
    const bool seenWaiting = SeenWaiting(target, c.waitingSql);
    std::this_thread::sleep_for(300ms);
    const bool runningBeforeRelease = cli.running();
    End(*holder, c.commit);
    const int status = cli.wait();

    EXPECT_TRUE(seenWaiting);
    EXPECT_TRUE(runningBeforeRelease);
    EXPECT_EQ(status, c.rowFailure ? 1 : 0) << cli.err();
    if (c.rowFailure) {
        EXPECT_NE(cli.err().find(c.rowFailure), std::string::npos) << cli.err();
    }
    auto check = OpenDatabase(target, 1);
    EXPECT_EQ(ReadRows(*check, c.resultSql), c.expected);
    EXPECT_EQ(TriggerStates(*check), "00");
}

INSTANTIATE_TEST_SUITE_P(Reliability, LockTest, ::testing::ValuesIn(kCases), CaseName);

}  // namespace
}  // namespace conversor::testing
