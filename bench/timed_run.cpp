#include "timed_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "app/check.h"
#include "app/run.h"
#include "db/firebird/connection.h"
#include "db/session.h"
#include "db/firebird/statement.h"
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
// What the run's own attachment wrote into the target's tables, as the
// engine counted it (rows inserted or updated, whichever registry wrote them),
// and how wide those rows are: the columns of the tables they went to, by kind.
void CountWrites(Connection& target, TimedRun& run) {
    const std::string columns =
        "(SELECT COUNT(*) FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
        "WHERE RF.RDB$RELATION_NAME = T.MON$TABLE_NAME";
    Statement st(target);
    st.setText("SELECT R.MON$RECORD_INSERTS + R.MON$RECORD_UPDATES AS WRITTEN, " + columns + ") AS COLUMNS_ALL, " +
               columns + " AND F.RDB$FIELD_TYPE IN (14, 37, 261)) AS COLUMNS_TEXT, " + columns +
               " AND F.RDB$FIELD_TYPE IN (12, 13, 35)) AS COLUMNS_DATE "
               "FROM MON$TABLE_STATS T JOIN MON$RECORD_STATS R ON R.MON$STAT_ID = T.MON$RECORD_STAT_ID "
               "JOIN MON$ATTACHMENTS A ON A.MON$STAT_ID = T.MON$STAT_ID "
               "WHERE A.MON$ATTACHMENT_ID = CURRENT_CONNECTION AND T.MON$TABLE_NAME NOT STARTING WITH 'RDB$'");
    double all = 0, texts = 0, dates = 0;
    for (st.open(); !st.eof(); st.next()) {
        const long long rows = st.field("WRITTEN").asInt();
        run.written += rows;
        all += static_cast<double>(rows * st.field("COLUMNS_ALL").asInt());
        texts += static_cast<double>(rows * st.field("COLUMNS_TEXT").asInt());
        dates += static_cast<double>(rows * st.field("COLUMNS_DATE").asInt());
    }
    if (run.written == 0) return;
    const double n = static_cast<double>(run.written);
    run.rowShape.texts = static_cast<int>(texts / n + 0.5);
    run.rowShape.dates = static_cast<int>(dates / n + 0.5);
    run.rowShape.numbers = std::max(1, static_cast<int>(all / n + 0.5) - run.rowShape.texts - run.rowShape.dates);
}
}  // namespace

// The steps of the conversion run, each registry timed on its own.
TimedRun RunTimed(const std::string& source, const std::string& target, int commitInterval, bool check) {
    const long long firstTransaction = NextTransaction(target);
    SilentOperator ui;
    Session s(ui);
    sample::ChooseSampleStore(s, source, target, commitInterval);

    TimedRun run;
    const auto start = Clock::now();
    Ticked all;
    all.fill(true);
    // The run itself, as the window and the command line drive it; it times
    // each registry.
    RunSummary summary;
    if (check) {
        const CheckResult result = ExecuteCheck(s, all);
        if (result.outcome != CheckOutcome::Completed)
            throw std::runtime_error("the check of the sample store did not complete");
        summary = result.summary;
    } else {
        if (ExecuteRun(s, all) != RunOutcome::Completed)
            throw std::runtime_error("the conversion run of the sample store did not complete");
        summary = s.summary;
    }
    run.seconds = since(start);
    for (const RegistryResult& r : summary.registries) {
        run.rows += r.read;
        run.registries.push_back(RegistryTime{r.name, r.read, r.seconds});
    }
    run.boxes = ui.boxes;
    CountWrites(s.CnOrdelio, run);
    s.CnOrdelio.close();
    s.CnTalvo.close();
    run.transactions = NextTransaction(target) - firstTransaction;
    return run;
}

namespace {
std::string Serialize(const TimedRun& run) {
    std::ostringstream out;
    out.precision(17);
    out << run.seconds << ' ' << run.rows << ' ' << run.written << ' ' << run.boxes << ' ' << run.transactions << ' '
        << run.rowShape.texts << ' ' << run.rowShape.numbers << ' ' << run.rowShape.dates << '\n';
    for (const RegistryTime& r : run.registries) out << r.name << ' ' << r.rows << ' ' << r.seconds << '\n';
    return out.str();
}

TimedRun Deserialize(const std::string& text) {
    std::istringstream in(text);
    TimedRun run;
    in >> run.seconds >> run.rows >> run.written >> run.boxes >> run.transactions >> run.rowShape.texts >>
        run.rowShape.numbers >> run.rowShape.dates;
    RegistryTime r;
    while (in >> r.name >> r.rows >> r.seconds) run.registries.push_back(r);
    if (!in.eof() || run.registries.empty()) throw std::runtime_error("a conversion's child process sent no figures");
    return run;
}
}  // namespace

std::string TextFromChild(const std::function<std::string()>& work) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("cannot open a pipe to a child process");
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("cannot start a child process");
    if (pid == 0) {
        close(fds[0]);
        int code = 0;
        try {
            const std::string text = work();
            for (std::size_t at = 0; at < text.size();) {
                const ssize_t n = write(fds[1], text.data() + at, text.size() - at);
                if (n <= 0) throw std::runtime_error("cannot send the figures");
                at += static_cast<std::size_t>(n);
            }
        } catch (const std::exception& e) {
            std::fprintf(stderr, "conversor-bench: %s\n", e.what());
            code = 1;
        }
        std::fflush(stdout);
        close(fds[1]);
        _exit(code);
    }
    close(fds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("a measuring child process failed");
    return text;
}

TimedRun RunTimedInChild(const std::string& source, const std::string& target, int commitInterval, bool check) {
    return Deserialize(TextFromChild([&] { return Serialize(RunTimed(source, target, commitInterval, check)); }));
}

}  // namespace conversor::bench
