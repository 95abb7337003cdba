#include "db/copy_loop.h"

#include "db/error.h"
#include "db/session.h"
#include "text/cp1252.h"

namespace conversor {

std::string RowErrorText(const std::string& table, const std::string& detail, const std::string& reason) {
    return W("Ocorreu um erro ao converter o seguinte registro para a tabela ") + table + "\r" + detail + "\r" +
           W("Erro: ") + reason;
}

RegistryResult RunCopyLoop(Session& s, const CopyLoop& loop) {
    RegistryResult result;
    result.name = loop.registry;
    if (s.planning) {
        PlanCopyLoop(s, loop);
        return result;
    }
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

    if (loop.gaugeFromRowCount) s.resetGauge(s.qryTalvo.rowCount());
    else s.resetGaugeKeepingMaximum();
    s.processEvents();

    Statement& src = s.qryTalvo;
    while (!src.eof()) {
        ++result.read;
        try {
            if (loop.beforeRow) loop.beforeRow(src);
            s.AbreTransacao(s.CnOrdelio);
            if (loop.insertPerRow) {
                s.QryOrdelio.clearText();
                s.QryOrdelio.setText(loop.insertSql);
            }
            const bool write = loop.bind(src, s.QryOrdelio);
            if (write) s.QryOrdelio.execute();
            if (write || !loop.conditionCoversCommit) {
                s.QryOrdelio.close();
                s.ConfirmaTransacao(s.CnOrdelio);
                if (write) ++result.written;
            }
            s.stepGauge();
            s.processEvents();
        } catch (const DbError& e) {
            try {
                s.DesfazTransacao(s.CnOrdelio);
            } catch (const DbError&) {
            }
            std::string detail = loop.errorDetail ? loop.errorDetail(src)
                                                  : loop.errorLabel + ": " + (loop.errorValue ? loop.errorValue(src) : std::string());
            s.error(RowErrorText(loop.targetTable, detail, e.what()));
            result.stopped = true;
            break;
        }
        if (loop.afterRow) loop.afterRow(src);
        src.next();
    }
    // A skipped last row may have left its (empty) transaction open for a
    // next row that never came.
    if (s.CnOrdelio.inTransaction() && s.commitInterval() == 1) s.ConfirmaTransacao(s.CnOrdelio);
    s.flushBatch();
    s.summary.registries.push_back(result);
    return result;
}

}  // namespace conversor
