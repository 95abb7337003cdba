// Every interface of the client library that a failing call leaves behind is
// released on the way out: the paths below used to keep theirs.
#include <gtest/gtest.h>

#include "db/firebird/error.h"
#include "db/firebird/ref.h"
#include "db/firebird/statement.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

class HandlesTest : public ConversionTest {
protected:
    long live() const { return fb::LiveHandles().load(); }
};

TEST_F(HandlesTest, AFailingParameterBufferLeavesNothingBehind) {
    ConnectionOptions options;
    options.user = std::string(300, 'U');  // longer than a parameter buffer's item may be
    Connection cn(options);
    cn.setDatabase(db.targetPath());
    const long before = live();
    EXPECT_THROW(cn.open(), DbError);
    EXPECT_EQ(live(), before);
    EXPECT_FALSE(cn.isOpen());
}

TEST_F(HandlesTest, AFailedCreationLeavesNothingBehind) {
    const long before = live();
    try {
        Connection::CreateDatabase((db.dir() / "no-such-folder" / "x.fb").string(), 1);
        FAIL() << "the folder does not exist";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("x.fb"), std::string::npos) << e.what();
        EXPECT_NE(e.code(), 0) << "the engine's code travels with the text";
    }
    EXPECT_EQ(live(), before);
}

TEST_F(HandlesTest, ARowCountWhoseFetchFailsLeavesNothingBehind) {
    db.onSource("CREATE TABLE S_ROWS (ID INTEGER); INSERT INTO S_ROWS VALUES (1)");
    // One connection's life around one count; what stays after it is closed
    // must not depend on whether the count failed.
    auto liveAfterCounting = [&](const std::string& text) {
        EXPECT_TRUE(session.ConectaTalvo());
        Statement& q = session.qryTalvo;
        q.setText(text);
        std::string failure;
        try {
            q.open();
            q.rowCount();
        } catch (const DbError& e) {
            failure = e.what();
        }
        q.close();
        session.CnTalvo.close();
        return std::make_pair(live(), failure);
    };
    const auto [afterSuccess, noFailure] = liveAfterCounting("SELECT ID FROM S_ROWS WHERE ID > 0");
    ASSERT_EQ(noFailure, "");
    // The selection opens; counting it evaluates the condition and fails.
    const auto [afterFailure, failure] =
        liveAfterCounting("SELECT ID FROM S_ROWS WHERE 1 / (ID - ID) = 1 OR ID > 0");
    EXPECT_NE(failure.find("divide by zero"), std::string::npos) << failure;
    EXPECT_EQ(afterFailure, afterSuccess);
}

TEST_F(HandlesTest, AFailingStatementNamesItselfBesideTheServersText) {
    ASSERT_TRUE(session.ConectaOrdelio());
    Statement& q = session.QryOrdelio;
    q.setText("INSERT INTO NO_SUCH_TABLE (X) VALUES (1)");
    try {
        q.execute();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.statement(), "INSERT INTO NO_SUCH_TABLE (X) VALUES (1)");
        EXPECT_EQ(std::string(e.what()).find("INSERT"), std::string::npos) << "the text stays the server's own";
        EXPECT_NE(e.code(), 0);
    }
}

}  // namespace
}  // namespace conversor::testing
