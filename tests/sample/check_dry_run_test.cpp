// The check's dry run on sample stores: both databases hold exactly what
// they held before, row by row, with the same generator values and trigger
// states; and it meets what a real run going on past failing rows then
// meets, registry by registry, box by box, row by row.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/check.h"
#include "sample/sample_store.h"
#include "store_helpers.h"
#include "support/recording_ledger.h"

namespace conversor::testing {
namespace {

CheckedStore Check(const sample::SampleStore& store, int commitInterval) {
    CheckedStore c = CheckAll(store.sourcePath, store.targetPath, nullptr, commitInterval);
    EXPECT_EQ(c.questions, 0) << "a check asks nothing";
    return c;
}

TEST(CheckDryRun, BothDatabasesHoldExactlyWhatTheyHeldBefore) {
    struct Case {
        const char* name;
        bool convertedBefore;  // the target already holds a conversion (generators made, G_NUMORD moved)
        bool planted;          // rows that fail
        int commitInterval;    // the run's choice, which a check does not follow
    };
    for (const Case& c : {Case{"fresh target, clean store", false, false, 1},
                          Case{"converted target, planted failures", true, true, 1000}}) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        const auto store = MakeStore(dir.path(), 120, 5);
        if (c.convertedBefore) {
            ASSERT_EQ(ConvertAll(store.sourcePath, store.targetPath, 1).outcome, RunOutcome::Completed);
        }
        if (c.planted) PlantFailingRows(store.sourcePath);
        const DatabaseContents source = ReadContents(store.sourcePath, 3);
        const DatabaseContents target = ReadContents(store.targetPath, 1);

        const CheckedStore checked = Check(store, c.commitInterval);
        EXPECT_EQ(checked.result.outcome, CheckOutcome::Completed);
        EXPECT_EQ(checked.result.summary.errorBoxes > 0, c.planted) << Describe(checked.boxes);
        // The sample leaves rows out by the registries' rules (customers
        // without a name, documents not open): a check names them.
        EXPECT_EQ(Verdict(checked.result),
                  c.planted || !checked.result.rows.empty() ? CheckVerdict::WouldShowBoxes : CheckVerdict::Clean);
        EXPECT_EQ(checked.result.summary.registries.size(), 20u);

        EXPECT_EQ(FirstDifference(source, ReadContents(store.sourcePath, 3)), "");
        const DatabaseContents after = ReadContents(store.targetPath, 1);
        EXPECT_EQ(FirstDifference(target, after), "");
        EXPECT_EQ(after.count("generator GENORC01"), c.convertedBefore ? 1u : 0u) << "no generator is created";
        if (c.convertedBefore) {
            EXPECT_FALSE(target.at("CLIENTE").empty()) << "the rows the dry run erased are back";
        }
    }
}

TEST(CheckDryRun, MeetsWhatARunGoingOnPastFailingRowsThenMeets) {
    TempFolder dir;
    const auto store = MakeStore(dir.path(), 200, 9);
    PlantFailingRows(store.sourcePath);
    const std::string runTarget = (dir.path() / "ordelio-run.fb").string();
    std::filesystem::copy_file(store.targetPath, runTarget);
    const std::string numOrd = ReadContents(store.targetPath, 1).at("generator G_NUMORD").at(0).at(0);

    const CheckedStore checked = Check(store, 1);
    RecordingLedger ledger;
    const ConversionResult run = ConvertAll(store.sourcePath, runTarget, 1000, &ledger, true);

    ASSERT_EQ(run.outcome, RunOutcome::Completed);
    std::vector<RecordingOperator::Box> runBoxes = run.boxes;
    ASSERT_FALSE(runBoxes.empty());
    runBoxes.pop_back();  // "Conversão de dados finalizada.", which a check does not announce
    ASSERT_GE(runBoxes.size(), 3u) << "the planted rows failed";
    ASSERT_EQ(checked.boxes.size(), runBoxes.size()) << Describe(checked.boxes) << "---\n" << Describe(runBoxes);
    for (std::size_t i = 0; i < runBoxes.size(); ++i) {
        EXPECT_EQ(checked.boxes[i].caption, runBoxes[i].caption) << i;
        EXPECT_EQ(checked.boxes[i].text, runBoxes[i].text) << i;
    }
    EXPECT_EQ(checked.result.summary.errorBoxes, run.summary.errorBoxes);
    ASSERT_EQ(checked.result.summary.registries.size(), run.summary.registries.size());
    for (std::size_t i = 0; i < run.summary.registries.size(); ++i) {
        const RegistryResult &a = checked.result.summary.registries[i], &b = run.summary.registries[i];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.read, b.read) << a.name;
        EXPECT_EQ(a.written, b.written) << a.name;
        EXPECT_EQ(a.skipped, b.skipped) << a.name;
        EXPECT_EQ(a.failed, b.failed) << a.name;
        EXPECT_EQ(a.notTried, b.notTried) << a.name;
        EXPECT_EQ(a.cut, b.cut) << a.name;
        EXPECT_FALSE(a.stopped) << a.name;
    }
    EXPECT_EQ(RowLines(checked.result.rows), RowLines(ledger.rows));
    // The run numbered from where the generator stood, as the check counted.
    EXPECT_EQ(ReadContents(store.targetPath, 1).at("generator G_NUMORD").at(0).at(0), numOrd);
}

}  // namespace
}  // namespace conversor::testing
