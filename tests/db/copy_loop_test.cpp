// The shared copy loop, on a small registry of its own: what a failing row
// leaves behind, the gauge, the condition, and the same results whatever the
// commit interval.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

#include "db/copy_loop.h"
#include "db/firebird/error.h"
#include "items_registry.h"
#include "db/truncated_columns.h"
#include "support/fixture.h"
#include "support/recording_ledger.h"
#include "text/cp1252.h"
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

    // The items registry with a side table T_SIDE, into which the rows whose
    // code `writes` picks append a row of their own (a lookup's append)
    // before their insert; `then` runs after it, in the row.
    CopyLoop itemsWithSideRows(std::function<bool(long long code)> writes, std::function<void(long long code)> then = {}) {
        db.onTarget("CREATE TABLE T_SIDE (CODE VARCHAR(5) NOT NULL PRIMARY KEY)");
        CopyLoop loop = items();
        loop.bind = [this, writes, then, bind = loop.bind](Statement& src, Statement& dst) {
            const long long code = src.field("CODE").asInt();
            if (writes(code)) {
                Statement& aux = session.qryAuxOrdelio;
                aux.setText("INSERT INTO T_SIDE (CODE) VALUES (:CODE)");
                aux.param("CODE").setText(StrZero(src.field("CODE").asText(), 5));
                aux.execute();
            }
            if (then) then(code);
            return bind(src, dst);
        };
        return loop;
    }
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
        return IsBlank(src.field("NAME").asText()) ? RowDecision::Skip("blank") : RowDecision::Write();
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

// Every source row accounted for: rows 3 (blank, left out by the rule) and 5
// and 8 (too long for NAME) of ten.
class LedgerTest : public CopyLoopTest {
protected:
    void SetUp() override {
        CopyLoopTest::SetUp();
        for (int i = 1; i <= 10; ++i)
            db.onSource("INSERT INTO S_ITEMS VALUES (" + std::to_string(i) + ", '" +
                        (i == 3 ? std::string(" ") : i == 5 || i == 8 ? "much too long" : "item " + std::to_string(i)) + "')");
        session.ledger = &ledger;
    }
    CopyLoop itemsWithRule() {
        CopyLoop loop = items();
        auto bind = loop.bind;
        loop.bind = [bind](Statement& src, Statement& dst) {
            bind(src, dst);
            return IsBlank(src.field("NAME").asText()) ? RowDecision::Skip("sem nome") : RowDecision::Write();
        };
        return loop;
    }
    static void ExpectInvariants(const RegistryResult& r, long long selected) {
        EXPECT_EQ(r.read + r.notTried, selected);
        EXPECT_EQ(r.written + r.skipped + r.failed, r.read);
    }
    RecordingLedger ledger;
};

TEST_P(LedgerTest, TheFirstFailingRowStopsTheRegistryAndTheRestIsNotTried) {
    const RegistryResult r = RunCopyLoop(session, itemsWithRule());
    ExpectInvariants(r, 10);
    EXPECT_EQ(r.read, 5);
    EXPECT_EQ(r.written, 3);
    EXPECT_EQ(r.skipped, 1);
    EXPECT_EQ(r.failed, 1);
    EXPECT_EQ(r.notTried, 5);
    EXPECT_TRUE(r.stopped);
    ASSERT_EQ(ledger.rows.size(), 2u);
    const RowRecord& skipped = ledger.rows[0].record;
    EXPECT_EQ(ledger.rows[0].registry, "items");
    EXPECT_EQ(skipped.position, 3);
    EXPECT_EQ(skipped.outcome, RowOutcome::Skipped);
    EXPECT_EQ(skipped.reason, "sem nome");
    EXPECT_EQ(skipped.key, (std::vector<std::pair<std::string, std::string>>{{"CODE", "3"}}));
    const RowRecord& failed = ledger.rows[1].record;
    EXPECT_EQ(failed.position, 5);
    EXPECT_EQ(failed.outcome, RowOutcome::Failed);
    EXPECT_EQ(failed.key, (std::vector<std::pair<std::string, std::string>>{{"CODE", "5"}}));
    // The server's words, then the column and both lengths.
    EXPECT_NE(failed.reason.find("string truncation"), std::string::npos) << failed.reason;
    EXPECT_NE(failed.reason.find("NAME: 13 caracteres para 10"), std::string::npos) << failed.reason;
    EXPECT_EQ(failed.columns, std::vector<std::string>{"NAME"});
    // The box is today's, without the ledger's detail.
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text.find("caracteres para"), std::string::npos);
}

