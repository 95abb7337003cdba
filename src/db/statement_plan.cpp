#include "db/statement_plan.h"

#include <algorithm>

#include "db/firebird/error.h"
#include "db/session.h"

namespace conversor {

StatementPlan operator+(StatementPlan first, const StatementPlan& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

PlanningScope::PlanningScope(Session& s, StatementPlan& plan) : s_(s), previous_(s.planning) { s.planning = &plan; }
PlanningScope::~PlanningScope() { s_.planning = previous_; }

std::vector<PrepareFailure> PrepareEach(Session& s, const StatementPlan& plan) {
    std::vector<PrepareFailure> failures;
    StatementPlan seen;
    for (const PlannedStatement& planned : plan) {
        if (std::find(seen.begin(), seen.end(), planned) != seen.end()) continue;
        seen.push_back(planned);
        Statement st(planned.on == Database::Source ? s.CnTalvo : s.CnOrdelio);
        try {
            st.setText(planned.sql);
            st.prepare();
        } catch (const DbError& e) {
            failures.push_back({planned, e.what()});
        }
    }
    return failures;
}

}  // namespace conversor
