// A connection that must not commit anything (a check's dry run): its
// explicit transaction cannot be committed, a statement run without one
// joins it instead of committing on its own, and definitions are refused.
#include <gtest/gtest.h>

#include "db/firebird/error.h"
#include "db/firebird/statement.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

TEST(NeverCommit, NothingRunOnTheConnectionOutlivesItsRollback) {
    TestDatabases db;
    auto cn = OpenDatabase(db.targetPath(), 1);
    cn->setNeverCommit(true);

    Statement st(*cn);
    st.setText("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00001', 'A', 'MG')");
    st.execute();  // no explicit transaction: it starts one and stays in it
    EXPECT_TRUE(cn->inTransaction());
    EXPECT_THROW(cn->commit(), DbError);
    EXPECT_TRUE(cn->inTransaction()) << "a refused commit leaves the work to be rolled back";

    st.setText("ALTER TRIGGER COMPCLIE_AI0 INACTIVE");
    EXPECT_THROW(st.execute(), DbError);
    st.setText("CREATE GENERATOR G_NEVER");
    EXPECT_THROW(st.execute(), DbError);

    cn->rollback();
    cn->setNeverCommit(false);
    EXPECT_EQ(db.targetRows("SELECT COUNT(*) FROM CIDADES"), (Rows{{"0"}}));
    EXPECT_EQ(db.targetRows("SELECT COUNT(*) FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME = 'G_NEVER'"), (Rows{{"0"}}));
    EXPECT_EQ(db.targetRows("SELECT RDB$TRIGGER_INACTIVE FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = 'COMPCLIE_AI0'"),
              (Rows{{"0"}}));

    // Back to the usual: a statement alone commits itself.
    st.setText("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00002', 'B', 'MG')");
    st.execute();
    EXPECT_FALSE(cn->inTransaction());
    EXPECT_EQ(db.targetRows("SELECT CODCIDADE FROM CIDADES"), (Rows{{"00002"}}));
}

}  // namespace
}  // namespace conversor::testing
