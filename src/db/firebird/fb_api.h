#pragma once
// Private to the database layer: the Firebird OO API and the translation of
// its exceptions into DbError.
#include <firebird/Interface.h>

#include <string>
#include <vector>

#include "db/firebird/error.h"
#include "db/firebird/ref.h"

namespace conversor::fb {

Firebird::IMaster* Master();
Firebird::IUtil* Util();
std::string Describe(const Firebird::FbException& e);
// The engine's codes of a status vector, in order (the gds codes only).
std::vector<long> Codes(const Firebird::IStatus* status);
// The exception's text and codes as this layer's error.
DbError Error(const Firebird::FbException& e);

template <typename F>
auto Guard(F&& f) -> decltype(f()) {
    try {
        return f();
    } catch (const Firebird::FbException& e) {
        throw Error(e);
    }
}

// Transaction parameters: read committed, record versions, wait on locks.
std::vector<unsigned char> TransactionParameters(bool readOnly);

// Ends a transaction after a failure: rolled back, or, when even that fails,
// released, and the server undoes it when the attachment goes.
void RollbackOrRelease(Firebird::ThrowStatusWrapper& st, Ref<Firebird::ITransaction>& tra);

}  // namespace conversor::fb
