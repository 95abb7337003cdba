#include "app/run.h"

#include <chrono>
#include <exception>

#include "app/registries.h"
#include "convert/finance/finance.h"
#include "db/session.h"
#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor {

namespace {
// Step 12: always reached once the connection step has run.
struct TriggersBackOn {
    Session& s;
    ~TriggersBackOn() { s.AtivaTriggers(); }
};
}  // namespace

void ConvertRegistry(Session& s, std::size_t index) {
    const std::size_t recorded = s.summary.registries.size();
    const auto start = std::chrono::steady_clock::now();
    Registries()[index].convert(s);
    s.flushBatch();
    if (s.summary.registries.size() > recorded)
        s.summary.registries.back().seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

RunOutcome ExecuteRun(Session& s, const Ticked& ticked, const RunScreen& screen) {
    if (IsBlank(s.sourcePath)) {
        s.warning(W("Caminho do banco de dados Talvo está vazio."));
        return RunOutcome::EmptySourcePath;
    }
    if (IsBlank(s.targetPath)) {
        s.warning(W("Caminho do banco de dados do Ordelio está vazio."));
        return RunOutcome::EmptyTargetPath;
    }

    s.summary = {};
    const bool targetOpen = s.ConectaOrdelio();
    const bool sourceOpen = s.ConectaTalvo();

    std::string unhandled;
    RunOutcome outcome = RunOutcome::Completed;
    {
        TriggersBackOn step12{s};
        if (!targetOpen || !sourceOpen) return RunOutcome::ConnectionFailed;
        if (!s.ui.confirm(W("Confirmação"),
                          W("A T E N Ç Ã O :\rTodas os dados das tabelas selecionadas serão apagados para a conversão.\r"
                            "Deseja realmente continuar?")))
            return RunOutcome::Refused;

        try {
            if (screen.enable) screen.enable(false);
            s.setStatus("Aguarde!");
            s.DesativaTriggers();
            GravaPrazosPadrao(s);
            s.flushBatch();
            for (std::size_t i = 0; i < ticked.size(); ++i)
                if (ticked[i]) ConvertRegistry(s, i);
            s.setStatus("");
            s.resetGaugeKeepingMaximum();
            s.ui.finished(W("Conversão de dados finalizada."), s.summary);
            if (screen.enable) screen.enable(true);
            if (screen.reset) screen.reset();
        } catch (const std::exception& e) {
            // Whatever a converter left half-done is not committed.
            try {
                s.DesfazTransacao(s.CnOrdelio);
            } catch (const std::exception&) {
            }
            unhandled = e.what();
            outcome = RunOutcome::Aborted;
        }
    }
    if (outcome == RunOutcome::Aborted) {
        if (unhandled.empty() || unhandled.back() != '.') unhandled += '.';
        s.box(BoxKind::Error, kProgramTitle, unhandled);
    }
    return outcome;
}

}  // namespace conversor
