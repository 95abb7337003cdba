// What the database schemas must hold for a run: the statements of the
// ticked registries, the objects the run relies on, the operation codes.
#include <optional>

#include "app/check.h"
#include "app/operation_list.h"
#include "app/registries.h"
#include "convert/finance/finance.h"
#include "db/firebird/error.h"
#include "db/session.h"
#include "db/firebird/statement.h"

namespace conversor {

namespace {

bool Ticks(const Ticked& ticked, std::string_view name) {
    const Registry* r = FindRegistry(name);
    return r && ticked[static_cast<std::size_t>(r - Registries().data())];
}

// Catalogue names the statements cannot show: a definition is only parsed
// when prepared, so a missing trigger is found only here.
bool InCatalogue(Session& s, const char* sql, const std::string& name) {
    Statement st(s.CnOrdelio);
    st.setText(sql);
    st.param("NOME").setText(name);
    st.open();
    const bool found = !st.eof();
    st.close();
    return found;
}

void CheckObjects(Session& s, const Ticked& ticked, std::vector<CheckFinding>& out) {
    using Kind = CheckFinding::Kind;
    auto lookFor = [&](Kind kind, const char* sql, const char* name, const char* registry) {
        try {
            if (!InCatalogue(s, sql, name)) out.push_back({kind, registry, name, {}});
        } catch (const DbError& e) {
            out.push_back({Kind::Statement, registry, sql, e.what()});
        }
    };
    const char* trigger =
        "SELECT RDB$TRIGGER_NAME FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = :NOME";
    lookFor(Kind::MissingTrigger, trigger, "COMPCLIE_AI0", "");
    lookFor(Kind::MissingTrigger, trigger, "COMPCLIE_AU0", "");
    const char* generator =
        "SELECT RDB$GENERATOR_NAME FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME = :NOME";
    for (const char* documents : {"documentospagar", "documentosreceber"})
        if (Ticks(ticked, documents)) {
            lookFor(Kind::MissingGenerator, generator, "G_NUMORD", documents);
            break;
        }
}

// The selectors' own validation, on the target as it is now.
void CheckOperations(Session& s, std::vector<CheckFinding>& out) {
    struct Choice {
        std::string& keyValue;
        const char* type;
        const char* registry;
    };
    for (Choice c : {Choice{s.codOperPagar, "5", "documentospagar"}, Choice{s.codOperReceber, "8", "documentosreceber"}}) {
        if (c.keyValue.empty()) continue;
        OperationList list(c.type);
        try {
            list.load(s.CnOrdelio);
        } catch (const DbError& e) {
            out.push_back({CheckFinding::Kind::Statement, c.registry, e.statement(), e.what()});
            continue;
        }
        const std::optional<std::string> code = ValidateOperationCode(list, c.keyValue);
        if (code) c.keyValue = *code;
        else out.push_back({CheckFinding::Kind::UnknownOperation, c.registry, c.keyValue, {}});
    }
}

}  // namespace

bool IsBlocking(const CheckFinding& finding) {
    using Kind = CheckFinding::Kind;
    switch (finding.kind) {
        case Kind::NoOperation:
        case Kind::DamagedSource: return false;
        default: return true;
    }
}

std::vector<RegistryPlan> PlanRun(Session& s, const Ticked& ticked) {
    std::vector<RegistryPlan> plans;
    {
        RegistryPlan& startUp = plans.emplace_back();
        PlanningScope planning(s, startUp.statements);
        s.DesativaTriggers();
        GravaPrazosPadrao(s);
        s.AtivaTriggers();
    }
    const auto& registries = Registries();
    for (std::size_t i = 0; i < registries.size(); ++i) {
        if (!ticked[i]) continue;
        RegistryPlan& plan = plans.emplace_back();
        plan.registry = registries[i].name;
        PlanningScope planning(s, plan.statements);
        registries[i].convert(s);
    }
    return plans;
}

std::vector<CheckFinding> CheckSchema(Session& s, const Ticked& ticked) {
    std::vector<CheckFinding> findings;
    for (const RegistryPlan& plan : PlanRun(s, ticked))
        for (const PrepareFailure& f : PrepareEach(s, plan.statements))
            findings.push_back({CheckFinding::Kind::Statement, plan.registry, f.statement.sql, f.reason, f.statement.on});
    CheckObjects(s, ticked, findings);
    CheckOperations(s, findings);
    return findings;
}

}  // namespace conversor
