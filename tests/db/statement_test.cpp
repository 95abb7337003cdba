// The database layer against real embedded databases: parameters, reading,
// bytes, errors, transactions and the statement cache.
#include <gtest/gtest.h>

#include "db/firebird/error.h"
#include "db/firebird/statement.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

class StatementTest : public ConversionTest {
protected:
    void SetUp() override {
        ConversionTest::SetUp();
        db.onTarget(
            "CREATE TABLE T_VALUES (ID INTEGER, D DATE, N NUMERIC(15,2), C CHAR(6), V VARCHAR(10), "
            "DB DOUBLE PRECISION, B BLOB SUB_TYPE TEXT)");
        db.onSource("CREATE TABLE S_VALUES (ID INTEGER, N NUMERIC(15,2), C CHAR(6), V VARCHAR(10), D DATE, "
                    "TS TIMESTAMP, DB DOUBLE PRECISION, B BLOB SUB_TYPE TEXT)");
        ASSERT_TRUE(session.ConectaTalvo());
        ASSERT_TRUE(session.ConectaOrdelio());
    }
    Statement& target() { return session.QryOrdelio; }
};

TEST_F(StatementTest, ParametersCarryOverOnlyWhenTheNameReappears) {
    Statement& q = target();
    q.setText("INSERT INTO T_VALUES (ID, V) VALUES (:ID, :V)");
    q.param("ID").setInt(1);
    q.param("V").setText("one");
    q.setText("INSERT INTO T_VALUES (ID, C) VALUES (:ID, :C)");
    EXPECT_EQ(q.param("ID").asText(), "1");
    EXPECT_EQ(q.param("C").kind(), Parameter::Kind::Unset);
    try {
        q.execute();
        FAIL() << "an unset parameter must fail the statement";
    } catch (const DbError& e) {
        EXPECT_STREQ(e.what(), "No value for parameter 'C'");
    }
    q.clearText();
    q.setText("INSERT INTO T_VALUES (ID) VALUES (:ID)");
    EXPECT_EQ(q.param("ID").kind(), Parameter::Kind::Unset) << "clearing the text drops every value";
    EXPECT_THROW(q.param("NOPE"), DbError);
}

TEST_F(StatementTest, EachValueIsConvertedByTheServerToItsColumn) {
    Statement& q = target();
    q.setText("INSERT INTO T_VALUES (ID, D, N, C, V, DB) VALUES (:ID, :D, :N, :C, :V, :DB)");
    q.param("ID").setText("123");
    q.param("D").setText("01.01.1901");
    q.param("N").setDouble(1500.5);
    q.param("C").setInt(42);
    q.param("V").setInt(-7);
    q.param("DB").setText("2.5");
    q.execute();
    q.param("ID").setInt(124);
    q.param("D").setDate(DateTime{DateTime::FromYmd(2030, 12, 31).days, 3600000});
    q.param("N").setInt(42);
    q.param("C").setNull();
    q.param("V").setText("");
    q.param("DB").setDouble(0.1);
    q.execute();
    EXPECT_EQ(db.targetRows("SELECT ID, D, N, C, V, DB FROM T_VALUES ORDER BY ID"),
              (Rows{{"123", "01.01.1901", "1500.5", "42    ", "-7", "2.5"},
                    {"124", "31.12.2030", "42", "", "", "0.1"}}))
        << "a date keeps the day only; an empty text is not a null";
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM T_VALUES WHERE V = '' AND C IS NULL"), "1");
}

TEST_F(StatementTest, ReadsFollowTheNullRulesAndPlainNumbers) {
    db.onSource("INSERT INTO S_VALUES (ID, N, C, V, D, TS, DB) VALUES (1, 1500.50, 'AB', 'x ', '2024-03-01', "
                "'2024-03-01 10:20:30', 1e20);"
                "INSERT INTO S_VALUES (ID, N) VALUES (2, 42.00)");
    Statement& q = session.qryTalvo;
    q.setText("SELECT ID, N, C, V, D, TS, DB, B FROM S_VALUES ORDER BY ID");
    q.open();
    EXPECT_EQ(q.rowCount(), 2);
    EXPECT_EQ(q.field("N").asText(), "1500.5");
    EXPECT_DOUBLE_EQ(q.field("N").asDouble(), 1500.5);
    EXPECT_EQ(q.field("C").asText(), "AB    ") << "fixed-width text keeps its trailing blanks";
    EXPECT_EQ(q.field("V").asText(), "x ");
    EXPECT_EQ(q.field("D").asDateTime(), DateTime::FromYmd(2024, 3, 1));
    EXPECT_EQ(q.field("TS").asDateTime().millis, (10 * 3600 + 20 * 60 + 30) * 1000);
    EXPECT_EQ(q.field("DB").asText(), "100000000000000000000") << "no exponent";
    q.next();
    EXPECT_EQ(q.field("N").asText(), "42");
    EXPECT_EQ(q.field("C").asText(), "");
    EXPECT_EQ(q.field("V").asInt(), 0);
    EXPECT_EQ(q.field("DB").asDouble(), 0.0);
    EXPECT_EQ(q.field("D").asDateTime(), DateTime{}) << "a null date reads as day zero";
    EXPECT_EQ(DateTime{}.toText(false), "30.12.1899");
    EXPECT_EQ(q.field("B").asText(), "");
    EXPECT_THROW(q.field("MISSING"), DbError);
    q.next();
    EXPECT_TRUE(q.eof());
}

