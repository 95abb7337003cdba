#include "app/check.h"

#include <algorithm>
#include <exception>

#include "app/registries.h"
#include "convert/finance/finance.h"
#include "db/session.h"
#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor {

namespace {

bool HasSchemaProblem(const std::vector<CheckFinding>& findings, std::string_view registry) {
    return std::any_of(findings.begin(), findings.end(), [&](const CheckFinding& f) {
        return f.kind == CheckFinding::Kind::Statement && f.registry == registry;
    });
}

// Keeps the dry run's rows in the result and hands rows and boxes on to the
// session's own ledger.
class CheckLedger : public LedgerSink {
public:
    CheckLedger(Session& s, CheckResult& result) : s_(s), result_(result), next_(s.ledger) { s.ledger = this; }
    ~CheckLedger() override { s_.ledger = next_; }
    CheckLedger(const CheckLedger&) = delete;
    CheckLedger& operator=(const CheckLedger&) = delete;

    void row(const std::string& registry, const RowRecord& record) override {
        result_.rows.push_back({registry, record});
        if (next_) next_->row(registry, record);
    }
    void message(BoxKind kind, const std::string& caption, const std::string& text) override {
        if (next_) next_->message(kind, caption, text);
    }
    void question(const std::string& caption, const std::string& text, bool answer) override {
        if (next_) next_->question(caption, text, answer);
    }

private:
    Session& s_;
    CheckResult& result_;
    LedgerSink* next_;
};

// The run's steps 8 to 10 in one target transaction that is rolled back,
// going on past failing rows. The trigger switches are left out: a
// definition is not undone cleanly.
void Rehearse(Session& s, const Ticked& ticked, CheckResult& result) {
    struct RolledBack {
        Session& s;
        bool keepGoing = s.keepGoing;
        ~RolledBack() {
            s.keepGoing = keepGoing;
            s.endRehearsal();
        }
    };
    s.beginRehearsal();
    RolledBack rolledBack{s};
    s.keepGoing = true;
    GravaPrazosPadrao(s);
    const auto& registries = Registries();
    for (std::size_t i = 0; i < registries.size(); ++i) {
        if (!ticked[i]) continue;
        const std::string name(registries[i].name);
        if (HasSchemaProblem(result.findings, name)) {
            result.notRehearsed.push_back(name);
            continue;
        }
        try {
            ConvertRegistry(s, i);
        } catch (const std::exception& e) {
            // The run would end here; the check goes on with what the
            // registry left in the transaction.
            try {
                s.DesfazTransacao(s.CnOrdelio);
            } catch (const std::exception&) {
            }
            result.findings.push_back({CheckFinding::Kind::StopsRun, name, {}, e.what()});
        }
    }
}

}  // namespace

std::string KeyText(const CheckedRow& row) {
    std::string key;
    for (const auto& [column, value] : row.record.key) key += (key.empty() ? "" : ", ") + column + "=" + ToUtf8(value);
    return key;
}

FindingPart PartOf(const CheckFinding& f) {
    using Kind = CheckFinding::Kind;
    switch (f.kind) {
        case Kind::NoOperation: return FindingPart::Warning;
        case Kind::DamagedSource:
        case Kind::SourceNotValidated: return FindingPart::SourceHealth;
        case Kind::StopsRun: return FindingPart::EndsRun;
        default: return FindingPart::SchemaProblem;
    }
}

CheckVerdict Verdict(const CheckResult& r) {
    if (r.outcome != CheckOutcome::Completed) return CheckVerdict::CannotConvert;
    if (std::any_of(r.findings.begin(), r.findings.end(), IsBlocking)) return CheckVerdict::CannotConvert;
    const bool rowsLeftOut = std::any_of(r.summary.registries.begin(), r.summary.registries.end(), [](const RegistryResult& reg) {
        return reg.stopped || reg.skipped > 0 || reg.failed > 0;
    });
    if (!r.findings.empty() || r.summary.errorBoxes > 0 || rowsLeftOut) return CheckVerdict::WouldShowBoxes;
    return CheckVerdict::Clean;
}

int CheckExitStatus(const CheckResult& result) {
    switch (Verdict(result)) {
        case CheckVerdict::Clean: return 0;
        case CheckVerdict::WouldShowBoxes: return 1;
        case CheckVerdict::CannotConvert: break;
    }
    return 2;
}

CheckResult ExecuteCheck(Session& s, const Ticked& ticked, const RunScreen& screen) {
    CheckResult result;
    CheckLedger ledger(s, result);
    if (IsBlank(s.sourcePath)) {
        s.warning(W("Caminho do banco de dados Talvo está vazio."));
        result.outcome = CheckOutcome::EmptySourcePath;
        return result;
    }
    if (IsBlank(s.targetPath)) {
        s.warning(W("Caminho do banco de dados do Ordelio está vazio."));
        result.outcome = CheckOutcome::EmptyTargetPath;
        return result;
    }
    s.summary = {};
    const bool targetOpen = s.ConectaOrdelio();
    const bool sourceOpen = s.ConectaTalvo();
    if (!targetOpen || !sourceOpen) {
        result.outcome = CheckOutcome::ConnectionFailed;
        result.summary = s.summary;
        return result;
    }

    if (screen.enable) screen.enable(false);
    s.setStatus(W("Verificando os bancos de dados..."));
    s.processEvents();
    result.findings = CheckChoices(s, ticked);
    for (CheckFinding& f : CheckSchema(s, ticked)) result.findings.push_back(std::move(f));
    s.setStatus(W("Verificando o banco de dados Talvo..."));
    s.processEvents();
    for (CheckFinding& f : CheckSourceHealth(s)) result.findings.push_back(std::move(f));
    try {
        Rehearse(s, ticked, result);
    } catch (const std::exception& e) {
        // The run's start-up itself would fail so.
        result.findings.push_back({CheckFinding::Kind::StopsRun, {}, {}, e.what()});
    }
    s.setStatus("");
    s.resetGaugeKeepingMaximum();
    result.summary = s.summary;
    if (screen.enable) screen.enable(true);
    return result;
}

}  // namespace conversor
