// The shared copy loop, on a small registry of its own: what a failing row
// leaves behind, the gauge, the condition, and the same results whatever the
// commit interval.
#include <gtest/gtest.h>

#include "db/copy_loop.h"
#include "db/firebird/error.h"
#include "items_registry.h"
#include "support/fixture.h"
#include "text/text_ops.h"

namespace conversor::testing {
namespace {

class CopyLoopTest : public ConversionTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        ConversionTest::SetUp();
        db.onSource(kItemsSourceTable);
        db.onTarget("CREATE TABLE T_ITEMS (CODE VARCHAR(5) NOT NULL PRIMARY KEY, NAME VARCHAR(10));"
                    "INSERT INTO T_ITEMS VALUES ('OLD', 'left over')");
        ASSERT_TRUE(session.ConectaTalvo());
        ASSERT_TRUE(session.ConectaOrdelio());
        session.setCommitInterval(GetParam());
    }

    CopyLoop items() { return ItemsRegistry(); }
};

TEST_P(CopyLoopTest, AnEmptySourceEmptiesTheTargetQuietly) {
    RegistryResult r = RunCopyLoop(session, items());
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM T_ITEMS"), "0");
    EXPECT_EQ(ui.maximum, 0);
    EXPECT_EQ(ui.progress, 0);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(ui.statuses.back(), "Convertendo Itens...");
    EXPECT_FALSE(r.stopped);
}

TEST_P(CopyLoopTest, AFailingRowKeepsTheRowsBeforeItAndStops) {
    for (int i = 1; i <= 25; ++i)
        db.onSource("INSERT INTO S_ITEMS VALUES (" + std::to_string(i) + ", '" +
                    (i == 20 ? std::string("much too long") : "item " + std::to_string(i)) + "')");
    RegistryResult r = RunCopyLoop(session, items());
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM T_ITEMS"), "19");
    EXPECT_EQ(db.targetValue("SELECT MAX(CODE) FROM T_ITEMS"), "00019");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "Erro");
    EXPECT_EQ(ui.boxes[0].kind, BoxKind::Error);
    const std::string prefix = "Ocorreu um erro ao converter o seguinte registro para a tabela T_ITEMS\rItem: much too long\rErro: ";
    EXPECT_EQ(ui.boxes[0].text.substr(0, prefix.size()), prefix);
    EXPECT_NE(ui.boxes[0].text.find("string truncation"), std::string::npos) << ui.boxes[0].text;
    EXPECT_EQ(ui.progress, 19);
    EXPECT_EQ(ui.maximum, 25);
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(r.read, 20);
    EXPECT_EQ(r.written, 19);
    EXPECT_FALSE(session.CnOrdelio.inTransaction());
}

TEST_P(CopyLoopTest, ARowThatFailsItsConditionIsCountedButNotWritten) {
    db.onSource("INSERT INTO S_ITEMS VALUES (1, 'one'); INSERT INTO S_ITEMS VALUES (2, ' ');"
                "INSERT INTO S_ITEMS VALUES (3, 'three')");
    CopyLoop loop = items();
    auto bind = loop.bind;
    loop.bind = [bind](Statement& src, Statement& dst) {
        bind(src, dst);
        return !IsBlank(src.field("NAME").asText());
    };
    RegistryResult r = RunCopyLoop(session, loop);
    EXPECT_EQ(db.targetRows("SELECT CODE, NAME FROM T_ITEMS ORDER BY CODE"),
              (Rows{{"00001", "one"}, {"00003", "three"}}));
    EXPECT_EQ(ui.progress, 3);
    EXPECT_EQ(r.written, 2);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_P(CopyLoopTest, AFailureToClearIsReportedAndTheCopyGoesOn) {
    db.onSource("INSERT INTO S_ITEMS VALUES (1, 'one')");
    CopyLoop loop = items();
    loop.clearTables = {"NO_SUCH_TABLE", "T_ITEMS"};
    RunCopyLoop(session, loop);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text.rfind("Ocorreu um erro ao limpar a tabela NO_SUCH_TABLE no banco de dados do Ordelio.\rErro: ", 0), 0u)
        << ui.boxes[0].text;
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM T_ITEMS"), "1");
}

TEST_P(CopyLoopTest, AnErrorOutsideTheRowsLeavesTheLoop) {
    CopyLoop loop = items();
    loop.sourceSql = "SELECT NOPE FROM S_ITEMS";
    EXPECT_THROW(RunCopyLoop(session, loop), DbError);
}

INSTANTIATE_TEST_SUITE_P(CommitInterval, CopyLoopTest, ::testing::Values(1, 7),
                         [](const auto& info) { return "Every" + std::to_string(info.param); });

class TriggersTest : public ConversionTest {
protected:
    std::string states() {
        return db.targetValue(
                   "SELECT RDB$TRIGGER_INACTIVE FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = 'COMPCLIE_AI0'") +
               db.targetValue("SELECT RDB$TRIGGER_INACTIVE FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = 'COMPCLIE_AU0'");
    }
};

TEST_F(TriggersTest, SwitchOffAndOn) {
    EXPECT_EQ(states(), "00");
    session.DesativaTriggers();
    EXPECT_EQ(states(), "11");
    session.AtivaTriggers();
    EXPECT_EQ(states(), "00");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(TriggersTest, AFailureIsAWarningWithTheReason) {
    session.CnOrdelio.close();
    session.targetPath = (db.dir() / "gone.fb").string();
    session.CnOrdelio.setDatabase(session.targetPath);
    session.AtivaTriggers();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "Alerta");
    EXPECT_EQ(ui.boxes[0].text.rfind("Erro ao ativar as Triggers: ", 0), 0u);
    EXPECT_NE(ui.boxes[0].text.find("gone.fb"), std::string::npos);
}

}  // namespace
}  // namespace conversor::testing