TEST_F(StatementTest, DialectOneReadsDoubleQuotesAsText) {
    db.onTarget("INSERT INTO T_VALUES (ID, V) VALUES (1, 'CR')");
    Statement& t = session.qryAuxOrdelio;
    t.setText("SELECT ID FROM T_VALUES WHERE V = \"CR\"");
    t.open();
    EXPECT_EQ(t.field("ID").asText(), "1");
    Statement& s = session.qryAuxTalvo;
    s.setText("SELECT ID FROM S_VALUES WHERE V = \"CR\"");
    EXPECT_THROW(s.open(), DbError) << "in dialect 3 a double-quoted token is a name";
}

TEST_F(StatementTest, BytesPassUnchanged) {
    // Blobs up to a text's size reach the server as texts and longer ones as
    // blobs written from here; either way every byte arrives, and an empty
    // blob stays an empty blob, not a null.
    std::string everyByte;
    for (int c = 1; c < 256; ++c) everyByte += static_cast<char>(c);
    std::string remark(40000, 'r');
    remark[0] = '\xE9';
    const std::vector<std::string> blobs = {"", everyByte, std::string(32765, '\xE7'), std::string(32766, 'x'), remark};
    const std::string text = "\xC0 \xE3\xE7\xF5 ";
    Statement& q = target();
    q.setText("INSERT INTO T_VALUES (ID, V, B) VALUES (:ID, :V, :B)");
    for (std::size_t i = 0; i < blobs.size(); ++i) {
        q.param("ID").setInt(static_cast<long long>(i));
        q.param("V").setText(text);
        q.param("B").setBlob(blobs[i]);
        q.execute();
    }
    Statement& r = session.qryAuxOrdelio;
    r.setText("SELECT V, B, B IS NULL AS NO_BLOB FROM T_VALUES ORDER BY ID");
    r.open();
    for (const std::string& blob : blobs) {
        SCOPED_TRACE(blob.size());
        ASSERT_FALSE(r.eof());
        EXPECT_EQ(r.field("V").asText(), text);
        EXPECT_EQ(r.field("B").asText(), blob);
        EXPECT_EQ(r.field("NO_BLOB").asText(), "False");
        r.next();
    }
}

TEST_F(StatementTest, ErrorsCarryTheServersOwnText) {
    Statement& q = target();
    q.setText("INSERT INTO T_VALUES (ID, V) VALUES (1, :V)");
    q.param("V").setText("longer than ten");
    try {
        q.execute();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("string truncation"), std::string::npos) << e.what();
    }
    q.setText("INSERT INTO NO_SUCH_TABLE (ID) VALUES (1)");
    try {
        q.execute();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("NO_SUCH_TABLE"), std::string::npos) << e.what();
    }
}

TEST_F(StatementTest, TheSameTextIsPreparedOnce) {
    Connection& cn = session.CnOrdelio;
    const long long before = cn.preparesDone();
    for (int i = 0; i < 50; ++i) {
        session.AbreTransacao(cn);
        target().clearText();
        target().setText("INSERT INTO T_VALUES (ID) VALUES (:ID)");
        target().param("ID").setInt(i);
        target().execute();
        session.qryAuxOrdelio.setText("SELECT COUNT(*) AS N FROM T_VALUES WHERE ID = :ID");
        session.qryAuxOrdelio.param("ID").setInt(i);
        session.qryAuxOrdelio.open();
        EXPECT_EQ(session.qryAuxOrdelio.field("N").asInt(), 1);
        session.ConfirmaTransacao(cn);
    }
    EXPECT_EQ(cn.preparesDone() - before, 2);
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM T_VALUES"), "50");
}

TEST_F(StatementTest, TransactionOperationsNeverNest) {
    Connection& cn = session.CnOrdelio;
    session.DesfazTransacao(cn);  // nothing open: nothing happens
    session.AbreTransacao(cn);
    session.AbreTransacao(cn);
    target().setText("INSERT INTO T_VALUES (ID) VALUES (7)");
    target().execute();
    session.ConfirmaTransacao(cn);
    EXPECT_FALSE(cn.inTransaction());
    session.ConfirmaTransacao(cn);
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM T_VALUES"), "1");

    session.AbreTransacao(cn);
    target().execute();
    session.DesfazTransacao(cn);
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM T_VALUES"), "1");
}

TEST_F(StatementTest, TheSourceCannotBeWritten) {
    Statement& q = session.qryAuxTalvo;
    q.setText("INSERT INTO S_VALUES (ID) VALUES (1)");
    EXPECT_THROW(q.execute(), DbError);
    session.AbreTransacao(session.CnTalvo);
    EXPECT_THROW(q.execute(), DbError);
    session.DesfazTransacao(session.CnTalvo);
    EXPECT_EQ(db.sourceRows("SELECT COUNT(*) FROM S_VALUES"), (Rows{{"0"}}));
}

TEST_F(StatementTest, ConnectionFailuresShowTheReason) {
    session.targetPath = (db.dir() / "missing.fb").string();
    EXPECT_FALSE(session.ConectaOrdelio());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "Informa\xE7\xE3o");
    EXPECT_EQ(ui.boxes[0].text.rfind("Imposs\xEDvel conectar ao banco de dados do Ordelio pelo seguinte motivo: \r", 0), 0u);
    EXPECT_NE(ui.boxes[0].text.find("missing.fb"), std::string::npos) << ui.boxes[0].text;
    EXPECT_THROW(session.AbreTransacao(session.CnOrdelio), DbError);
}

}  // namespace
}  // namespace conversor::testing
