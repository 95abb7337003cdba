// One conversion per target: a second run started while one converts the
// same target refuses before asking anything, changes nothing (the first
// run's switched-off triggers included), and the first ends as it would
// alone. Another user holding the target open is no conversion and stops
// nothing. Shown in one process (the embedded engine sees both runs) and
// through the server, where two programs meet.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "db/session.h"
#include "reliability/helpers.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCities = 2000;

const std::string kRefusal = W("Outra conversão já está em andamento no banco de dados do Ordelio");

// How the runs name the databases: a local path, host:path, or the first
// run through the server and the second by a local path (which the client
// library then takes to the same server).
enum class Road { Embedded, Server, ServerThenLocalPath };

struct RoadCase {
    const char* name;
    Road road;
};

void PrintTo(const RoadCase& c, std::ostream* os) { *os << c.name; }

// Starts a second run when the first begins converting its cities.
class SecondRunOperator : public RecordingOperator {
public:
    std::function<void()> secondRun;
    void setStatus(const std::string& text) override {
        RecordingOperator::setStatus(text);
        if (text == "Convertendo Cidades..." && secondRun) std::exchange(secondRun, nullptr)();
    }
};

class RunLockTest : public ::testing::TestWithParam<RoadCase> {
protected:
    void SetUp() override {
        if (GetParam().road != Road::Embedded && ServerHost().empty())
            GTEST_SKIP() << "no Firebird server (CONVERSOR_SERVER is not set)";
        FillCities(db.source(), kCities);
        db.closeConnections();
        ShareWithServer(db);
    }
    std::string path(const std::string& file, bool first) const {
        const Road road = GetParam().road;
        const bool server = road == Road::Server || (road == Road::ServerThenLocalPath && first);
        return server ? ServerHost() + ":" + file : file;
    }
    void choose(Session& s, bool first) const {
        s.sourcePath = path(db.sourcePath(), first);
        s.targetPath = path(db.targetPath(), first);
    }

    TestDatabases db;
};

TEST_P(RunLockTest, ASecondRunIsRefusedAndTheFirstEndsAsIfAlone) {
    // Another user, as isql or the target system would be, open all along.
    auto otherUser = OpenDatabase(path(db.targetPath(), true), 1);
    ReadRows(*otherUser, "SELECT COUNT(*) FROM CIDADES");

    SecondRunOperator firstUi;
    Session first(firstUi);
    choose(first, true);

    RecordingOperator secondUi;
    RunOutcome secondOutcome{};
    std::string triggersDuringSecond, triggersAfterSecond;
    firstUi.secondRun = [&] {
        Session second(secondUi);
        choose(second, false);
        triggersDuringSecond = TriggerStates(*otherUser);
        secondOutcome = ExecuteRun(second, All());
        triggersAfterSecond = TriggerStates(*otherUser);
    };
    EXPECT_EQ(ExecuteRun(first, Only({"cidades"})), RunOutcome::Completed);

    EXPECT_EQ(secondOutcome, RunOutcome::AlreadyRunning);
    EXPECT_EQ(secondUi.questions, 0);
    ASSERT_EQ(secondUi.boxes.size(), 1u);
    EXPECT_EQ(secondUi.boxes[0].caption, "Alerta");
    EXPECT_EQ(secondUi.boxes[0].text.rfind(kRefusal, 0), 0u) << secondUi.boxes[0].text;
    // The first run's triggers were off, and the second left them so.
    EXPECT_EQ(triggersDuringSecond, "11");
    EXPECT_EQ(triggersAfterSecond, "11");

    EXPECT_EQ(firstUi.boxTexts(), std::vector<std::string>{W("Conversão de dados finalizada.")});
    EXPECT_EQ(ReadRows(*otherUser, "SELECT COUNT(*) FROM CIDADES")[0][0], std::to_string(kCities));
    EXPECT_EQ(TriggerStates(*otherUser), "00");

    // Once the first run has ended, its open connection claims nothing.
    RecordingOperator thirdUi;
    Session third(thirdUi);
    choose(third, false);
    EXPECT_EQ(ExecuteRun(third, Only({"grupos"})), RunOutcome::Completed) << ::testing::PrintToString(thirdUi.boxTexts());
}

const RoadCase kRoads[] = {
    {"Embedded", Road::Embedded}, {"Server", Road::Server}, {"ServerThenLocalPath", Road::ServerThenLocalPath}};

std::string RoadName(const ::testing::TestParamInfo<RoadCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Reliability, RunLockTest, ::testing::ValuesIn(kRoads), RoadName);

// Two command lines on one target through the server, as two operators would
// start them: the second exits 2 and the first completes.
TEST(RunLock, TwoCommandLinesThroughTheServer) {
    const std::string host = ServerHost();
    if (host.empty()) GTEST_SKIP() << "no Firebird server (CONVERSOR_SERVER is not set)";
    TestDatabases db;
    FillCities(db.source(), 20000);
    db.closeConnections();
    ShareWithServer(db);
    const std::string target = host + ":" + db.targetPath();
    const std::vector<std::string> args{"--yes", "--only", "cidades", "--source", host + ":" + db.sourcePath(),
                                        "--target", target};
    CliProcess first(db, args);
    auto monitor = OpenDatabase(target, 1);
    bool marked = false;
    for (int i = 0; i < 600 && !marked && first.running(); ++i) {  // at most a minute
        marked = ReadRows(*monitor, "SELECT COUNT(*) FROM MON$CONTEXT_VARIABLES WHERE MON$VARIABLE_NAME = "
                                    "'CONVERSOR_RUN'")[0][0] == "1";
        if (!marked) std::this_thread::sleep_for(100ms);
    }
    ASSERT_TRUE(marked) << "the first run never claimed the target:\n" << first.err();

    CliProcess second(db, args);
    EXPECT_EQ(second.wait(), 2) << second.err();
    EXPECT_TRUE(first.running()) << "the first run must outlast the second one for this to show anything";
    EXPECT_NE(second.err().find(ToUtf8(kRefusal)), std::string::npos) << second.err();
    EXPECT_EQ(second.out(), "");

    EXPECT_EQ(first.wait(), 0) << first.err();
    EXPECT_EQ(ReadRows(*monitor, "SELECT COUNT(*) FROM CIDADES")[0][0], "20000");
    EXPECT_EQ(TriggerStates(*monitor), "00");
}

}  // namespace
}  // namespace conversor::testing
