// conversor-bench: wall time and throughput of every registry on sample
// stores, at one commit per row and at one commit per 1000 rows, beside what
// the engine itself allows on this machine, and the peak memory of each scale;
// beside them, the run's fixed part (a store of a few rows converted alike).
//   conversor-bench [--scales 2000,20000] [--work DIR]
//   conversor-bench --report-case [--scale 30000] [--work DIR]
// The second form measures the run report instead (see report_case.h).
// Each scale is generated, then measured, in child processes of their own, so
// that each scale's peak resident memory is its own; each conversion runs in
// a further child of its own, as a run of the program would.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "db/firebird/backup.h"
#include "floors.h"
#include "report_case.h"
#include "sample/sample_store.h"
#include "timed_run.h"

using namespace conversor;
using namespace conversor::bench;
namespace fs = std::filesystem;

namespace {

constexpr int kBatch = 1000;
// The batched conversions and their floors take a second or less at the
// smaller scale, where this disk's noise is a good part of each figure.
constexpr int kRepeats = 7;
// A store of this many customers converts in about the time the run spends
// whatever the store: connecting, claiming the target, switching the
// triggers, and each registry's statements, selection count and commit.
constexpr int kFixedScale = 20;

struct Goals {
    static constexpr double perRowFloor = 0.8;   // N=1 against one commit per row
    static constexpr double speedUp = 10.0;      // N=1000 against N=1
    static constexpr double batchedFloor = 0.7;  // N=1000 against one commit per 1000
    static constexpr double memoryGrowth = 1.5;  // larger scale against smaller
    static constexpr double checkTime = 2.0;     // the check against the run at N=1000, at most
    static constexpr double reportCost = 1.1;    // the run with its report against without, time and memory
};

const char* verdict(bool met) { return met ? "met" : "MISSED"; }

double rate(long long rows, double seconds) { return seconds > 0 ? static_cast<double>(rows) / seconds : 0; }

fs::path storeDir(const fs::path& work, int scale) { return work / ("scale-" + std::to_string(scale)); }

// --- child: write the sample store of one scale ---
int generate(const fs::path& work, int scale) {
    sample::SampleOptions o;
    o.dir = storeDir(work, scale).string();
    o.schemaDir = SCHEMA_DIR;
    o.scale = scale;
    o.seed = 1;
    const auto start = std::chrono::steady_clock::now();
    const auto store = sample::GenerateSampleStore(o);
    std::printf("scale %d: sample store of %lld source rows written in %.1f s\n", scale, store.sourceRows,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return 0;
}

// A conversion of a store onto a fresh copy of its empty target, named
// targetName, in a child process of its own; the disk's queue is flushed
// first, so that it pays for no earlier writes.
TimedRun ConvertFresh(const fs::path& store, const std::string& targetName, int interval, bool check = false) {
    const fs::path target = store / targetName;
    fs::remove(target);
    fs::copy_file(store / "ordelio.fb", target);
    ::sync();
    return RunTimedInChild((store / "talvo.fdb").string(), target.string(), interval, check);
}

// Sorts the measurements by time and returns the middle one.
template <typename Measured>
const Measured& MedianOf(std::vector<Measured>& measured) {
    std::sort(measured.begin(), measured.end(), [](const Measured& a, const Measured& b) { return a.seconds < b.seconds; });
    return measured[measured.size() / 2];
}

// The backup a run makes before it changes the target, of the target as a
// rerun finds it (converted once at N=1000): the median of three.
double backUpTime(const fs::path& dir, int scale) {
    const std::string target = (dir / ("ordelio-" + std::to_string(kBatch) + ".fb")).string();
    const std::string file = (dir / "ordelio.fbk").string();
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        fs::remove(file);
        ::sync();
        const auto start = std::chrono::steady_clock::now();
        BackUpDatabase(target, file);
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("scale %d: backup of the converted target (%.1f MB, backup file %.1f MB): %.2f s\n", scale,
                static_cast<double>(fs::file_size(target)) / 1e6, static_cast<double>(fs::file_size(file)) / 1e6,
                times[1]);
    std::fflush(stdout);
    return times[1];
}

// Runs work in a child process of its own and returns the seconds it sends
// back. The backup's service manager leaves threads in the engine that a
// process forked after it cannot use (its next service call waits forever),
// so whatever uses it runs where no later conversion is forked from.
double secondsInChild(const std::function<double()>& work) {
    return std::stod(TextFromChild([&] {
        char text[64];
        std::snprintf(text, sizeof text, "%.17g", work());
        return std::string(text);
    }));
}

// --- child: convert it at N=1 and N=1000, measure the two floors ---
// The floors insert as many rows as the run wrote, as wide: a product is
// three rows (product, stock, tax codes), each committed, while a segment
// read from the customers may write nothing. The N=1000 conversion goes first
// and tells both; each floor is measured next to the conversion it is
// compared with, the one-commit-per-row floor both before and after it, since
// this disk's speed for synchronous writes drifts over minutes. Every timed
// part starts with the disk's queue flushed (the store was just written
// without forced writes), so none pays for another's writes.
int measure(const fs::path& work, int scale) {
    const fs::path dir = storeDir(work, scale);
    auto convert = [&](int interval) {
        TimedRun run = ConvertFresh(dir, "ordelio-" + std::to_string(interval) + ".fb", interval);
        std::printf("scale %d: converted at N=%d in %.1f s\n", scale, interval, run.seconds);
        std::fflush(stdout);
        return run;
    };
    auto floor = [&](const char* file, long long rows, int interval, const RowShape& shape) {
        ::sync();
        Floor f = MeasureFloor((dir / file).string(), rows, interval, shape);
        std::printf("scale %d: floor of %lld rows, commit every %d: %.2f s\n", scale, rows, interval, f.seconds);
        std::fflush(stdout);
        return f;
    };
    // The batched conversion and its floor are each taken kRepeats times, in
    // turn, and the median kept; so is the conversion of the smallest store.
    // The check of the same store: the whole of it, dry run included, beside
    // the real run at one commit per 1000 rows.
    auto checkStore = [&] {
        TimedRun run = ConvertFresh(dir, "ordelio-check.fb", 1, true);
        std::printf("scale %d: checked in %.1f s\n", scale, run.seconds);
        std::fflush(stdout);
        return run;
    };
    auto fixedPart = [&] { return ConvertFresh(storeDir(work, kFixedScale), "ordelio-fixed.fb", kBatch); };
    std::vector<TimedRun> batchedRuns, fixedRuns;
    std::vector<Floor> batchedFloors;
    for (int i = 0; i < kRepeats; ++i) {
        batchedRuns.push_back(convert(kBatch));
        batchedFloors.push_back(floor("floor-batch.fdb", batchedRuns[0].written, kBatch, batchedRuns[0].rowShape));
        fixedRuns.push_back(fixedPart());
    }
    const TimedRun batched = MedianOf(batchedRuns);
    const Floor perBatch = MedianOf(batchedFloors);
    const TimedRun fixed = MedianOf(fixedRuns);
    const double backup = secondsInChild([&] { return backUpTime(dir, scale); });
    std::vector<TimedRun> checks;
    for (int i = 0; i < 3; ++i) checks.push_back(checkStore());
    const TimedRun checked = MedianOf(checks);
    const Floor perRowBefore = floor("floor-row.fdb", batched.written, 1, batched.rowShape);
    const TimedRun one = convert(1);
    const Floor perRowAfter = floor("floor-row.fdb", batched.written, 1, batched.rowShape);
    const Floor perRow{perRowBefore.rows + perRowAfter.rows, perRowBefore.seconds + perRowAfter.seconds};

    std::printf("\nscale %d: %lld source rows read by the twenty registries, %lld rows written to the target\n", scale,
                one.rows, one.written);
    std::printf("rows written are on average %d columns wide (%d texts, %d numbers, %d dates); so are the floors' rows\n",
                one.rowShape.texts + one.rowShape.numbers + one.rowShape.dates, one.rowShape.texts, one.rowShape.numbers,
                one.rowShape.dates);
    std::printf("%-20s %8s %10s %10s %10s %10s %9s\n", "registry", "read", "N=1 s", "read/s", "N=1000 s", "read/s", "speed-up");
    for (std::size_t i = 0; i < one.registries.size(); ++i) {
        const RegistryTime &a = one.registries[i], &b = batched.registries[i];
        std::printf("%-20s %8lld %10.2f %10.0f %10.3f %10.0f %8.1fx\n", a.name.c_str(), a.rows, a.seconds,
                    rate(a.rows, a.seconds), b.seconds, rate(b.rows, b.seconds), b.seconds > 0 ? a.seconds / b.seconds : 0);
    }
    std::printf("%-20s %8lld %10.2f %10.0f %10.3f %10.0f %8.1fx\n", "whole run", one.rows, one.seconds,
                rate(one.rows, one.seconds), batched.seconds, rate(batched.rows, batched.seconds),
                batched.seconds > 0 ? one.seconds / batched.seconds : 0);

    const double oneRate = rate(one.written, one.seconds), batchedRate = rate(batched.written, batched.seconds);
    std::printf("\n%-20s %8s %10s %10s %10s %10s\n", "rows written", "rows", "N=1 s", "rows/s", "N=1000 s", "rows/s");
    std::printf("%-20s %8lld %10.2f %10.0f %10.3f %10.0f\n", "whole run", one.written, one.seconds, oneRate,
                batched.seconds, batchedRate);
    std::printf("%-20s %8lld %10.2f %10.0f   (before the run %.0f, after it %.0f)\n", "floor, commit/row",
                perRowBefore.rows, perRowBefore.rows / perRow.rowsPerSecond(), perRow.rowsPerSecond(),
                perRowBefore.rowsPerSecond(), perRowAfter.rowsPerSecond());
    std::printf("%-20s %8lld %10s %10s %10.3f %10.0f\n", "floor, commit/1000", perBatch.rows, "", "", perBatch.seconds,
                perBatch.rowsPerSecond());
    auto allTimes = [](const auto& measured) {
        std::string text;
        for (const auto& m : measured) text += (text.empty() ? "" : " ") + std::to_string(m.seconds).substr(0, 5);
        return text;
    };
    std::printf("(N=1000: the median of %d conversions, %s s, and of %d floors, %s s)\n", kRepeats,
                allTimes(batchedRuns).c_str(), kRepeats, allTimes(batchedFloors).c_str());

    // The engine's cost per transaction, the run's against the floor's.
    std::printf("target transactions: N=1 %lld (%.2f per row written, %.0f/s; the floor's %.0f/s), N=1000 %lld\n",
                one.transactions, static_cast<double>(one.transactions) / static_cast<double>(one.written),
                rate(one.transactions, one.seconds), perRow.rowsPerSecond(), batched.transactions);
    if (one.written != batched.written)
        std::printf("WARNING: N=1 wrote %lld rows and N=1000 %lld: the runs did not do the same work\n", one.written,
                    batched.written);
    const double vsRowFloor = oneRate / perRow.rowsPerSecond();
    const double speedUp = batchedRate / oneRate;
    const double vsBatchFloor = batchedRate / perBatch.rowsPerSecond();
    std::printf("ratios: N=1 / row floor %.2f (goal >= %.1f, %s); N=1000 / N=1 %.1f (goal >= %.0f, %s); "
                "N=1000 / batch floor %.2f (goal >= %.1f, %s)\n",
                vsRowFloor, Goals::perRowFloor, verdict(vsRowFloor >= Goals::perRowFloor), speedUp, Goals::speedUp,
                verdict(speedUp >= Goals::speedUp), vsBatchFloor, Goals::batchedFloor,
                verdict(vsBatchFloor >= Goals::batchedFloor));
    // What the run costs whatever the store, and how the rest compares with
    // the floor: the floor has none of it (one attachment, one statement
    // prepared before its clock starts, one table).
    const long long restRows = batched.written - fixed.written;
    const double restSeconds = batched.seconds - fixed.seconds;
    std::printf("fixed part: the same run on a store of %d customers (%lld rows written, %lld transactions) takes "
                "%.3f s at N=1000 (the median of %d, %s s);\n  beyond it, the run writes its other %lld rows in "
                "%.3f s, %.2f of the batched floor\n",
                kFixedScale, fixed.written, fixed.transactions, fixed.seconds, kRepeats, allTimes(fixedRuns).c_str(),
                restRows, restSeconds, restSeconds > 0 ? rate(restRows, restSeconds) / perBatch.rowsPerSecond() : 0);
    std::printf("backup of the converted target before a rerun: %.2f s against the conversion at N=1000 %.2f s "
                "(goal: less, %s)\n",
                backup, batched.seconds, verdict(backup < batched.seconds));
    const double checkRatio = batched.seconds > 0 ? checked.seconds / batched.seconds : 0;
    std::printf("check: %.3f s (the median of %.3f %.3f %.3f s) against the run at N=1000 %.3f s: %.2fx "
                "(goal <= %.1f, %s)\n",
                checked.seconds, checks[0].seconds, checks[1].seconds, checks[2].seconds, batched.seconds, checkRatio,
                Goals::checkTime, verdict(checkRatio <= Goals::checkTime));
    if (checked.rows != batched.rows)
        std::printf("WARNING: the check read %lld source rows and the run %lld: they did not do the same work\n",
                    checked.rows, batched.rows);
    if (one.boxes || batched.boxes)
        std::printf("WARNING: the runs showed %d and %d error or warning boxes: the figures are not those of a clean run\n",
                    one.boxes, batched.boxes);
    std::fflush(stdout);
    return 0;
}

// --- parent ---
// Runs this program again with the given arguments; returns the child's peak
// resident memory in kilobytes.
long runChild(const char* self, const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(self)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("cannot start a child process");
    if (pid == 0) {
        execv("/proc/self/exe", argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("a measuring child process failed");
    return usage.ru_maxrss;
}

// --- child: one run of the store with planted skips, with or without its report ---
int reportRun(const fs::path& work, int scale, bool withReport) {
    const fs::path dir = storeDir(work, scale);
    const ReportRun run = RunWithReport((dir / "talvo.fdb").string(), (dir / "ordelio-report.fb").string(),
                                        withReport ? (dir / "report.json").string() : std::string());
    std::printf("scale %d: run %s its report: %.2f s, %lld rows skipped or failed, report of %.1f MB, %d boxes\n", scale,
                withReport ? "with" : "without", run.seconds, run.ledgerRows, static_cast<double>(run.reportBytes) / 1e6,
                run.boxes);
    return 0;
}

// --- parent: the store, then the run without and with its report in turn,
// three times each; the medians of time and peak memory compared ---
int reportCase(const char* self, const fs::path& work, int scale) {
    const std::string scaleText = std::to_string(scale);
    fs::create_directories(work);
    runChild(self, {"--work", work.string(), "--generate", scaleText});
    runChild(self, {"--work", work.string(), "--plant-skips", scaleText});
    const fs::path dir = storeDir(work, scale);
    std::vector<double> seconds[2];
    std::vector<long> peaks[2];
    for (int i = 0; i < 3; ++i)
        for (int withReport = 0; withReport < 2; ++withReport) {
            fs::remove(dir / "ordelio-report.fb");
            fs::copy_file(dir / "ordelio.fb", dir / "ordelio-report.fb");
            ::sync();
            std::vector<std::string> args{"--work", work.string(), "--report-run", scaleText};
            if (withReport) args.push_back("--with-report");
            const auto start = std::chrono::steady_clock::now();
            peaks[withReport].push_back(runChild(self, args));
            seconds[withReport].push_back(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
    for (int k = 0; k < 2; ++k) {
        std::sort(seconds[k].begin(), seconds[k].end());
        std::sort(peaks[k].begin(), peaks[k].end());
    }
    const double timeRatio = seconds[1][1] / seconds[0][1];
    const double memoryRatio = static_cast<double>(peaks[1][1]) / static_cast<double>(peaks[0][1]);
    std::printf("\nscale %d, one commit per %d rows, the median of three processes each:\n", scale, kBatch);
    std::printf("without the report: %.2f s, peak resident memory %.1f MB\n", seconds[0][1],
                static_cast<double>(peaks[0][1]) / 1024);
    std::printf("with the report:    %.2f s, peak resident memory %.1f MB\n", seconds[1][1],
                static_cast<double>(peaks[1][1]) / 1024);
    std::printf("with against without: time %.2fx, peak memory %.2fx (goal <= %.1f each, %s)\n", timeRatio,
                memoryRatio, Goals::reportCost,
                verdict(timeRatio <= Goals::reportCost && memoryRatio <= Goals::reportCost));
    return 0;
}

std::vector<int> parseScales(const std::string& text) {
    std::vector<int> out;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t comma = text.find(',', at);
        if (comma == std::string::npos) comma = text.size();
        int value = 0;
        auto [end, ec] = std::from_chars(text.data() + at, text.data() + comma, value);
        if (ec != std::errc() || end != text.data() + comma || value < 1) throw std::invalid_argument("bad --scales " + text);
        out.push_back(value);
        at = comma + 1;
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> scales{2000, 20000};
    fs::path work = fs::temp_directory_path() / "conversor-bench";
    std::string role;
    int scale = 0;
    int reportScale = 30000;
    bool withReport = false;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::string a = argv[i];
            auto value = [&]() -> std::string {
                if (i + 1 >= argc) throw std::invalid_argument(a + " needs a value");
                return argv[++i];
            };
            if (a == "--scales") scales = parseScales(value());
            else if (a == "--work") work = value();
            else if (a == "--report-case") role = a;
            else if (a == "--scale") reportScale = parseScales(value()).at(0);
            else if (a == "--with-report") withReport = true;
            else if (a == "--generate" || a == "--measure" || a == "--plant-skips" || a == "--report-run") {
                role = a;
                scale = parseScales(value()).at(0);
            } else throw std::invalid_argument("unknown option " + a);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr,
                     "conversor-bench: %s\nusage: conversor-bench [--scales 2000,20000] [--work DIR]\n"
                     "       conversor-bench --report-case [--scale 30000] [--work DIR]\n",
                     e.what());
        return 2;
    }

    try {
        if (role == "--generate") return generate(work, scale);
        if (role == "--measure") return measure(work, scale);
        if (role == "--plant-skips") {
            PlantSkips((storeDir(work, scale) / "talvo.fdb").string());
            return 0;
        }
        if (role == "--report-run") return reportRun(work, scale, withReport);
        if (role == "--report-case") return reportCase(argv[0], work, reportScale);

        fs::create_directories(work);
        runChild(argv[0], {"--work", work.string(), "--generate", std::to_string(kFixedScale)});
        std::vector<long> peaks;
        for (int s : scales) {
            runChild(argv[0], {"--work", work.string(), "--generate", std::to_string(s)});
            peaks.push_back(runChild(argv[0], {"--work", work.string(), "--measure", std::to_string(s)}));
            std::printf("scale %d: peak resident memory of the conversions %.1f MB\n\n", s, static_cast<double>(peaks.back()) / 1024);
        }
        if (peaks.size() >= 2) {
            const double growth = static_cast<double>(peaks.back()) / static_cast<double>(peaks.front());
            std::printf("peak memory, scale %d against scale %d: %.2fx (goal <= %.1f, %s)\n", scales.back(), scales.front(),
                        growth, Goals::memoryGrowth, verdict(growth <= Goals::memoryGrowth));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "conversor-bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
