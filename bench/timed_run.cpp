#include "timed_run.h"

#include <chrono>
#include <stdexcept>

#include "app/registries.h"
#include "convert/finance/finance.h"
#include "db/connection.h"
#include "db/session.h"
#include "db/statement.h"
#include "sample/sample_store.h"
#include "silent_operator.h"

namespace conversor::bench {

namespace {
using Clock = std::chrono::steady_clock;
double since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// The number the target will give its next transaction: the difference over a
// run is how many transactions (and so commits) the run made there.
long long NextTransaction(const std::string& path) {
    ConnectionOptions o;
    o.dialect = 1;
    Connection cn(o);
    cn.setDatabase(path);
    cn.open();
    Statement st(cn);
    st.setText("SELECT MON$NEXT_TRANSACTION AS NEXT FROM MON$DATABASE");
    st.open();
    return st.field("NEXT").asInt();
}
}  // namespace

// The steps of the conversion run, each registry timed on its own.
TimedRun RunTimed(const std::string& source, const std::string& target, int commitInterval) {
    const long long firstTransaction = NextTransaction(target);
    SilentOperator ui;
    Session s(ui);
    s.sourcePath = source;
    s.targetPath = target;
    s.codOperPagar = sample::kPayablesOperation;
    s.codOperReceber = sample::kReceivablesOperation;
    s.setCommitInterval(commitInterval);
    if (!s.ConectaOrdelio() || !s.ConectaTalvo()) throw std::runtime_error("cannot open the sample store's databases");

    TimedRun run;
    const auto start = Clock::now();
    s.DesativaTriggers();
    GravaPrazosPadrao(s);
    s.flushBatch();
    for (const Registry& registry : Registries()) {
        const auto at = Clock::now();
        registry.convert(s);
        s.flushBatch();
        RegistryTime t{std::string(registry.name), 0, since(at)};
        for (const RegistryResult& r : s.summary.registries)
            if (r.name == registry.name) t.rows = r.read;
        run.rows += t.rows;
        run.registries.push_back(t);
    }
    s.AtivaTriggers();
    run.seconds = since(start);
    run.boxes = ui.boxes;
    s.CnOrdelio.close();
    s.CnTalvo.close();
    run.transactions = NextTransaction(target) - firstTransaction;
    return run;
}

}  // namespace conversor::bench
