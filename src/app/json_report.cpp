#include "app/json_report.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "app/json_text.h"
#include "app/run_accounting.h"
#include "db/firebird/backup.h"

namespace conversor {

namespace {
const char* KindName(BoxKind kind) {
    switch (kind) {
        case BoxKind::Information: return "information";
        case BoxKind::Warning: return "warning";
        case BoxKind::Error: return "error";
        case BoxKind::Exclamation: return "exclamation";
    }
    return "";
}

std::runtime_error SystemError(const std::string& what) {
    return std::runtime_error(what + ": " + std::strerror(errno));
}

void Put(std::FILE* out, const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), out) != text.size()) throw SystemError("cannot write the report");
}

const char* FindingKindName(CheckFinding::Kind kind) {
    using Kind = CheckFinding::Kind;
    switch (kind) {
        case Kind::Statement: return "statement";
        case Kind::MissingTrigger: return "missing_trigger";
        case Kind::MissingGenerator: return "missing_generator";
        case Kind::UnknownOperation: return "unknown_operation";
        case Kind::NoOperation: return "no_operation";
        case Kind::DamagedSource: return "damaged_source";
        case Kind::SourceNotValidated: return "source_not_validated";
        case Kind::StopsRun: return "ends_run";
    }
    return "";
}

// The findings of one part of a check, one object a line.
std::string Findings(const CheckResult& check, FindingPart part) {
    std::string out = "[";
    for (const CheckFinding& f : check.findings) {
        if (PartOf(f) != part) continue;
        out += std::string(out.size() > 1 ? "," : "") + "\n    {\"kind\": \"" + FindingKindName(f.kind) +
               "\", \"registry\": " + (f.registry.empty() ? "null" : JsonString(f.registry)) + ", \"database\": \"" +
               (f.on == Database::Source ? "source" : "target") + "\", \"subject\": " +
               (f.subject.empty() ? "null" : JsonFromWindows1252(f.subject)) +
               ", \"reason\": " + (f.reason.empty() ? "null" : JsonFromWindows1252(f.reason)) + "}";
    }
    return out + (out.size() > 1 ? "\n  ]" : "]");
}

std::string CheckFields(const CheckResult& check) {
    std::string notTried = "[";
    for (const std::string& name : check.notRehearsed) notTried += (notTried.size() > 1 ? ", " : "") + JsonString(name);
    return ",\n  \"schema_problems\": " + Findings(check, FindingPart::SchemaProblem) +
           ",\n  \"warnings\": " + Findings(check, FindingPart::Warning) +
           ",\n  \"source_health\": " + Findings(check, FindingPart::SourceHealth) +
           ",\n  \"run_ending_errors\": " + Findings(check, FindingPart::EndsRun) +
           ",\n  \"not_checked\": " + notTried + "]";
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}
}  // namespace

std::string Iso8601(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string out = text;
    // "+hhmm" as "+hh:mm".
    if (out.size() >= 5) out.insert(out.size() - 2, ":");
    return out;
}

JsonReport::Spool::Spool() : file(std::tmpfile(), &std::fclose) {
    if (!file) throw SystemError("cannot create a temporary file for the run report");
}

void JsonReport::Spool::append(const std::string& text) {
    if ((!atEnd && std::fseek(file.get(), size, SEEK_SET) != 0) ||
        std::fwrite(text.data(), 1, text.size(), file.get()) != text.size())
        throw SystemError("cannot write the run report's temporary file");
    atEnd = true;
    size += static_cast<long>(text.size());
}

void JsonReport::Spool::copyRange(long from, long to, std::FILE* out) const {
    char buffer[1 << 16];
    atEnd = false;
    if (std::fseek(file.get(), from, SEEK_SET) != 0) throw SystemError("cannot read the run report's temporary file");
    while (from < to) {
        const std::size_t want = static_cast<std::size_t>(std::min<long>(to - from, sizeof buffer));
        const std::size_t got = std::fread(buffer, 1, want, file.get());
        if (got == 0) throw SystemError("cannot read the run report's temporary file");
        if (std::fwrite(buffer, 1, got, out) != got) throw SystemError("cannot write the report");
        from += static_cast<long>(got);
    }
}

JsonReport::JsonReport() = default;

