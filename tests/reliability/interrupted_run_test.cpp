// A run asked to stop (SIGINT, SIGTERM or SIGHUP on the command line) ends at
// the next row boundary: the row in progress is undone, the rows committed
// before stay, the triggers go back on, no box names a row, and a rerun
// gives the target a clean run gives. Shown in-process at chosen points and
// while a statement waits on a lock another user holds, then with real
// signals sent to conversor-cli at many points of a run.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/registries.h"
#include "db/session.h"
#include "reliability/helpers.h"
#include "sample/sample_store.h"
#include "support/json.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A target's contents, but for the order numbers: G_NUMORD is the target's
// own running number, which every run goes on from (a second clean run gives
// its documents the next numbers too), so documents are compared without it.
Contents ReadWithoutOrderNumbers(const std::string& target) {
    auto cn = OpenDatabase(target, 1);
    Contents contents = ReadContents(*cn);
    contents.erase("generator G_NUMORD");
    for (const char* table : {"DOCUPAG", "DOCUREC"}) {
        // SELECT * gives the columns in the order of their positions.
        const std::size_t column = std::stoul(
            ReadRows(*cn, std::string("SELECT COUNT(*) FROM RDB$RELATION_FIELDS F WHERE F.RDB$RELATION_NAME = '") +
                              table + "' AND F.RDB$FIELD_POSITION < (SELECT N.RDB$FIELD_POSITION FROM "
                              "RDB$RELATION_FIELDS N WHERE N.RDB$RELATION_NAME = F.RDB$RELATION_NAME AND "
                              "N.RDB$FIELD_NAME = 'NUMORD')")[0][0]);
        Rows& rows = contents["table " + std::string(table)];
        for (auto& row : rows) row.at(column).clear();
        std::sort(rows.begin(), rows.end());
    }
    return contents;
}

// The first entries two contents differ in, each with a row of either side.
std::string Difference(const Contents& got, const Contents& wanted) {
    std::string out;
    auto row = [](const Rows& rows, const Rows& other) {
        for (const auto& r : rows)
            if (std::find(other.begin(), other.end(), r) == other.end()) return ::testing::PrintToString(r);
        return std::string("(none)");
    };
    for (const auto& [name, rows] : wanted) {
        auto found = got.find(name);
        const Rows none;
        const Rows& mine = found == got.end() ? none : found->second;
        if (mine == rows) continue;
        out += name + ": " + std::to_string(mine.size()) + " rows, wanted " + std::to_string(rows.size()) +
               "; only here " + row(mine, rows).substr(0, 300) + "; only wanted " + row(rows, mine).substr(0, 300) +
               "\n";
    }
    for (const auto& [name, rows] : got)
        if (!wanted.count(name)) out += name + ": not wanted\n";
    return out;
}

