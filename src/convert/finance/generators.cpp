#include <cctype>
#include <charconv>
#include <set>
#include <string>

#include "convert/finance/filiais.h"
#include "db/guarded.h"
#include "db/firebird/error.h"
#include "db/session.h"
#include "text/cp1252.h"

namespace conversor {

namespace {

// One of a branch's two generators.
struct BranchGenerator {
    const char* name;        // catalogue name before the branch code
    const char* create;      // statement before the branch code, for a generator left at 0
    const char* createStarted;  // the same, created and started in one statement
    const char* sourceMax;   // highest number already used in the source
};

constexpr BranchGenerator kQuotes{"GENORC", "Create Generator GenOrc", "CREATE SEQUENCE GenOrc",
                                  "SELECT MAX(ORCAMENTOCONTADOR) AS CODIGO FROM EST024"};
constexpr BranchGenerator kSales{"GENPDV", "Create Generator GenPdv", "CREATE SEQUENCE GenPdv",
                                 "SELECT MAX(VENDACONTADOR) AS CODIGO FROM EST007"};

// The generator statements take the branch code and the start value into
// their text (DDL has no parameters), so only plain names and numbers may
// get there.
bool IsPlainCode(const std::string& code) {
    if (code.empty()) return false;
    // ASCII only, whatever the locale says a letter is.
    for (char c : code)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
    return true;
}

bool IsWholeNumber(const std::string& text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end;
}

const char* const kBranches = "Select CodEmpresa From Filiais";
const char* const kGeneratorExists =
    "SELECT RDB$GENERATOR_NAME AS NOME FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME = :NOME";

bool GeneratorExists(Session& s, const std::string& name) {
    Statement& q = s.qryAuxOrdelio;
    q.close();
    q.setText(kGeneratorExists);
    q.param("NOME").setText(name);
    q.open();
    const bool exists = !q.eof();
    q.close();
    return exists;
}

std::string SourceMaximum(Session& s, const char* sql) {
    Statement& q = s.qryAuxTalvo;
    q.close();
    q.setText(sql);
    q.open();
    std::string value = q.eof() ? std::string() : q.field("CODIGO").asText();
    q.close();
    return value;
}

// Created and started in one commit: a run stopped in between would leave a
// generator at 0 that later runs find and keep.
std::string GeneratorStatement(const char* create, const char* createStarted, const std::string& code,
                               const std::string& start) {
    // An empty source leaves the new generator at its initial value.
    if (start.empty()) return create + code;
    return createStarted + code + " START WITH " + start;
}

// together: the definition joins the batch instead of committing at once.
// False when it failed (and was reported).
bool GravaGenerator(Session& s, const BranchGenerator& g, const std::string& code, bool together) {
    return RunGuarded(s,
               W("Ocorreu um erro ao gravar o generator ") + g.name + code + W(" no banco de dados do Ordelio.") + "\r" +
                   W("Erro: "),
               [&] {
                   if (!IsPlainCode(code)) throw DbError("invalid branch code '" + code + "'");
                   if (GeneratorExists(s, g.name + code)) return;
                   // Read and checked before anything is created, so a bad value leaves no half-made generator.
                   const std::string start = SourceMaximum(s, g.sourceMax);
                   if (!start.empty() && !IsWholeNumber(start))
                       throw DbError("invalid generator value '" + start + "'");
                   const std::string definition = GeneratorStatement(g.create, g.createStarted, code, start);
                   if (together) ExecutaNaTransacao(s, definition);
                   else ExecutaDefinicao(s, definition);
               });
}

// What GravaGenerators runs; the definitions with a branch code and a start
// value as they would take them.
StatementPlan GeneratorStatements() {
    StatementPlan plan{OnTarget(kBranches), OnTarget(kGeneratorExists)};
    for (const BranchGenerator* g : {&kQuotes, &kSales}) {
        plan.push_back(OnSource(g->sourceMax));
        plan.push_back(OnTarget(GeneratorStatement(g->create, g->createStarted, "01", "")));
        plan.push_back(OnTarget(GeneratorStatement(g->create, g->createStarted, "01", "1")));
    }
    return plan;
}

}  // namespace

void GravaGenerators(Session& s) {
    if (s.planning) {
        const StatementPlan plan = GeneratorStatements();
        s.planning->insert(s.planning->end(), plan.begin(), plan.end());
        return;
    }
    // Under batches every branch's generators are defined in one transaction
    // and committed once: each definition's commit rewrites a dozen catalogue
    // pages. Should that commit fail, nothing of it stays, and they are made
    // again one commit each, so that every failure names its own generator.
    // Those that failed (and were reported) are not tried again.
    const bool together = s.commitInterval() > 1 && !s.rehearsing();
    std::set<std::string> failed;
    auto gravaTodos = [&s, &failed](bool oneTransaction) {
        Statement branches(s.CnOrdelio);
        branches.setText(kBranches);
        branches.open();
        for (; !branches.eof(); branches.next()) {
            const std::string code = branches.field("CODEMPRESA").asText();
            for (const BranchGenerator* g : {&kQuotes, &kSales})
                if (!failed.count(g->name + code) && !GravaGenerator(s, *g, code, oneTransaction))
                    failed.insert(g->name + code);
        }
    };
    gravaTodos(together);
    if (!together) return;
    try {
        s.flushBatch();
    } catch (const DbError&) {
        gravaTodos(false);
    }
}

}  // namespace conversor
