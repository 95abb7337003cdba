// conversor-cli killed (SIGKILL) in the middle of a large registry: the
// target opens cleanly, holds exactly the rows committed before the kill
// (a contiguous run of codes: whole rows, or whole batches when committing
// every N rows), and a second run
// completes and switches the triggers back on.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <cstdio>
#include <thread>

#include "reliability/helpers.h"
#include "text/text_ops.h"

namespace conversor::testing {
namespace {

constexpr int kCities = 100000;

struct KillCase {
    const char* name;
    int rowsPerCommit;  // --commit-every; 1 is one transaction per row
};

// Names the case in test listings.
void PrintTo(const KillCase& c, std::ostream* os) { *os << c.name; }

const KillCase kCases[] = {{"OneTransactionPerRow", 1}, {"CommitEvery1000Rows", 1000}};

std::string CaseName(const ::testing::TestParamInfo<KillCase>& info) { return info.param.name; }

class KilledRun : public ::testing::TestWithParam<KillCase> {};

TEST_P(KilledRun, TheTargetKeepsEveryCommittedRowAndASecondRunCompletes) {
    const int step = GetParam().rowsPerCommit;
    TestDatabases db;
    FillCities(db.source(), kCities);
    ASSERT_EQ(db.sourceRows("SELECT COUNT(*), MIN(CIDCONTADOR), MAX(CIDCONTADOR) FROM REP004"),
              (Rows{{std::to_string(kCities), "1", std::to_string(kCities)}}));
    db.closeConnections();
    const std::vector<std::string> args{"--yes", "--only", "cidades", "--commit-every", std::to_string(step),
                                        "--source", db.sourcePath(), "--target", db.targetPath()};
    {
        const auto emptySize = std::filesystem::file_size(db.targetPath());
        CliProcess cli(db, args);
        // Killed once the run has written some thousands of rows (the file
        // grows with them), however busy the machine is.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (cli.running() && std::chrono::steady_clock::now() < deadline &&
               std::filesystem::file_size(db.targetPath()) < emptySize + 2 * 1024 * 1024)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(cli.running()) << "the run ended before it could be killed:\n" << cli.err();
        cli.kill(SIGKILL);
        ASSERT_EQ(cli.wait(), -SIGKILL);
    }

    EXPECT_EQ(ValidationErrors(db.targetPath()), "");
    const Rows cities = db.targetRows("SELECT CODCIDADE, CIDADE FROM CIDADES ORDER BY CODCIDADE");
    std::printf("rows committed before the kill: %zu\n", cities.size());
    EXPECT_GT(cities.size(), 0u) << "killed before the first row: nothing shows what a kill leaves";
    EXPECT_LT(cities.size(), static_cast<std::size_t>(kCities));
    // The clearing is committed on its own; after it the rows come in whole
    // batches.
    EXPECT_EQ(cities.size() % step, 0u) << "a batch is committed whole or not at all";
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
    EXPECT_EQ(ValidationErrors(db.targetPath()), "");
}

INSTANTIATE_TEST_SUITE_P(Reliability, KilledRun, ::testing::ValuesIn(kCases), CaseName);

}  // namespace
}  // namespace conversor::testing