// A sample store, its target as it came, and the target a clean run leaves.
class SampleStore {
public:
    explicit SampleStore(int scale) {
        std::string pattern = (fs::temp_directory_path() / "conversor-stop-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        dir_ = pattern;
        sample::SampleOptions o;
        o.dir = dir_.string();
        o.schemaDir = SCHEMA_DIR;
        o.scale = scale;
        o.forcedWrites = false;
        store_ = sample::GenerateSampleStore(o);
        fs::rename(store_.targetPath, pristine());
        // The server runs as a user of its own.
        fs::permissions(dir_, fs::perms::all);
        fs::permissions(store_.sourcePath, shared);
        const std::string clean = freshTarget("clean.fb");
        RecordingOperator ui;
        Session session(ui);
        sample::ChooseSampleStore(session, source(), clean, 1000);
        if (ExecuteRun(session, All()) != RunOutcome::Completed) throw std::runtime_error("the clean run failed");
        session.CnOrdelio.close();
        cleanContents_ = ReadWithoutOrderNumbers(clean);
    }
    ~SampleStore() {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string source() const { return store_.sourcePath; }
    std::string pristine() const { return (dir_ / "pristine.fb").string(); }
    // A copy of the target as it came, for one run.
    std::string freshTarget(const std::string& name) const {
        const fs::path target = dir_ / name;
        fs::remove(target);
        fs::copy_file(pristine(), target);
        fs::permissions(target, shared);
        return target.string();
    }
    const Contents& cleanContents() const { return cleanContents_; }

private:
    static constexpr fs::perms shared = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                        fs::perms::group_write | fs::perms::others_read | fs::perms::others_write;
    fs::path dir_;
    sample::SampleStore store_;
    Contents cleanContents_;
};

// A run after an interrupted one converts everything again, as on a fresh target.
void ExpectRerunGivesACleanTarget(const SampleStore& store, const std::string& target) {
    RecordingOperator ui;
    Session session(ui);
    sample::ChooseSampleStore(session, store.source(), target, 1000);
    ASSERT_EQ(ExecuteRun(session, All()), RunOutcome::Completed) << ::testing::PrintToString(ui.boxTexts());
    session.CnOrdelio.close();
    EXPECT_EQ(Difference(ReadWithoutOrderNumbers(target), store.cleanContents()), "");
}

SampleStore& Store() {
    static SampleStore store(200);
    return store;
}

// ---------------------------------------------------- at a chosen point

struct StopPoint {
    const char* name;
    const char* status;    // the status text of the part where the stop comes
    long long rows;        // the rows done there before it comes; 0: as the part starts
    const char* registry;  // where the run says it stopped; empty outside the registries
    const char* table;     // the registry's main table
};

void PrintTo(const StopPoint& p, std::ostream* os) { *os << p.name; }

const StopPoint kPoints[] = {
    {"StandardTerms", "Gravando Prazos de Pagamento Padr\xE3o...", 0, "", nullptr},
    {"CustomersClearing", "Convertendo Clientes...", 0, "clientes", "CLIENTE"},
    {"Customers", "Convertendo Clientes...", 57, "clientes", "CLIENTE"},
    {"Products", "Convertendo Produtos...", 101, "produtos", "PRODUTO"},
    {"BranchesBeforeTheirGenerators", "Convertendo Filiais...", 1, "filiais", "FILIAIS"},
    {"PayableDocuments", "Convertendo Contas a Pagar...", 30, "documentospagar", "DOCUPAG"},
    {"ReceivableDocuments", "Convertendo Contas a Receber...", 70, "documentosreceber", "DOCUREC"},
};

// Asks the session to stop once the part with that status text has done so
// many rows: between two rows, as a signal mostly comes.
class StoppingOperator : public RecordingOperator {
public:
    explicit StoppingOperator(const StopPoint& point) : point_(point) {}
    StopRequest* stop = nullptr;

    void setStatus(const std::string& text) override {
        RecordingOperator::setStatus(text);
        if (text == point_.status) armed_ = true;
        if (armed_ && point_.rows == 0) stop->request(SIGTERM);
    }
    void setGauge(long long p, long long m) override {
        RecordingOperator::setGauge(p, m);
        if (armed_ && p == point_.rows) stop->request(SIGTERM);
    }

private:
    const StopPoint& point_;
    bool armed_ = false;
};

class StopAtRowBoundary : public ::testing::TestWithParam<std::tuple<StopPoint, int>> {};

TEST_P(StopAtRowBoundary, KeepsTheRowsBeforeSwitchesTheTriggersOnAndShowsNoBox) {
    const auto& [point, interval] = GetParam();
    const std::string target = Store().freshTarget("stopped.fb");
    StoppingOperator ui(point);
    Session session(ui);
    ui.stop = &session.stop;
    sample::ChooseSampleStore(session, Store().source(), target, interval);

    EXPECT_EQ(ExecuteRun(session, All()), RunOutcome::Interrupted);
    EXPECT_TRUE(session.summary.interrupted);
    EXPECT_EQ(session.summary.interruptedIn, point.registry);
    // Neither a row's box nor the end's announcement.
    EXPECT_EQ(ui.boxTexts(), std::vector<std::string>{});
    session.CnOrdelio.close();
    {
        auto check = OpenDatabase(target, 1);
        EXPECT_EQ(TriggerStates(*check), "00");
        if (point.table) {
            ASSERT_FALSE(session.summary.registries.empty());
            const RegistryResult& last = session.summary.registries.back();
            EXPECT_EQ(last.name, point.registry);
            EXPECT_EQ(last.read, point.rows) << "the stop comes at the boundary after that row";
            EXPECT_FALSE(last.stopped);
            // What the registry wrote before the stop is committed, batch or
            // not. The product whose row came just before the stop stays, but
            // the stop refuses its stock and tax detail rows: it counts as failed.
            const long long cutShort = std::string(point.registry) == "produtos" ? 1 : 0;
            EXPECT_EQ(last.failed, cutShort);
            EXPECT_EQ(ReadRows(*check, std::string("SELECT COUNT(*) FROM ") + point.table)[0][0],
                      std::to_string(last.written + cutShort));
        }
        if (std::string(point.registry) == "filiais") {
            EXPECT_EQ(ReadRows(*check, "SELECT COUNT(*) FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME STARTING 'GENORC'"
                                       " OR RDB$GENERATOR_NAME STARTING 'GENPDV'")[0][0],
                      "0")
                << "a stopped run makes no generator";
        }
    }
    ExpectRerunGivesACleanTarget(Store(), target);
}

std::string PointName(const ::testing::TestParamInfo<std::tuple<StopPoint, int>>& info) {
    return std::string(std::get<0>(info.param).name) + "_CommitEvery" + std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(Reliability, StopAtRowBoundary,
                         ::testing::Combine(::testing::ValuesIn(kPoints), ::testing::Values(1, 1000)), PointName);

// ------------------------------------------- while waiting on a lock

struct HeldLock {
    const char* name;
    const char* hold;        // run by another user and left uncommitted
    const char* waitingSql;  // a fragment of the run's statement that meets it
    const char* registry;
    long long written;       // rows of the registry committed before the stop
};

void PrintTo(const HeldLock& h, std::ostream* os) { *os << h.name; }

const HeldLock kHeldLocks[] = {
    // The run's own row: its insert meets another user's uncommitted key.
    {"CityKey", "INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00003', 'OTHER USER', 'SP')",
     "INSERT INTO CIDADES", "cidades", 0},
    // A lookup that appends what it misses, and carries on with a warning
    // when it fails: the product cut short is undone, not written without
    // its unit.
    {"ProductUnit", "INSERT INTO UNIDADES (UNIDADE) VALUES ('LT')", "Insert Into UNIDADES", "produtos", 0},
    // A write beside the row, under a trap of its own that would report it.
    {"AdminUser", "UPDATE CADUSUA SET CODEMPRESA = '99' WHERE USUARIO = 'ADMIN'", "USUARIO = \"ADMIN\"", "filiais", 1},
};

const HeldLock& Held(std::string_view name) {
    for (const HeldLock& h : kHeldLocks)
        if (name == h.name) return h;
    throw std::invalid_argument("no held lock " + std::string(name));
}

// A run waiting on a lock no one releases: the request to stop cancels the
// statement, and the run ends without the other user doing anything.
class StopWhileWaiting : public ::testing::TestWithParam<std::tuple<HeldLock, int>> {};

TEST_P(StopWhileWaiting, CancelsTheWaitingStatementAndEndsTheRun) {
    const auto& [held, interval] = GetParam();
    const std::string target = Store().freshTarget("waiting.fb");
    RecordingOperator ui;
    Session session(ui);
    sample::ChooseSampleStore(session, Store().source(), target, interval);
    auto holder = OpenDatabase(target, 1);
    holder->startTransaction();
    holder->executeImmediate(held.hold);

    bool seenWaiting = false;
    std::thread other([&] {
        seenWaiting = SeenWaiting(target, held.waitingSql);
        session.stop.request(SIGTERM);
        session.stop.cancelUntilSeen(200ms);
    });
    const RunOutcome outcome = ExecuteRun(session, All());
    other.join();
    const bool heldUntilTheEnd = holder->inTransaction();
    holder->rollback();

    EXPECT_TRUE(seenWaiting);
    EXPECT_TRUE(heldUntilTheEnd);
    EXPECT_EQ(outcome, RunOutcome::Interrupted);
    EXPECT_EQ(session.summary.interruptedIn, held.registry);
    EXPECT_EQ(ui.boxTexts(), std::vector<std::string>{}) << "the cancelled statement is the stop's, not a row's";
    ASSERT_FALSE(session.summary.registries.empty());
    EXPECT_EQ(session.summary.registries.back().written, held.written);
    session.CnOrdelio.close();
    holder.reset();
    EXPECT_EQ(TriggerStates(*OpenDatabase(target, 1)), "00");
    ExpectRerunGivesACleanTarget(Store(), target);
}

std::string HeldName(const ::testing::TestParamInfo<std::tuple<HeldLock, int>>& info) {
    return std::string(std::get<0>(info.param).name) + "_CommitEvery" + std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(Reliability, StopWhileWaiting,
                         ::testing::Combine(::testing::ValuesIn(kHeldLocks), ::testing::Values(1, 1000)), HeldName);

// ------------------------------------- real signals to the command line

// The command line's end within a minute, or its kill: a run that ignores a
// signal fails the test instead of hanging it.
int WaitAtMost(CliProcess& cli, std::chrono::seconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (cli.running() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(20ms);
    if (cli.running()) {
        cli.kill(SIGKILL);
        cli.wait();
        return -1000;
    }
    return cli.wait();
}

// A signal that comes while the program is still being loaded ends it the
// signal's default way, before it can take it as a stop request; a slow start
// (the sanitizers, a busy machine) can outlast the moment chosen. Waits a
// minute at most for the program to hold the signal back.
void WaitUntilHeldBack(CliProcess& cli, int signal) {
    for (int i = 0; i < 3000 && cli.running() && !cli.blocks(signal); ++i) std::this_thread::sleep_for(20ms);
}

std::vector<std::string> CliArgs(const std::string& source, const std::string& target, int interval) {
    return {"--yes", "--source", source, "--target", target, "--payables-op", sample::kPayablesOperation,
            "--receivables-op", sample::kReceivablesOperation, "--commit-every", std::to_string(interval)};
}

struct SignalCase {
    int signal;
    int interval;
};

void PrintTo(const SignalCase& c, std::ostream* os) { *os << sigabbrev_np(c.signal) << " " << c.interval; }

class SignalledRun : public ::testing::TestWithParam<SignalCase> {
protected:
    static SampleStore& LargeStore() {
        static SampleStore store(1500);
        return store;
    }
};

// The report of a signalled run: interrupted, where, with the shell's exit
// status; the registries converted before the stop, the one it stopped
// (named in the report) interrupted with its rows accounted for, the later
// ones not run.
void ExpectReportOfAnInterruptedRun(const std::string& path, int exitStatus) {
    const Json report = ReadJsonFile(path);
    EXPECT_EQ(report["exit"].integer(), exitStatus);
    const bool inRegistry = report["interrupted_in"].type == Json::Type::String;
    if (inRegistry) {
        EXPECT_TRUE(report["interrupted"].boolean);
    }
    std::string phase = "converted";
    int interruptedRegistries = 0;
    for (const Json& r : report["registries"].array) {
        SCOPED_TRACE(r["name"].string);
        EXPECT_EQ(r["read"].integer(), r["written"].integer() + r["skipped"].integer() + r["failed"].integer());
        const std::string state = r["state"].string;
        if (inRegistry && r["name"].string == report["interrupted_in"].string) {
            EXPECT_EQ(state, "interrupted");
            ++interruptedRegistries;
            phase = "not_run";
            continue;
        }
        // Outside the registries the stop comes before the first or after the last.
        if (!inRegistry && phase == "converted" && state == "not_run") phase = "not_run";
        EXPECT_EQ(state, phase);
    }
    EXPECT_EQ(interruptedRegistries, inRegistry ? 1 : 0);
}

// The signal comes at six points spread over the run's length, wherever
// they fall (clearing, rows, generators, commits): every one must end the
// same way.
TEST_P(SignalledRun, ExitsWithTheSignalsStatusAndLeavesATargetARerunCompletes) {
    const SignalCase c = GetParam();
    SampleStore& store = LargeStore();
    TestDatabases files;  // a folder for the command line's output
    const std::string target = store.freshTarget("signalled.fb");
    const auto start = std::chrono::steady_clock::now();
    {
        CliProcess clean(files, CliArgs(store.source(), target, c.interval));
        ASSERT_EQ(WaitAtMost(clean, std::chrono::seconds(300)), 0) << clean.err();
    }
    const auto length = std::chrono::steady_clock::now() - start;

    int interrupted = 0;
    for (double share : {0.05, 0.2, 0.35, 0.5, 0.65, 0.8}) {
        SCOPED_TRACE("signal after " + std::to_string(share) + " of the run");
        store.freshTarget("signalled.fb");
        const std::string report = (files.dir() / "report.json").string();
        std::vector<std::string> args = CliArgs(store.source(), target, c.interval);
        args.insert(args.end(), {"--report", report});
        const auto started = std::chrono::steady_clock::now();
        CliProcess cli(files, args);
        WaitUntilHeldBack(cli, c.signal);
        std::this_thread::sleep_until(started + length * share);
        if (!cli.running()) continue;  // a fast moment of the machine: nothing to stop
        cli.kill(c.signal);
        const int status = WaitAtMost(cli, std::chrono::seconds(60));
        if (status == 0) continue;  // the signal came after the run's last statement
        ++interrupted;
        EXPECT_EQ(status, 128 + c.signal) << cli.err();
        const std::string err = cli.err();
        for (const char* box : {"[Erro]", "[Alerta]", "[Conversor]"})
            EXPECT_EQ(err.find(box), std::string::npos) << err;
        EXPECT_NE(err.find(std::string("conversor-cli: stopped by SIG") + sigabbrev_np(c.signal)), std::string::npos)
            << err;
        EXPECT_EQ(TriggerStates(*OpenDatabase(target, 1)), "00");
        // A signal after the last registry stops nothing: the run is whole.
        const std::string out = cli.out();
        ExpectReportOfAnInterruptedRun(report, status);
        if (!out.empty() && out.find("\ninterrupted ") == std::string::npos) {
            EXPECT_EQ(Difference(ReadWithoutOrderNumbers(target), store.cleanContents()), "");
        }
        EXPECT_EQ(ValidationErrors(target), "");
        ExpectRerunGivesACleanTarget(store, target);
    }
    EXPECT_GE(interrupted, 3) << "the run was too fast for the signals to meet it";
}

const SignalCase kSignalCases[] = {{SIGINT, 1},    {SIGTERM, 1},    {SIGHUP, 1},
                                   {SIGINT, 1000}, {SIGTERM, 1000}, {SIGHUP, 1000}};

std::string SignalName(const ::testing::TestParamInfo<SignalCase>& info) {
    return std::string("SIG") + sigabbrev_np(info.param.signal) + "_CommitEvery" + std::to_string(info.param.interval);
}

INSTANTIATE_TEST_SUITE_P(Reliability, SignalledRun, ::testing::ValuesIn(kSignalCases), SignalName);

// The question asked on the terminal is answered No by a signal: the program
// ends at once, with nothing changed.
TEST(SignalledRun, AnswersTheConfirmationOnTheTerminal) {
    TestDatabases db;
    db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'NOVA', 'RJ')");
    const Contents before = ReadContents(db.target());
    db.closeConnections();
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(grantpt(terminal), 0);
    ASSERT_EQ(unlockpt(terminal), 0);
    CliProcess cli(db, {"--only", "cidades", "--source", db.sourcePath(), "--target", db.targetPath()},
                   ptsname(terminal));
    bool asked = false;
    for (int i = 0; i < 600 && !asked && cli.running(); ++i) {  // at most a minute
        asked = cli.err().find("[s/N]") != std::string::npos;
        if (!asked) std::this_thread::sleep_for(100ms);
    }
    ASSERT_TRUE(asked) << cli.err();
    cli.kill(SIGINT);
    EXPECT_EQ(WaitAtMost(cli, std::chrono::seconds(10)), 130) << cli.err();
    close(terminal);
    EXPECT_EQ(ReadContents(db.target()), before);
}

// Through the server, the command line waits on a lock another client holds;
// the signal cancels the wait and the program ends at once.
TEST(SignalledRun, EndsAWaitOnALockThroughTheServer) {
    const std::string host = ServerHost();
    if (host.empty()) GTEST_SKIP() << "no Firebird server (CONVERSOR_SERVER is not set)";
    TestDatabases files;
    const HeldLock& admin = Held("AdminUser");
    for (const SignalCase c : {SignalCase{SIGINT, 1}, SignalCase{SIGTERM, 1000}}) {
        SCOPED_TRACE(sigabbrev_np(c.signal));
        const std::string target = host + ":" + Store().freshTarget("waiting-server.fb");
        auto holder = OpenDatabase(target, 1);
        holder->startTransaction();
        holder->executeImmediate(admin.hold);

        std::vector<std::string> args = CliArgs(host + ":" + Store().source(), target, c.interval);
        args.insert(args.end(), {"--only", "filiais"});
        CliProcess cli(files, args);
        ASSERT_TRUE(SeenWaiting(target, admin.waitingSql)) << cli.err();
        cli.kill(c.signal);
        EXPECT_EQ(WaitAtMost(cli, std::chrono::seconds(30)), 128 + c.signal) << cli.err();
        EXPECT_TRUE(holder->inTransaction());
        holder->rollback();
        EXPECT_NE(cli.out().find("interrupted in filiais"), std::string::npos) << cli.out();
        EXPECT_EQ(cli.err().find("[Erro]"), std::string::npos) << cli.err();
        EXPECT_EQ(TriggerStates(*holder), "00");
    }
}

}  // namespace
}  // namespace conversor::testing
