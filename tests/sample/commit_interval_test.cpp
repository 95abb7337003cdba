// Committing every 1000 rows instead of every row must not change what the
// target ends up holding, nor what the operator is told, even when rows fail
// in the middle of a registry: a failing row is undone alone and the rows
// before it stay.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "db/firebird/statement.h"
#include "store_helpers.h"

namespace conversor::testing {
namespace {

TEST(CommitInterval, OneAndAThousandRowsPerCommitLeaveTheSameTargetAndBoxes) {
    TempFolder dir;
    const auto store = MakeStore(dir.path(), 300, 2024);
    PlantFailingRows(store.sourcePath);
    const std::string batchedTarget = (dir.path() / "ordelio-batched.fb").string();
    std::filesystem::copy_file(store.targetPath, batchedTarget);

    const ConversionResult perRow = ConvertAll(store.sourcePath, store.targetPath, 1);
    const ConversionResult batched = ConvertAll(store.sourcePath, batchedTarget, 1000);

    ASSERT_EQ(perRow.outcome, RunOutcome::Completed) << Describe(perRow.boxes);
    ASSERT_EQ(batched.outcome, RunOutcome::Completed) << Describe(batched.boxes);
    // The failing rows did fail, each stopping its registry. (The repeated
    // city also doubles the suppliers of that city, through the suppliers'
    // join with the cities, so that registry may stop as well.)
    std::vector<std::string> stopped;
    for (const RegistryResult& r : perRow.summary.registries)
        if (r.stopped) stopped.push_back(r.name);
    for (const char* name : {"cidades", "produtos", "documentospagar"})
        EXPECT_NE(std::find(stopped.begin(), stopped.end(), name), stopped.end()) << name << "\n" << Describe(perRow.boxes);

    ASSERT_EQ(perRow.boxes.size(), batched.boxes.size()) << Describe(perRow.boxes) << "---\n" << Describe(batched.boxes);
    for (std::size_t i = 0; i < perRow.boxes.size(); ++i) {
        EXPECT_EQ(perRow.boxes[i].kind, batched.boxes[i].kind) << i;
        EXPECT_EQ(perRow.boxes[i].caption, batched.boxes[i].caption) << i;
        EXPECT_EQ(perRow.boxes[i].text, batched.boxes[i].text) << i;
    }
    ASSERT_EQ(perRow.summary.registries.size(), batched.summary.registries.size());
    for (std::size_t i = 0; i < perRow.summary.registries.size(); ++i) {
        const RegistryResult &a = perRow.summary.registries[i], &b = batched.summary.registries[i];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.read, b.read) << a.name;
        EXPECT_EQ(a.written, b.written) << a.name;
        EXPECT_EQ(a.stopped, b.stopped) << a.name;
    }

    const DatabaseContents one = ReadContents(store.targetPath, 1);
    const DatabaseContents thousand = ReadContents(batchedTarget, 1);
    ASSERT_EQ(one.size(), thousand.size());
    std::size_t rows = 0;
    for (const auto& [table, content] : one) {
        const auto other = thousand.find(table);
        ASSERT_NE(other, thousand.end()) << table;
        EXPECT_EQ(content.size(), other->second.size()) << table;
        if (content != other->second) {
            // Name the first row that differs rather than dumping both tables.
            for (std::size_t i = 0; i < std::min(content.size(), other->second.size()); ++i)
                if (content[i] != other->second[i]) {
                    ADD_FAILURE() << table << " differs at sorted row " << i << ": " << ::testing::PrintToString(content[i])
                                  << " vs " << ::testing::PrintToString(other->second[i]);
                    break;
                }
        }
        rows += content.size();
    }
    // The comparison covered a store's worth of rows, not empty tables.
    EXPECT_GT(rows, 1200u);
    EXPECT_GT(one.at("CLIENTE").size(), 250u);
    EXPECT_FALSE(one.at("PRODUTO").empty());
    EXPECT_LT(one.at("PRODUTO").size(), 150u);
    EXPECT_FALSE(one.at("DOCUREC").empty());
}

}  // namespace
}  // namespace conversor::testing
