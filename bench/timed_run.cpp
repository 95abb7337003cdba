#include "timed_run.h"

#include <chrono>
#include <stdexcept>

#include "app/run.h"
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
// Rows the run's own attachment inserted and updated in the target, as the
// engine counted them: what the run wrote, whichever registry wrote it.
long long RowsWritten(Connection& target) {
    Statement st(target);
    st.setText(
        "SELECT R.MON$RECORD_INSERTS + R.MON$RECORD_UPDATES AS WRITTEN FROM MON$ATTACHMENTS A "
        "JOIN MON$RECORD_STATS R ON R.MON$STAT_ID = A.MON$STAT_ID WHERE A.MON$ATTACHMENT_ID = CURRENT_CONNECTION");
    st.open();
    return st.field("WRITTEN").asInt();
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

    TimedRun run;
    const auto start = Clock::now();
    Ticked all;
    all.fill(true);
    // The run itself, as the window and the command line drive it; it times
    // each registry.
    if (ExecuteRun(s, all) != RunOutcome::Completed)
        throw std::runtime_error("the conversion run of the sample store did not complete");
    run.seconds = since(start);
    for (const RegistryResult& r : s.summary.registries) {
        run.rows += r.read;
        run.registries.push_back(RegistryTime{r.name, r.read, r.seconds});
    }
    run.boxes = ui.boxes;
    run.written = RowsWritten(s.CnOrdelio);
    s.CnOrdelio.close();
    s.CnTalvo.close();
    run.transactions = NextTransaction(target) - firstTransaction;
    return run;
}

}  // namespace conversor::bench
