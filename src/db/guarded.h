#pragma once
// The writes made beside the copy loop (table clearing, standard terms,
// default document types, branch start-up rows, generators, a product's stock
// row): each runs in a trap of its own that rolls back and reports with its
// own text, and the caller carries on.
#include <functional>
#include <string>
#include <string_view>

namespace conversor {

class Session;

// Runs work; on a DbError rolls the target's transaction back and shows an
// error box with failureText followed by the reason. True when work succeeded.
bool RunGuarded(Session& s, const std::string& failureText, const std::function<void()>& work);

// One statement on QryOrdelio in a transaction of its own, committed at once;
// when the run commits in batches it joins the batch like a row and is
// committed with it (at the batch's end, the registry's or the run's step's),
// and a failing one is undone alone. bind sets the statement's parameters,
// when it has any.
void ExecutaNaTransacao(Session& s, std::string_view sql, const std::function<void()>& bind = {});

// A table's clearing: a statement on QryOrdelio in a transaction of its own;
// when the run commits in batches it joins the registry's batch under a
// savepoint of its own (so it is committed with the first rows, or undone
// alone) and is not counted as one of the batch's rows.
void ExecutaLimpeza(Session& s, std::string_view sql);

// A definition (a generator created), committed at once. A rehearsal only
// has the server prepare it: a rollback would not cleanly undo it.
void ExecutaDefinicao(Session& s, std::string_view sql);

}  // namespace conversor
