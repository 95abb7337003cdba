#pragma once
// Scopes over a connection's one explicit transaction and its savepoints:
// whatever is neither committed nor released when the scope ends, by a
// return or an exception, is undone.
#include <string>

namespace conversor {

class Connection;

class Transaction {
public:
    explicit Transaction(Connection& cn);  // starts the connection's transaction
    ~Transaction();                        // rolls it back unless committed
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Connection* cn_;
};

// A savepoint inside the connection's explicit transaction.
class Savepoint {
public:
    Savepoint(Connection& cn, std::string name);
    ~Savepoint();  // undoes the work since the savepoint unless released
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;

    void release();   // keeps the work and forgets the savepoint
    void rollback();  // undoes the work since the savepoint and forgets it

private:
    Connection* cn_;
    std::string name_;
};

}  // namespace conversor