TEST_P(LedgerTest, GoingOnPastFailingRowsWritesEveryOtherRowAndTellsOnceAtTheEnd) {
    session.keepGoing = true;
    const RegistryResult r = RunCopyLoop(session, itemsWithRule());
    ExpectInvariants(r, 10);
    EXPECT_EQ(r.written, 7);
    EXPECT_EQ(r.skipped, 1);
    EXPECT_EQ(r.failed, 2);
    EXPECT_EQ(r.notTried, 0);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(db.targetRows("SELECT CODE FROM T_ITEMS ORDER BY CODE"),
              (Rows{{"00001"}, {"00002"}, {"00004"}, {"00006"}, {"00007"}, {"00009"}, {"00010"}}));
    std::vector<long long> failedAt;
    for (const auto& row : ledger.rows)
        if (row.record.outcome == RowOutcome::Failed) failedAt.push_back(row.record.position);
    EXPECT_EQ(failedAt, (std::vector<long long>{5, 8}));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text.rfind("Ocorreu um erro ao converter o seguinte registro para a tabela T_ITEMS\rItem: much too long\rErro: ", 0), 0u);
    EXPECT_NE(ui.boxes[0].text.find(W("\rMais 1 registro não foi convertido por erro.")), std::string::npos) << ui.boxes[0].text;
    EXPECT_EQ(ui.progress, 10) << "going on, a failed row is a row done";
    EXPECT_FALSE(session.CnOrdelio.inTransaction());
}

// A row's earlier writes (a lookup's append) go with its failing insert,
// while a failing row that wrote nothing else leaves the rows around it
// alone: the even rows append a side row, the odd ones write only theirs.
TEST_P(LedgerTest, AFailingRowTakesItsEarlierWritesAlongAndNothingElse) {
    session.keepGoing = true;
    const CopyLoop loop = itemsWithSideRows([](long long code) { return code % 2 == 0; });
    const RegistryResult r = RunCopyLoop(session, loop);
    EXPECT_EQ(r.written, 8);
    EXPECT_EQ(r.failed, 2);
    EXPECT_EQ(db.targetRows("SELECT CODE FROM T_ITEMS ORDER BY CODE"),
              (Rows{{"00001"}, {"00002"}, {"00003"}, {"00004"}, {"00006"}, {"00007"}, {"00009"}, {"00010"}}));
    EXPECT_EQ(db.targetRows("SELECT CODE FROM T_SIDE ORDER BY CODE"),
              (Rows{{"00002"}, {"00004"}, {"00006"}, {"00010"}}));
    EXPECT_FALSE(session.CnOrdelio.inTransaction());
}

