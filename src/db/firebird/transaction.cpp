#include "db/firebird/transaction.h"

#include "db/firebird/connection.h"
#include "db/firebird/error.h"

#include <utility>

namespace conversor {

Transaction::Transaction(Connection& cn) : cn_(&cn) { cn.startTransaction(); }

Transaction::~Transaction() {
    if (!cn_ || !cn_->inTransaction()) return;
    try {
        cn_->rollback();
    } catch (const DbError&) {
        // A transaction that cannot be rolled back is dropped with the
        // attachment; the server undoes it.
    }
}

void Transaction::commit() {
    cn_->commit();
    cn_ = nullptr;
}

Savepoint::Savepoint(Connection& cn, std::string name) : cn_(&cn), name_(std::move(name)) {
    if (!cn.inTransaction()) throw DbError("Savepoint " + name_ + " outside a transaction");
    cn.executeImmediate("SAVEPOINT " + name_);
}

Savepoint::~Savepoint() {
    if (!cn_ || !cn_->inTransaction()) return;
    try {
        rollback();
    } catch (const DbError&) {
        // Gone with a broken transaction, which its owner undoes.
    }
}

void Savepoint::release() {
    Connection* cn = std::exchange(cn_, nullptr);
    cn->executeImmediate("RELEASE SAVEPOINT " + name_);
}

void Savepoint::rollback() {
    Connection* cn = std::exchange(cn_, nullptr);
    cn->executeImmediate("ROLLBACK TO SAVEPOINT " + name_);
    cn->executeImmediate("RELEASE SAVEPOINT " + name_);
}

}  // namespace conversor
