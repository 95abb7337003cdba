#include "db/copy_loop.h"
#include "db/session.h"

namespace conversor {

void PlanCopyLoop(Session& s, const CopyLoop& loop) {
    StatementPlan& plan = *s.planning;
    // The clearings record themselves, as LimpaTabela and a registry's own
    // clearing run them.
    auto clear = [&] {
        if (loop.customClear) loop.customClear();
        else
            for (const std::string& table : loop.clearTables) s.LimpaTabela(table);
    };
    if (loop.clearBeforeSource) clear();
    plan.push_back(OnSource(loop.sourceSql));
    if (!loop.clearBeforeSource) clear();
    plan.push_back(OnTarget(loop.insertSql));
    plan.insert(plan.end(), loop.alsoRuns.begin(), loop.alsoRuns.end());
    for (const FurtherRow& row : loop.furtherRows) plan.push_back(OnTarget(row.insertSql));
}

}  // namespace conversor
