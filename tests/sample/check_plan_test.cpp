// The statements a check prepares are the ones a run runs: every statement
// a whole run of a sample store prepared is in the plan of its registries.
#include <gtest/gtest.h>

#include <set>

#include "app/check.h"
#include "db/firebird/statement_shape.h"
#include "sample/sample_store.h"
#include "store_helpers.h"

namespace conversor::testing {
namespace {

TEST(CheckPlan, EveryStatementAWholeRunPreparedIsInThePlan) {
    TempFolder dir;
    const auto store = MakeStore(dir.path(), 150, 11);
    RecordingOperator ui;
    Session session(ui);
    sample::ChooseSampleStore(session, store.sourcePath, store.targetPath, 1);
    Ticked all;
    all.fill(true);
    ASSERT_EQ(ExecuteRun(session, all), RunOutcome::Completed);

    // As the connections keep them: named parameters turned into markers.
    std::set<std::pair<Database, std::string>> planned;
    for (const RegistryPlan& plan : PlanRun(session, all))
        for (const PlannedStatement& st : plan.statements) planned.insert({st.on, MakeTextShape(st.sql)->parsed.sql});

    auto expectPlanned = [&](Database on, Connection& cn) {
        int seen = 0;
        for (const std::string& text : cn.preparedTexts()) {
            if (text.rfind("SELECT COUNT(*) FROM (", 0) == 0) continue;  // the gauge's count of a selection
            // The run's mark on its target, which a check neither sets nor needs.
            if (text.find("CONVERSOR_RUN") != std::string::npos) continue;
            ++seen;
            EXPECT_TRUE(planned.count({on, text})) << text;
        }
        EXPECT_GT(seen, 10);
    };
    expectPlanned(Database::Source, session.CnTalvo);
    expectPlanned(Database::Target, session.CnOrdelio);
}

}  // namespace
}  // namespace conversor::testing
