#include "cli/check_report.h"

#include <algorithm>

#include "cli/terminal_operator.h"
#include "text/cp1252.h"

namespace conversor::cli {

namespace {

using Kind = CheckFinding::Kind;

std::string Where(const CheckFinding& f) {
    std::string where = f.registry.empty() ? "start-up" : f.registry;
    return where + (f.on == Database::Source ? " (source)" : " (target)");
}

// A statement on one line, cut where it gets long.
std::string Shortened(const std::string& sql) {
    constexpr std::size_t kWidth = 100;
    return sql.size() <= kWidth ? sql : sql.substr(0, kWidth) + "...";
}

// The server's message, one indented line for each of its lines.
std::string Indented(const std::string& reason) {
    std::string out = "      ";
    for (char c : ToUtf8(reason)) {
        out += c;
        if (c == '\n') out += "      ";
    }
    return out + "\n";
}

std::string Line(const CheckFinding& f) {
    switch (f.kind) {
        case Kind::Statement:
            return "  " + Where(f) + ": " + ToUtf8(Shortened(f.subject)) + "\n" + Indented(f.reason);
        case Kind::MissingTrigger: return "  " + Where(f) + ": trigger " + f.subject + " is missing\n";
        case Kind::MissingGenerator: return "  " + Where(f) + ": generator " + f.subject + " is missing\n";
        case Kind::UnknownOperation:
            return "  " + f.registry + ": operation " + ToUtf8(f.subject) + " is not in CDOPERC under its type\n";
        case Kind::NoOperation:
            return "  " + f.registry + ": no operation chosen (--" +
                   (f.registry == "documentospagar" ? "payables" : "receivables") +
                   "-op); its documents would be filed under an empty operation\n";
        case Kind::DamagedSource: return "  " + ToUtf8(f.subject) + "\n";
        case Kind::SourceNotValidated: return "  the source could not be validated:\n" + Indented(f.reason);
        case Kind::StopsRun:
            return "  " + (f.registry.empty() ? std::string("start-up") : f.registry) +
                   ": an error would end the run here:\n" + Indented(f.reason);
    }
    return {};
}

// A row the run would leave out: its registry, position and source key,
// then the rule or the server's message.
std::string RowLine(const CheckedRow& row) {
    const std::string& reason = row.record.reason;
    const bool oneLine = reason.find_first_of("\r\n") == std::string::npos;
    return "  " + row.registry + " row " + std::to_string(row.record.position) + " (" + KeyText(row) + ") " +
           (row.record.outcome == RowOutcome::Skipped ? "skipped" : "failed") +
           (oneLine ? ": " + ToUtf8(reason) + "\n" : ":\n" + Indented(reason));
}

}  // namespace

std::string FormatCheck(const CheckResult& result, const Ticked& ticked) {
    std::string out = "check: nothing was changed in either database\n";
    const struct {
        FindingPart part;
        const char* title;
    } parts[] = {{FindingPart::SchemaProblem, "schema problems"},
                 {FindingPart::Warning, "warnings"},
                 {FindingPart::SourceHealth, "source health"},
                 {FindingPart::EndsRun, "errors that would end the run"}};
    for (const auto& p : parts) {
        std::string lines;
        int count = 0;
        for (const CheckFinding& f : result.findings)
            if (PartOf(f) == p.part) {
                lines += Line(f);
                ++count;
            }
        if (count) out += "\n" + std::string(p.title) + " (" + std::to_string(count) + "):\n" + lines;
    }
    if (!result.rows.empty()) {
        out += "\nrows the run would skip or fail (" + std::to_string(result.rows.size()) + "):\n";
        for (const CheckedRow& row : result.rows) out += RowLine(row);
    }
    out += "\ndry run (rolled back, going on past failing rows):\n" + FormatSummary(result.summary, ticked);
    char line[160];
    for (const std::string& name : result.notRehearsed) {
        std::snprintf(line, sizeof line, "%-20s %10s %10s  %s\n", name.c_str(), "-", "-",
                      "not tried: schema problems");
        out += line;
    }
    switch (Verdict(result)) {
        case CheckVerdict::Clean: out += "\nverdict: the run would convert everything without a box\n"; break;
        case CheckVerdict::WouldShowBoxes:
            out += "\nverdict: the run would convert, but with the boxes, problems or rows left out above\n";
            break;
        case CheckVerdict::CannotConvert: out += "\nverdict: fix the problems above before converting\n"; break;
    }
    return out;
}

}  // namespace conversor::cli