void JsonReport::row(const std::string& registry, const RowRecord& record) {
    std::string json = "{\"position\":" + std::to_string(record.position) + ",\"key\":{";
    for (std::size_t i = 0; i < record.key.size(); ++i) {
        if (i) json += ',';
        json += JsonFromWindows1252(record.key[i].first) + ":" + JsonFromWindows1252(record.key[i].second);
    }
    json += "},\"outcome\":";
    json += record.outcome == RowOutcome::Skipped ? "\"skipped\"" : "\"failed\"";
    json += ",\"reason\":" + JsonFromWindows1252(record.reason) + ",\"columns\":[";
    for (std::size_t i = 0; i < record.columns.size(); ++i) json += (i ? "," : "") + JsonFromWindows1252(record.columns[i]);
    json += "]}";

    const bool continues = !segments_.empty() && segments_.back().registry == registry && segments_.back().to == rows_.size;
    if (!continues) segments_.push_back({registry, rows_.size, rows_.size});
    else json.insert(0, ",\n      ");
    rows_.append(json);
    segments_.back().to = rows_.size;
}

void JsonReport::spoolMessage(const std::string& json) { messages_.append((messages_.size ? ",\n    " : "") + json); }

void JsonReport::message(BoxKind kind, const std::string& caption, const std::string& text) {
    spoolMessage(std::string("{\"kind\":\"") + KindName(kind) + "\",\"caption\":" + JsonFromWindows1252(caption) +
                 ",\"text\":" + JsonFromWindows1252(text) + "}");
}

void JsonReport::question(const std::string& caption, const std::string& text, bool answer) {
    spoolMessage("{\"kind\":\"confirmation\",\"caption\":" + JsonFromWindows1252(caption) +
                 ",\"text\":" + JsonFromWindows1252(text) + ",\"answer\":" + (answer ? "true" : "false") + "}");
}

void JsonReport::write(const std::string& path, const ReportedRun& run, const RunSummary& summary) const {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!out) throw SystemError("cannot write the report " + path);
    write(out.get(), run, summary);
    if (std::fclose(out.release()) != 0) throw SystemError("cannot write the report " + path);
}

void JsonReport::write(std::FILE* out, const ReportedRun& run, const RunSummary& summary) const {
    Put(out, "{\n  \"source\": " + JsonFromPath(run.source) + ",\n  \"target\": " + JsonFromPath(run.target) +
                 ",\n  \"started\": " + JsonString(Iso8601(run.started)) + ",\n  \"seconds\": " + Number(run.seconds) +
                 ",\n  \"exit\": " + std::to_string(run.exit) + ",\n  \"commit_every\": " +
                 std::to_string(run.commitEvery) + ",\n  \"keep_going\": " + (run.keepGoing ? "true" : "false") +
                 ",\n  \"check\": " + (run.check ? "true" : "null") + ",\n  \"interrupted\": " + (summary.interrupted ? "true" : "false") +
                 ",\n  \"interrupted_in\": " +
                 (summary.interrupted && !summary.interruptedIn.empty() ? JsonString(summary.interruptedIn) : "null") +
                 ",\n  \"backup\": " + (summary.backupFile.empty() ? "null" : JsonFromPath(summary.backupFile)) +
                 ",\n  \"restore\": " +
                 (summary.backupFile.empty() ? "null" : JsonFromPath(RestoreCommand(summary.backupFile, run.target))) +
                 (run.check ? CheckFields(*run.check) : std::string()) + ",\n  \"messages\": [");
    if (messages_.size) {
        Put(out, "\n    ");
        messages_.copyRange(0, messages_.size, out);
        Put(out, "\n  ");
    }
    Put(out, "],\n  \"registries\": [");
    bool first = true;
    for (const RegistryAccount& a : AccountRegistries(run.ticked, summary)) {
        const RegistryResult none;
        const RegistryResult& r = a.result ? *a.result : none;
        std::string head = std::string(first ? "\n" : ",\n") + "    {\"name\": " + JsonString(std::string(a.registry->name)) +
                           ", \"state\": \"" + StateName(a.state) + "\", \"read\": " + std::to_string(r.read) +
                           ", \"written\": " + std::to_string(r.written) + ", \"skipped\": " + std::to_string(r.skipped) +
                           ", \"failed\": " + std::to_string(r.failed) + ", \"not_tried\": " + std::to_string(r.notTried) +
                           ", \"seconds\": " + Number(r.seconds) + ", \"cut\": {";
        bool firstCut = true;
        for (const auto& [column, count] : r.cut) {
            head += (firstCut ? "" : ", ") + JsonFromWindows1252(column) + ": " + std::to_string(count);
            firstCut = false;
        }
        head += "}, \"rows\": [";
        Put(out, head);
        first = false;
        bool anyRows = false;
        if (a.result)
            for (const Segment& segment : segments_) {
                if (segment.registry != r.name) continue;
                Put(out, anyRows ? ",\n      " : "\n      ");
                rows_.copyRange(segment.from, segment.to, out);
                anyRows = true;
            }
        Put(out, anyRows ? "\n    ]}" : "]}");
    }
    Put(out, "\n  ]\n}\n");
    if (std::fflush(out) != 0) throw SystemError("cannot write the report");
}

}  // namespace conversor
