// Transaction and savepoint scopes undo whatever they did not keep, on every
// way out of the scope.
#include <gtest/gtest.h>

#include <stdexcept>

#include "db/firebird/error.h"
#include "db/firebird/transaction.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

class TransactionTest : public ConversionTest {
protected:
    void SetUp() override {
        ConversionTest::SetUp();
        db.onTarget("CREATE TABLE T_SCOPE (ID INTEGER)");
        db.closeConnections();
        cn = OpenDatabase(db.targetPath(), 1);
    }
    void insert(int id) { cn->executeImmediate("INSERT INTO T_SCOPE VALUES (" + std::to_string(id) + ")"); }
    std::string ids() {
        std::string out;
        for (const auto& row : ReadRows(*cn, "SELECT ID FROM T_SCOPE ORDER BY ID")) out += row.at(0) + " ";
        return out;
    }
    std::unique_ptr<Connection> cn;
};

TEST_F(TransactionTest, WhatIsNotCommittedIsUndoneWhenTheScopeEndsByAnException) {
    {
        Transaction t(*cn);
        insert(1);
        t.commit();
    }
    EXPECT_THROW(
        {
            Transaction t(*cn);
            insert(2);
            throw std::runtime_error("stop");
        },
        std::runtime_error);
    EXPECT_FALSE(cn->inTransaction());
    EXPECT_EQ(ids(), "1 ");
}

TEST_F(TransactionTest, ASavepointUndoesOnlyWhatCameAfterIt) {
    Transaction t(*cn);
    insert(1);
    {
        Savepoint kept(*cn, "KEPT");
        insert(2);
        kept.release();
    }
    {
        Savepoint undone(*cn, "UNDONE");
        insert(3);
        {
            Savepoint inner(*cn, "NESTED");
            insert(4);
        }  // neither released: undone on the way out
        insert(5);
        undone.rollback();
    }
    try {
        Savepoint failing(*cn, "FAILING");
        insert(6);
        cn->executeImmediate("INSERT INTO NO_SUCH_TABLE VALUES (1)");
    } catch (const DbError&) {
    }
    insert(7);
    t.commit();
    EXPECT_EQ(ids(), "1 2 7 ");
}

TEST_F(TransactionTest, ASavepointNeedsATransaction) {
    EXPECT_THROW(Savepoint(*cn, "NONE"), DbError);
}

}  // namespace
}  // namespace conversor::testing