// A check's dry run goes on past failing rows in its one transaction: each
// failing row is still undone alone, with its earlier writes, whatever the
// interval, and the end undoes everything.
TEST_P(LedgerTest, InARehearsalAFailingRowIsUndoneAloneAndTheEndUndoesEverything) {
    session.keepGoing = true;
    const CopyLoop loop = itemsWithSideRows([](long long) { return true; });
    session.beginRehearsal();
    const RegistryResult r = RunCopyLoop(session, loop);
    EXPECT_EQ(r.written, 8);
    EXPECT_EQ(r.failed, 2);
    auto inRehearsal = [&](const std::string& table) {
        Statement& q = session.qryAuxOrdelio;
        q.close();
        q.setText("SELECT LIST(CODE, ',') FROM (SELECT CODE FROM " + table + " ORDER BY CODE)");
        q.open();
        const std::string list = q.field("LIST").asText();
        q.close();
        return list;
    };
    EXPECT_EQ(inRehearsal("T_ITEMS"), "00001,00002,00003,00004,00006,00007,00009,00010");
    EXPECT_EQ(inRehearsal("T_SIDE"), "00001,00002,00003,00004,00006,00007,00009,00010");
    session.endRehearsal();
    EXPECT_EQ(db.targetRows("SELECT CODE, NAME FROM T_ITEMS"), (Rows{{"OLD", "left over"}}));
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM T_SIDE"), "0");
}

TEST_P(LedgerTest, SkippedRowsThatKeepTheirTransactionAreCommittedAtTheEnd) {
    session.keepGoing = true;
    CopyLoop loop = items();
    auto bind = loop.bind;
    // Everything after the second row is left out, keeping the transaction open.
    loop.bind = [bind](Statement& src, Statement& dst) {
        bind(src, dst);
        return src.field("CODE").asInt() > 2 ? RowDecision::SkipKeepingTransaction("depois do segundo")
                                             : RowDecision::Write();
    };
    const RegistryResult r = RunCopyLoop(session, loop);
    EXPECT_EQ(r.written, 2);
    EXPECT_EQ(r.skipped, 8);
    EXPECT_FALSE(session.CnOrdelio.inTransaction());
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM T_ITEMS"), "2");
}

TEST_P(LedgerTest, ValuesCutToFitAreCountedPerColumnForWrittenRows) {
    CopyLoop loop = items();
    loop.bind = [](Statement& src, Statement& dst) {
        dst.param("CODE").setText(StrZero(src.field("CODE").asText(), 5));
        dst.param("NAME").setFirst(src.field("NAME").asText(), 10);
        return src.field("CODE").asInt() == 8 ? RowDecision::Skip("fora") : RowDecision::Write();
    };
    const RegistryResult r = RunCopyLoop(session, loop);
    EXPECT_EQ(r.written, 9);
    EXPECT_EQ(r.cut, (std::map<std::string, long long>{{"NAME", 1}})) << "row 8 was cut too, but not written";
}

INSTANTIATE_TEST_SUITE_P(CommitInterval, LedgerTest, ::testing::Values(1, 7),
                         [](const auto& info) { return "Every" + std::to_string(info.param); });

// A batch the target loses as a whole, at one commit per row and in batches
// of 7: its rows counted as written are not in the target, and count as
// failed with the server's reason. Whatever the fault, every row the
// registry says it wrote is in the target, and every other row read is
// named as failed.
class LostBatchTest : public CopyLoopTest {
protected:
    static constexpr int kRows = 20;
    void SetUp() override {
        CopyLoopTest::SetUp();
        for (int i = 1; i <= kRows; ++i)
            db.onSource("INSERT INTO S_ITEMS VALUES (" + std::to_string(i) + ", 'item " + std::to_string(i) + "')");
        session.ledger = &ledger;
    }
    // The positions the ledger names as failed.
    std::vector<long long> failedAt() const {
        std::vector<long long> out;
        for (const auto& row : ledger.rows)
            if (row.record.outcome == RowOutcome::Failed) out.push_back(row.record.position);
        return out;
    }
    void ExpectHonest(const RegistryResult& r) {
        EXPECT_EQ(r.read + r.notTried, kRows);
        EXPECT_EQ(r.written + r.skipped + r.failed, r.read);
        EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM T_ITEMS"), std::to_string(r.written));
        const std::vector<long long> failed = failedAt();
        EXPECT_EQ(static_cast<long long>(failed.size()), r.failed);
        EXPECT_TRUE(std::is_sorted(failed.begin(), failed.end()));
        for (long long position = 1; position <= r.read; ++position) {
            const bool inTarget = db.targetValue("SELECT COUNT(*) FROM T_ITEMS WHERE CODE = '" +
                                                 StrZero(std::to_string(position), 5) + "'") == "1";
            const bool named = std::find(failed.begin(), failed.end(), position) != failed.end();
            EXPECT_NE(inTarget, named) << "row " << position;
        }
        EXPECT_FALSE(session.CnOrdelio.inTransaction());
    }
    // The rows that share row 10's commit.
    std::vector<long long> batchOfRow10() const {
        const long long first = GetParam() == 1 ? 10 : 8, last = GetParam() == 1 ? 10 : 14;
        std::vector<long long> rows;
        for (long long i = first; i <= last; ++i) rows.push_back(i);
        return rows;
    }
    RecordingLedger ledger;
};

