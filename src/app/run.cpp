#include "app/run.h"

#include <chrono>
#include <exception>
#include <optional>

#include "app/registries.h"
#include "convert/finance/finance.h"
#include "db/firebird/backup.h"
#include "db/firebird/error.h"
#include "db/run_lock.h"
#include "db/session.h"
#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor {

namespace {
// Step 12: always reached once the connection step has run. Nothing is
// cancelled from here on, so a late request to stop cannot keep the triggers
// off.
struct TriggersBackOn {
    Session& s;
    ~TriggersBackOn() {
        s.stop.acknowledge();
        s.AtivaTriggers();
    }
};

// Claims the target for this run before step 12 can run: the triggers of
// another conversion are not this run's to switch. False (reported) when
// another conversion holds it or the engine cannot tell.
bool claimTarget(Session& s, std::optional<RunLock>& lock) {
    try {
        lock.emplace(s.CnOrdelio);
    } catch (const DbError& e) {
        s.box(BoxKind::Exclamation, W("Informação"),
              W("Impossível conectar ao banco de dados do Ordelio pelo seguinte motivo: \r") + e.what());
        return false;
    }
    if (lock->held()) return true;
    std::string text = W("Outra conversão já está em andamento no banco de dados do Ordelio");
    if (!lock->otherRun().empty()) text += " (" + W(lock->otherRun()) + ")";
    s.warning(text + W(".\rNada foi alterado; tente de novo quando ela terminar."));
    return false;
}

bool backUpTarget(Session& s) {
    s.setStatus(W("Fazendo cópia de segurança do Ordelio..."));
    s.processEvents();
    try {
        BackUpDatabase(s.targetPath, s.backupFile, [&s] { s.processEvents(); });
    } catch (const DbError& e) {
        s.error(W("Não foi possível fazer a cópia de segurança do Ordelio em ") + W(s.backupFile) +
                W(".\rNada foi alterado.\rErro: ") + e.what());
        return false;
    }
    s.summary.backupFile = s.backupFile;
    return true;
}

std::string finishedText(const Session& s) {
    std::string text = W("Conversão de dados finalizada.");
    if (s.summary.backupFile.empty()) return text;
    return text + W("\r\rCópia de segurança do Ordelio: ") + W(s.summary.backupFile) + W("\rPara restaurá-la: ") +
           W(RestoreCommand(s.summary.backupFile, s.targetPath));
}

void interrupted(Session& s, std::string_view registry) {
    s.summary.interrupted = true;
    s.summary.interruptedIn = registry;
}
}  // namespace

void ConvertRegistry(Session& s, std::size_t index) {
    // The registry's time is recorded also when an error ends the run inside it.
    struct Timer {
        Session& s;
        std::size_t recorded = s.summary.registries.size();
        std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
        ~Timer() {
            if (s.summary.registries.size() > recorded)
                s.summary.registries.back().seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
    } timer{s};
    Registries()[index].convert(s);
    s.flushBatch();
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
    s.stop.rearm();
    const bool targetOpen = s.ConectaOrdelio();
    const bool sourceOpen = s.ConectaTalvo();
    // Held until after step 12.
    std::optional<RunLock> lock;
    if (targetOpen && !claimTarget(s, lock))
        return lock ? RunOutcome::AlreadyRunning : RunOutcome::ConnectionFailed;

    std::string unhandled;
    RunOutcome outcome = RunOutcome::Completed;
    const Registry* running = nullptr;
    {
        TriggersBackOn step12{s};
        if (!targetOpen || !sourceOpen) return RunOutcome::ConnectionFailed;
        const std::string question = W(
            "A T E N Ç Ã O :\rTodas os dados das tabelas selecionadas serão apagados para a conversão.\r"
            "Deseja realmente continuar?");
        const bool confirmed = s.ui.confirm(W("Confirmação"), question);
        if (s.ledger) s.ledger->question(W("Confirmação"), question, confirmed);
        if (s.stopping()) {
            interrupted(s, {});
            return RunOutcome::Interrupted;
        }
        if (!confirmed) return RunOutcome::Refused;

        try {
            if (screen.enable) screen.enable(false);
            if (!s.backupFile.empty() && !backUpTarget(s)) {
                s.setStatus("");
                if (screen.enable) screen.enable(true);
                return RunOutcome::BackupFailed;
            }
            if (s.stopping()) {
                interrupted(s, {});
                return RunOutcome::Interrupted;
            }
            s.setStatus("Aguarde!");
            s.DesativaTriggers();
            GravaPrazosPadrao(s);
            s.flushBatch();
            if (s.stopping()) interrupted(s, {});
            const auto& registries = Registries();
            for (std::size_t i = 0; i < registries.size() && !s.summary.interrupted; ++i) {
                if (!ticked[i]) continue;
                running = &registries[i];
                ConvertRegistry(s, i);
                if (s.stopping()) interrupted(s, registries[i].name);
            }
            running = nullptr;
            if (s.summary.interrupted) return RunOutcome::Interrupted;
            s.setStatus("");
            s.resetGaugeKeepingMaximum();
            const std::string end = finishedText(s);
            if (s.ledger) s.ledger->message(BoxKind::Information, Caption(BoxKind::Information), end);
            s.ui.finished(end, s.summary);
            if (screen.enable) screen.enable(true);
            if (screen.reset) screen.reset();
        } catch (const std::exception& e) {
            // Seen before the undo, so that nothing cancels the undo itself.
            const bool stopped = s.stopping();
            // Whatever a converter left half-done is not committed.
            try {
                s.DesfazTransacao(s.CnOrdelio);
            } catch (const std::exception&) {
            }
            if (stopped) {
                // The failure is the stop's: a statement it cancelled.
                interrupted(s, running ? running->name : std::string_view());
                return RunOutcome::Interrupted;
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
