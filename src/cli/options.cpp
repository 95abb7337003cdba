#include "cli/options.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "app/registries.h"

namespace conversor::cli {

const char* const kUsage =
    "Usage: conversor-cli --source PATH --target PATH [--only NAMES]\n"
    "                     [--payables-op CODE] [--receivables-op CODE]\n"
    "                     [--commit-every N] [--keep-going] [--report FILE]\n"
    "                     [--backup FILE] [--yes]\n"
    "       conversor-cli --check --source PATH --target PATH [--only NAMES]\n"
    "                     [--payables-op CODE] [--receivables-op CODE]\n"
    "                     [--report FILE]\n"
    "\n"
    "Converts a Talvo database (--source, read only) into an Ordelio database\n"
    "(--target), registry by registry, as the window's \"Converter\" does.\n"
    "A path is a local file (opened by the embedded engine) or host:path.\n"
    "\n"
    "  --only NAMES          comma-separated registries to convert (default: all),\n"
    "                        always in the run's fixed order:\n"
    "                        cidades, clientes, grupos, subgrupos, clasfisc,\n"
    "                        fabricantes, produtos, fornecedores, vendedores,\n"
    "                        filiais, bancos, agencias, contas, tipolancamentos,\n"
    "                        transportadoras, segmentos, compclientes,\n"
    "                        condicoespagamento, documentospagar, documentosreceber\n"
    "  --payables-op CODE    operation (CDOPERC type 5) for payable documents\n"
    "  --receivables-op CODE operation (CDOPERC type 8) for receivable documents\n"
    "                        (at most three digits, zero-padded to 3; an unknown\n"
    "                        one stops the run before anything is changed)\n"
    "  --commit-every N      rows per commit on the target (default 1: one\n"
    "                        transaction per row); the result is the same\n"
    "  --keep-going          a failing row is undone alone and recorded, and its\n"
    "                        registry goes on with the next row (default: the\n"
    "                        first failing row stops its registry)\n"
    "  --report FILE         writes the run report to FILE: a JSON document with\n"
    "                        every registry's accounting and every row it left\n"
    "                        out or failed, with its source key and reason\n"
    "  --backup FILE         after the confirmation, before anything is changed,\n"
    "                        back the target up to FILE through the engine's\n"
    "                        backup service (restore it with gbak); for a\n"
    "                        host:path target FILE is a path on that server.\n"
    "                        A failing backup, or a local FILE that already\n"
    "                        exists, stops the run with nothing changed\n"
    "  --yes                 answer the confirmation; without it the question is\n"
    "                        asked on the terminal, and refused when standard\n"
    "                        input is not a terminal\n"
    "  --check               change nothing: prepare every statement the run\n"
    "                        would run, look for the triggers and generator it\n"
    "                        needs, check the operation codes, have the engine\n"
    "                        validate the source, and convert everything in a\n"
    "                        target transaction that is rolled back, going on\n"
    "                        past failing rows as --keep-going does; prints what\n"
    "                        it found, every row the run would skip or fail, and\n"
    "                        the run's summary (no --yes needed). With --report\n"
    "                        FILE it writes the run report of the dry run, with\n"
    "                        \"check\": true and the findings\n"
    "  --version             the program's version and the Firebird client's\n"
    "  --help                this text\n"
    "\n"
    "Message boxes go to standard error as \"[Caption] text\"; progress shows on\n"
    "standard error when it is a terminal; a summary of each registry that ran\n"
    "(rows read, written, skipped, failed and not tried, stopped or not) goes to\n"
    "standard output, followed by the registries an error kept from running.\n"
    "\n"
    "SIGINT, SIGTERM and SIGHUP stop the run at the next row boundary (a statement\n"
    "waiting on a lock is cancelled): the row in progress is undone, the rows\n"
    "committed before stay, and the triggers are switched back on.\n"
    "\n"
    "Exit status: 0 converted without any error or warning box; 1 converted, but\n"
    "an error or warning box was shown; 2 nothing converted (usage error, empty\n"
    "path, connection failure, unknown operation, confirmation refused, another\n"
    "conversion running on the target, failed backup); 130, 143, 129 stopped by\n"
    "SIGINT, SIGTERM, SIGHUP.\n"
    "With --check: 0 the run would convert everything without a box; 1 it would\n"
    "show boxes, or skip or fail rows (or no operation was chosen for documents,\n"
    "or the source is damaged); 2 schema problems (a statement the\n"
    "server refuses, a missing trigger or generator, an unknown operation) or\n"
    "the check could not run.\n";

namespace {
std::vector<std::string> splitNames(const std::string& list) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = list.find(',', start);
        out.push_back(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return out;
}
// As the window's code edit takes it: digits only, at most three. A longer
// code would otherwise be cut to its rightmost three digits and name another
// operation.
const std::string& operationCode(const std::string& option, const std::string& code) {
    const bool digits = std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || code.size() > 3) throw std::invalid_argument(option + " takes a code of at most three digits");
    return code;
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
    Options o;
    o.ticked.fill(true);
    bool haveSource = false, haveTarget = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--source") {
            o.source = value();
            haveSource = true;
        } else if (a == "--target") {
            o.target = value();
            haveTarget = true;
        } else if (a == "--only") {
            o.ticked.fill(false);
            for (const std::string& name : splitNames(value())) {
                const Registry* r = FindRegistry(name);
                if (!r) throw std::invalid_argument("unknown registry '" + name + "' in --only");
                o.ticked[static_cast<std::size_t>(r - Registries().data())] = true;
            }
        } else if (a == "--payables-op") {
            o.payablesOp = operationCode(a, value());
        } else if (a == "--receivables-op") {
            o.receivablesOp = operationCode(a, value());
        } else if (a == "--commit-every") {
            const std::string& v = value();
            int n = 0;
            auto res = std::from_chars(v.data(), v.data() + v.size(), n);
            if (res.ec != std::errc() || res.ptr != v.data() + v.size() || n < 1)
                throw std::invalid_argument("--commit-every takes a whole number of 1 or more");
            o.commitEvery = n;
        } else if (a == "--keep-going") {
            o.keepGoing = true;
        } else if (a == "--report") {
            o.report = value();
            if (o.report->empty()) throw std::invalid_argument("--report needs a file name");
        } else if (a == "--backup") {
            o.backup = value();
            if (o.backup.empty()) throw std::invalid_argument("--backup needs a file name");
        } else if (a == "--check") {
            o.check = true;
        } else if (a == "--yes" || a == "-y") {
            o.yes = true;
        } else {
            throw std::invalid_argument("unknown argument '" + a + "'");
        }
    }
    if (!o.help && !o.version && (!haveSource || !haveTarget)) throw std::invalid_argument("--source and --target are required");
    return o;
}

}  // namespace conversor::cli