// The engine refuses the commit of any transaction that holds row 10.
TEST_P(LostBatchTest, ACommitTheTargetRefusesLosesTheWholeBatch) {
    db.onTarget("CREATE EXCEPTION E_TEST_COMMIT 'lote recusado';"
                "SET TERM ^;"
                "CREATE TRIGGER T_TEST_COMMIT ON TRANSACTION COMMIT AS BEGIN "
                "IF (EXISTS(SELECT 1 FROM T_ITEMS WHERE CODE = '00010')) THEN EXCEPTION E_TEST_COMMIT; END^"
                "SET TERM ;^");
    // An attachment learns the database's triggers when it is made.
    ASSERT_TRUE(session.ConectaOrdelio());
    const std::vector<long long> lost = batchOfRow10();
    for (bool keepGoing : {false, true}) {
        SCOPED_TRACE(keepGoing ? "going on" : "stopping");
        session.keepGoing = keepGoing;
        session.summary = {};
        ledger.rows.clear();
        ui.boxes.clear();

        const RegistryResult r = RunCopyLoop(session, items());

        ExpectHonest(r);
        EXPECT_EQ(failedAt(), lost);
        for (const auto& row : ledger.rows) EXPECT_NE(row.record.reason.find("lote recusado"), std::string::npos);
        EXPECT_EQ(r.failed, static_cast<long long>(lost.size()));
        ASSERT_EQ(ui.boxes.size(), 1u);
        const std::string named = "Item: item " + std::to_string(lost.back()) + "\rErro: ";
        EXPECT_NE(ui.boxes[0].text.find(named), std::string::npos) << ui.boxes[0].text;
        if (keepGoing) {
            EXPECT_EQ(r.read, kRows);
            EXPECT_FALSE(r.stopped);
            if (lost.size() > 1) {
                EXPECT_NE(ui.boxes[0].text.find(W("\rMais ") + std::to_string(lost.size() - 1) +
                                                W(" registros não foram convertidos por erro.")),
                          std::string::npos)
                    << ui.boxes[0].text;
            }
        } else {
            EXPECT_EQ(r.read, lost.back()) << "the row whose commit failed stops the registry";
            EXPECT_TRUE(r.stopped);
        }
    }
}

// The target's connection is shut down from outside while row 10 is on its
// way: the row has written a side row under its savepoint, which can then no
// longer be undone. Going on, every later row fails too.
TEST_P(LostBatchTest, AConnectionLostInARowLosesTheBatchItsSavepointWasIn) {
    const std::string attachment = ReadRows(session.CnOrdelio, "SELECT CURRENT_CONNECTION FROM RDB$DATABASE").at(0).at(0);
    session.keepGoing = true;
    const CopyLoop loop = itemsWithSideRows([](long long code) { return code % 2 == 0; }, [&](long long code) {
        if (code == 10) db.onTarget("DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = " + attachment);
    });

    const RegistryResult r = RunCopyLoop(session, loop);

    ExpectHonest(r);
    const long long firstLost = batchOfRow10().front();
    EXPECT_EQ(r.written, firstLost - 1);
    EXPECT_EQ(failedAt().front(), firstLost);
    EXPECT_EQ(failedAt().size(), static_cast<std::size_t>(kRows - firstLost + 1));
    EXPECT_EQ(ledger.rows.front().record.key, (std::vector<std::pair<std::string, std::string>>{
                                                  {"CODE", std::to_string(firstLost)}}));
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM T_SIDE"), std::to_string((firstLost - 1) / 2))
        << "the side rows of the lost rows are gone with them";
}

