#include "db/copy_loop.h"

#include <algorithm>

#include "db/firebird/error.h"
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

// The registry's accounting, recorded in the summary however the loop ends:
// an error it does not handle leaves the registry stopped with what it had
// counted so far.
class RegistryLedger {
public:
    RegistryLedger(Session& s, const CopyLoop& loop) : s_(s), loop_(loop) { result_.name = loop.registry; }
    ~RegistryLedger() {
        if (!finished_) {
            result_.stopped = true;
            s_.summary.registries.push_back(result_);
        }
    }
    RegistryLedger(const RegistryLedger&) = delete;
    RegistryLedger& operator=(const RegistryLedger&) = delete;

    RegistryResult& result() { return result_; }

    void written(const Statement& insert) {
        ++result_.written;
        for (const Parameter& p : insert.params())
            if (p.wasCut()) ++result_.cut[p.name()];
    }

    void record(Statement& src, RowOutcome outcome, std::string reason, std::vector<std::string> columns = {}) {
        (outcome == RowOutcome::Skipped ? result_.skipped : result_.failed)++;
        if (!s_.ledger) return;
        RowRecord row;
        row.position = result_.read;
        for (const std::string& column : loop_.sourceKey) row.key.emplace_back(column, src.field(column).asText());
        row.outcome = outcome;
        row.reason = std::move(reason);
        row.columns = std::move(columns);
        s_.ledger->row(result_.name, row);
    }

    RegistryResult finish(long long selected) {
        if (result_.stopped) result_.notTried = std::max(0LL, selected - result_.read);
        finished_ = true;
        s_.summary.registries.push_back(result_);
        return result_;
    }

private:
    Session& s_;
    const CopyLoop& loop_;
    RegistryResult result_;
    bool finished_ = false;
};

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

    s.QryOrdelio.clearText();
    if (!loop.insertPerRow) s.QryOrdelio.setText(loop.insertSql);

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
        try {
            if (loop.beforeRow) loop.beforeRow(src);
            s.AbreTransacao(s.CnOrdelio);
            if (loop.insertPerRow) {
                s.QryOrdelio.clearText();
                s.QryOrdelio.setText(loop.insertSql);
            }
            const RowDecision row = loop.bind(src, s.QryOrdelio);
            if (row.kind == RowDecision::Kind::Write) s.executeLastWrite(s.QryOrdelio);
            transactionCarried = row.kind == RowDecision::Kind::SkipKeepingTransaction;
            if (!transactionCarried) {
                s.QryOrdelio.close();
                s.ConfirmaTransacao(s.CnOrdelio);
            }
            if (row.kind == RowDecision::Kind::Write) ledger.written(s.QryOrdelio);
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
            ledger.record(src, RowOutcome::Failed, std::move(reason), std::move(columns));
            const std::string detail = loop.rowName ? loop.rowName(src) : std::string();
            if (!s.keepGoing) {
                s.error(RowErrorText(loop.targetTable, detail, e.what()));
                result.stopped = true;
                break;
            }
            if (firstFailure.empty()) firstFailure = RowErrorText(loop.targetTable, detail, e.what());
            // Going on, a failed row is a row done: the gauge reaches its end
            // and the window stays served through a run of failures.
            s.stepGauge();
            s.processEvents();
            src.next();
            continue;
        }
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
    if (result.failed > 0 && s.keepGoing)
        s.error(result.failed == 1 ? firstFailure : firstFailure + "\r" + MoreFailures(result.failed - 1));
    return ledger.finish(selected);
}

}  // namespace conversor
