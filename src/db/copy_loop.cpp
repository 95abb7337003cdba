#include "db/copy_loop.h"

#include <algorithm>

#include "db/firebird/error.h"
#include "db/guarded.h"
#include "db/registry_ledger.h"
#include "db/session.h"
#include "db/truncated_columns.h"
#include "text/cp1252.h"

namespace conversor {

std::string RowErrorText(const std::string& table, const std::string& detail, const std::string& reason) {
    return W("Ocorreu um erro ao converter o seguinte registro para a tabela ") + table + "\r" + detail + "\r" +
           W("Erro: ") + reason;
}

std::function<std::string(Statement&)> NamedBy(std::string label, std::string column) {
    return [label = std::move(label), column = std::move(column)](Statement& src) {
        return label + ": " + src.field(column).asText();
    };
}

namespace {

void Rollback(Session& s) {
    try {
        s.DesfazTransacao(s.CnOrdelio);
    } catch (const DbError&) {
        // The box names the row's own failure, which is what matters.
    }
}

// The row's reason for the ledger: the server's message, and for a string
// truncation the columns the insert's values did not fit.
std::string FailureReason(Session& s, ColumnWidths& widths, const DbError& e, std::vector<std::string>& columns) {
    std::string reason = e.what();
    if (!IsStringTruncation(e)) return reason;
    try {
        const std::vector<TooLong> tooLong = widths.tooLong(s.CnOrdelio, s.QryOrdelio);
        for (const TooLong& c : tooLong) columns.push_back(c.column);
        if (!tooLong.empty()) reason += " (" + DescribeTooLong(tooLong) + ")";
    } catch (const DbError&) {
        // Without the widths the server's own words stand alone.
    }
    return reason;
}

// The target columns whose values the statement's bindings cut to fit.
std::vector<std::string> CutColumns(const Statement& st) {
    std::vector<std::string> cut;
    for (const Parameter& p : st.params())
        if (p.wasCut()) cut.push_back(p.name());
    return cut;
}

// A further row's reason names its table.
std::string FurtherReason(const FurtherRow& row, const std::string& reason) { return row.table + ": " + reason; }

// The further rows of a row just committed, each in a transaction and trap
// of its own: a failure shows its box and the next is still written; the row
// stays in the target, but counts as failed.
void WriteFurtherRows(Session& s, const CopyLoop& loop, Statement& src, ColumnWidths& widths, RegistryLedger& ledger) {
    std::string reasons;
    std::vector<std::string> columns;
    for (const FurtherRow& further : loop.furtherRows) {
        try {
            ExecutaNaTransacao(s, further.insertSql, [&] { further.bind(src, s.QryOrdelio); });
        } catch (const DbError& e) {
            Rollback(s);
            const std::string reason = s.ledger ? FailureReason(s, widths, e, columns) : std::string(e.what());
            reasons += (reasons.empty() ? "" : "; ") + FurtherReason(further, reason);
            s.error(further.failureText(src) + e.what());
        }
    }
    if (!reasons.empty()) ledger.writtenRowFailed(src, std::move(reasons), std::move(columns));
}

std::string MoreFailures(long long more) {
    return more == 1 ? W("Mais 1 registro não foi convertido por erro.")
                     : W("Mais ") + std::to_string(more) + W(" registros não foram convertidos por erro.");
}

}  // namespace

RegistryResult RunCopyLoop(Session& s, const CopyLoop& loop) {
    if (s.planning) {
        RegistryResult planned;
        planned.name = loop.registry;
        PlanCopyLoop(s, loop);
        return planned;
    }
    RegistryLedger ledger(s, loop);
    RegistryResult& result = ledger.result();
    // Registries before this one may have rewritten what the lookups read.
    s.lookups.clear();

    s.setStatus(loop.statusText);
    s.processEvents();

    auto clear = [&] {
        if (loop.customClear) loop.customClear();
        else
            for (const std::string& table : loop.clearTables) s.LimpaTabela(table);
    };
    auto openSource = [&] {
        s.qryTalvo.close();
        s.qryTalvo.clearText();
        s.qryTalvo.setText(loop.sourceSql);
        if (loop.bindSource) loop.bindSource(s.qryTalvo);
        s.qryTalvo.open();
    };
    if (loop.clearBeforeSource) {
        clear();
        openSource();
    } else {
        openSource();
        clear();
    }

    // Further rows take QryOrdelio too, so the insert is then set for every row.
    const bool insertPerRow = loop.insertPerRow || !loop.furtherRows.empty();
    // Going on past failing rows, they are written in the row's transaction.
    const bool furtherInRow = s.keepGoing && !loop.furtherRows.empty();
    s.QryOrdelio.clearText();
    if (!insertPerRow) s.QryOrdelio.setText(loop.insertSql);

    const long long selected = s.qryTalvo.rowCount();
    s.resetGauge(selected);
    s.processEvents();

    Statement& src = s.qryTalvo;
    ColumnWidths widths;
    std::string firstFailure;      // the box of the first failing row, when going on past it
    bool transactionCarried = false;  // a skipped row left its transaction for the next
    while (!src.eof()) {
        if (s.stopping()) break;  // a row boundary: the rows before are done
        ++result.read;
        bool wrote = false;
        const FurtherRow* writing = nullptr;  // the further row on its way in the row's transaction
        try {
            if (loop.beforeRow) loop.beforeRow(src);
            s.AbreTransacao(s.CnOrdelio);
            if (insertPerRow) {
                s.QryOrdelio.clearText();
                s.QryOrdelio.setText(loop.insertSql);
            }
            const RowDecision row = loop.bind(src, s.QryOrdelio);
            std::vector<std::string> cut;
            if (row.kind == RowDecision::Kind::Write) {
                if (furtherInRow) {
                    s.QryOrdelio.execute();
                    cut = CutColumns(s.QryOrdelio);
                    for (const FurtherRow& further : loop.furtherRows) {
                        writing = &further;
                        s.QryOrdelio.close();
                        s.QryOrdelio.clearText();
                        s.QryOrdelio.setText(further.insertSql);
                        further.bind(src, s.QryOrdelio);
                        if (&further == &loop.furtherRows.back()) s.executeLastWrite(s.QryOrdelio);
                        else s.QryOrdelio.execute();
                    }
                    writing = nullptr;
                } else {
                    s.executeLastWrite(s.QryOrdelio);
                    cut = CutColumns(s.QryOrdelio);
                }
            }
            transactionCarried = row.kind == RowDecision::Kind::SkipKeepingTransaction;
            if (!transactionCarried) {
                s.QryOrdelio.close();
                s.ConfirmaTransacao(s.CnOrdelio);
            }
            wrote = row.kind == RowDecision::Kind::Write;
            if (wrote) ledger.written(src, std::move(cut));
            else ledger.record(src, RowOutcome::Skipped, row.reason);
            s.stepGauge();
            s.processEvents();
        } catch (const DbError& e) {
            // Seen before the undo, so that nothing cancels the undo itself.
            const bool stopped = s.stopping();
            Rollback(s);
            transactionCarried = false;
            // The row was cut short by the stop: undone, not reported, and
            // counted among the rows not tried.
            if (stopped) {
                --result.read;
                break;
            }
            std::vector<std::string> columns;
            // The widths are looked up only for whoever keeps the rows.
            std::string reason = s.ledger ? FailureReason(s, widths, e, columns) : std::string(e.what());
            if (writing) reason = FurtherReason(*writing, reason);
            ledger.record(src, RowOutcome::Failed, std::move(reason), std::move(columns));
            const std::string box = writing ? writing->failureText(src) + e.what()
                                            : RowErrorText(loop.targetTable, loop.rowName ? loop.rowName(src) : std::string(),
                                                           e.what());
            if (!s.keepGoing) {
                s.error(box);
                result.stopped = true;
                break;
            }
            if (firstFailure.empty()) firstFailure = box;
            // Going on, a failed row is a row done: the gauge reaches its end
            // and the window stays served through a run of failures.
            s.stepGauge();
            s.processEvents();
            src.next();
            continue;
        }
        if (wrote && !furtherInRow) WriteFurtherRows(s, loop, src, widths, ledger);
        if (loop.afterRow) loop.afterRow(src);
        src.next();
    }
    // The last rows skipped may have left their (empty) transaction open for
    // a next row that never came.
    if (transactionCarried) {
        s.QryOrdelio.close();
        s.ConfirmaTransacao(s.CnOrdelio);
    }
    s.flushBatch();
    if (result.failed > 0 && s.keepGoing && !firstFailure.empty())
        s.error(result.failed == 1 ? firstFailure : firstFailure + "\r" + MoreFailures(result.failed - 1));
    return ledger.finish(selected);
}

}  // namespace conversor