// A stop asked for while row 5 is on its way: before its write, or during
// its one write, which a trigger keeps busy a while.
RegistryResult StopAtRow5(Session& session, bool duringTheWrite) {
    std::thread asker;
    CopyLoop loop = ItemsRegistry();
    auto bind = loop.bind;
    loop.bind = [&, bind](Statement& src, Statement& dst) {
        if (src.field("CODE").asInt() == 5) {
            if (!duringTheWrite) session.stop.request(SIGTERM);
            else
                asker = std::thread([&] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                    session.stop.request(SIGTERM);
                });
        }
        return bind(src, dst);
    };
    const RegistryResult r = RunCopyLoop(session, loop);
    if (asker.joinable()) asker.join();
    return r;
}

class StopInARowTest : public LostBatchTest {
protected:
    void SetUp() override {
        LostBatchTest::SetUp();
        db.onTarget("SET TERM ^;"
                    "CREATE TRIGGER T_TEST_SLOW FOR T_ITEMS BEFORE INSERT AS DECLARE I INTEGER = 0; BEGIN "
                    "IF (NEW.CODE = '00005') THEN WHILE (I < 3000000) DO I = I + 1; END^"
                    "SET TERM ;^");
        ASSERT_TRUE(session.ConectaOrdelio());
    }
};

TEST_P(StopInARowTest, BeforeItsWriteTheRowIsUndoneAndNotTried) {
    const RegistryResult r = StopAtRow5(session, false);
    ExpectHonest(r);
    EXPECT_EQ(r.written, 4);
    EXPECT_EQ(r.notTried, kRows - 4);
    EXPECT_TRUE(ui.boxes.empty());
}

// In a batch the row has no savepoint for its one write, so it cannot be
// undone: the write returned whole, and the row stays counted as written
// instead of being committed with its batch while counted as not tried.
TEST_P(StopInARowTest, DuringItsOneWriteTheWholeRowStaysAndIsCounted) {
    const RegistryResult r = StopAtRow5(session, true);
    ExpectHonest(r);
    EXPECT_EQ(r.written, GetParam() == 1 ? 4 : 5);
    EXPECT_EQ(r.failed, 0);
    EXPECT_TRUE(ui.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(CommitInterval, StopInARowTest, ::testing::Values(1, 7),
                         [](const auto& info) { return "Every" + std::to_string(info.param); });

INSTANTIATE_TEST_SUITE_P(CommitInterval, LostBatchTest, ::testing::Values(1, 7),
                         [](const auto& info) { return "Every" + std::to_string(info.param); });

TEST(ParseInsert, NamesEachColumnsParameter) {
    const InsertColumns c = ParseInsert("INSERT INTO CLASFISC (CODCLASFIS,CODNBM, codigoncm)VALUES (:CODCLASFIS,'x,y', :CODIGONCM)");
    EXPECT_EQ(c.table, "CLASFISC");
    EXPECT_EQ(c.columnParams,
              (std::vector<std::pair<std::string, std::string>>{{"CODCLASFIS", "CODCLASFIS"}, {"CODIGONCM", "CODIGONCM"}}));
    EXPECT_TRUE(ParseInsert("DELETE FROM CLASFISC").table.empty());
    EXPECT_TRUE(ParseInsert("INSERT INTO T (A, B) VALUES (:A)").table.empty());
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
