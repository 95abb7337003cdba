// A second conversion started on the same files while one is running (a
// local path opens the file with the engine inside the program, which then
// holds it): the second is refused at the connection step with the engine's
// reason and changes nothing; the first completes as if alone.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "reliability/helpers.h"

namespace conversor::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCities = 100000;

TEST(ConcurrentRun, ASecondRunOnTheSameFilesIsRefusedAndTheFirstCompletes) {
    TestDatabases db;
    FillCities(db.source(), kCities);
    db.closeConnections();
    const std::vector<std::string> args{"--yes", "--only", "cidades", "--source", db.sourcePath(),
                                        "--target", db.targetPath()};
    CliProcess first(db, args);
    bool holding = false;
    for (int i = 0; i < 600 && !holding && first.running(); ++i) {  // at most a minute
        holding = first.hasOpen(db.targetPath()) && first.hasOpen(db.sourcePath());
        if (!holding) std::this_thread::sleep_for(100ms);
    }
    ASSERT_TRUE(holding) << "the first run never held both files:\n" << first.err();

    CliProcess second(db, args);
    EXPECT_EQ(second.wait(), 2) << second.err();
    EXPECT_TRUE(first.running()) << "the first run must outlast the second one for this to show anything";
    const std::string err = second.err();
    EXPECT_EQ(err.rfind("[Informação] Impossível conectar ao banco de dados do Ordelio pelo seguinte motivo: \n", 0), 0u)
        << err;
    EXPECT_NE(err.find("[Informação] Impossível conectar ao banco de dados Talvo pelo seguinte motivo: \n"),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("Database already opened with engine instance"), std::string::npos) << err;
    EXPECT_EQ(second.out(), "");

    EXPECT_EQ(first.wait(), 0) << first.err();
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CIDADES"), std::to_string(kCities));
    EXPECT_EQ(TriggerStates(db.target()), "00");
}

}  // namespace
}  // namespace conversor::testing
