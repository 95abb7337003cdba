// conversor-cli killed (SIGKILL) in the middle of a large registry: the
// target opens cleanly, holds exactly the rows committed before the kill
// (one transaction per row, so a contiguous run of codes), and a second run
// completes and switches the triggers back on.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "reliability/helpers.h"
#include "text/text_ops.h"

namespace conversor::testing {
namespace {

constexpr int kCities = 100000;

// The engine's own validation of every page and record, changing nothing;
// an empty text when the database is sound.
std::string Validate(const std::string& path) {
    const std::string cmd = "gfix -v -full -n -user SYSDBA -password quendalor " + path + " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return "cannot run gfix";
    std::string out;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    const int status = pclose(p);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) out += "\n(gfix exit status " + std::to_string(status) + ")";
    return out;
}

TEST(KilledRun, TheTargetKeepsEveryCommittedRowAndASecondRunCompletes) {
    TestDatabases db;
    FillCities(db.source(), kCities);
    ASSERT_EQ(db.sourceRows("SELECT COUNT(*), MIN(CIDCONTADOR), MAX(CIDCONTADOR) FROM REP004"),
              (Rows{{std::to_string(kCities), "1", std::to_string(kCities)}}));
    db.closeConnections();
    const std::vector<std::string> args{"--yes", "--only", "cidades", "--source", db.sourcePath(),
                                        "--target", db.targetPath()};
    {
        CliProcess cli(db, args);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        ASSERT_TRUE(cli.running()) << "the run ended before it could be killed:\n" << cli.err();
        cli.kill(SIGKILL);
        ASSERT_EQ(cli.wait(), -SIGKILL);
    }

    EXPECT_EQ(Validate(db.targetPath()), "");
    const Rows cities = db.targetRows("SELECT CODCIDADE, CIDADE FROM CIDADES ORDER BY CODCIDADE");
    std::printf("rows committed before the kill: %zu\n", cities.size());
    EXPECT_GT(cities.size(), 0u) << "killed before the first row: nothing shows what a kill leaves";
    EXPECT_LT(cities.size(), static_cast<std::size_t>(kCities));
    for (std::size_t i = 0; i < cities.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        ASSERT_EQ(cities[i], (std::vector<std::string>{StrZero(n, 5), "CIDADE " + n})) << "row " << i;
    }
    // The run had switched the triggers off; nothing switched them back on.
    EXPECT_EQ(TriggerStates(db.target()), "11");

    CliResult again = RunCli(db, args);
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CIDADES"), std::to_string(kCities));
    EXPECT_EQ(TriggerStates(db.target()), "00");
    db.closeConnections();
    EXPECT_EQ(Validate(db.targetPath()), "");
}

}  // namespace
}  // namespace conversor::testing
