// conversor-cli end to end on embedded databases: exit status, message
// format, --only, operations, the refused confirmation and --version.
#include <gtest/gtest.h>

#include <regex>

#include "program_version.h"

#include "support/cli_process.h"
#include "support/damage.h"
#include "support/fixture.h"
#include "support/json.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

using Result = CliResult;
using Args = std::vector<std::string>;

Args Joined(Args first, const Args& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

class CliTest : public ::testing::Test {
protected:
    TestDatabases db;

    Result cli(const Args& args) { return RunCli(db, args); }
    // The test's two databases, then the rest.
    Args paths(const Args& rest = {}) {
        return Joined({"--source", db.sourcePath(), "--target", db.targetPath()}, rest);
    }
};

TEST_F(CliTest, UsageErrorsAndHelp) {
    EXPECT_EQ(cli({"--help"}).status, 0);
    EXPECT_NE(cli({"--help"}).out.find("--only NAMES"), std::string::npos);
    EXPECT_EQ(cli({"--source", "x"}).status, 2);
    Result r = cli(paths({"--only", "cidades,bogus"}));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown registry 'bogus'"), std::string::npos) << r.err;
    EXPECT_EQ(cli(paths({"--commit-every", "0"})).status, 2);
}

TEST_F(CliTest, VersionNeedsNoDatabaseAndNamesTheClientLibrary) {
    for (const Args& args : {Args{"--version"}, Args{"--source", "/nowhere/x.fdb", "--version"}, Args{"--version", "--yes"}}) {
        Result r = cli(args);
        const std::string named = ::testing::PrintToString(args);
        EXPECT_EQ(r.status, 0) << named;
        const std::string first = std::string("conversor-cli ") + kProgramVersion + "\n";
        EXPECT_EQ(r.out.substr(0, first.size()), first) << named;
        EXPECT_TRUE(std::regex_match(r.out.substr(first.size()), std::regex("Firebird client 3\\.0\\.[0-9]+\\.[0-9]+\n")))
            << named << ": " << r.out;
        EXPECT_EQ(r.err, "") << named;
    }
}

TEST_F(CliTest, AnOperationCodeIsAtMostThreeDigits) {
    // 9101 would otherwise be cut to 101, another operation.
    db.onTarget("INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO) VALUES ('101', 'PAGAMENTOS', '5');"
                "INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00009', 'KEPT', 'SP')");
    for (const char* option : {"--payables-op", "--receivables-op"})
        for (const char* code : {"9101", "0101", "1a", "-1", " 101"}) {
            Result r = cli(paths({"--yes", option, code}));
            EXPECT_EQ(r.status, 2) << option << " " << code;
            EXPECT_NE(r.err.find(std::string(option) + " takes a code of at most three digits"), std::string::npos)
                << r.err;
        }
    EXPECT_EQ(db.targetRows("SELECT CODCIDADE FROM CIDADES"), (Rows{{"00009"}})) << "nothing changed";
}

TEST_F(CliTest, AConnectionFailureExitsTwoWithTheServersReason) {
    Result r = cli({"--yes", "--source", (db.dir() / "missing.fdb").string(), "--target", db.targetPath()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("[Informação] Impossível conectar ao banco de dados Talvo pelo seguinte motivo: \n", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("missing.fdb"), std::string::npos);
    EXPECT_EQ(r.out, "");
}

TEST_F(CliTest, WithoutATerminalTheConfirmationIsRefused) {
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00009', 'KEPT', 'SP')");
    Result r = cli(paths({"--only", "cidades"}));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("[Confirmação] A T E N Ç Ã O :\nTodas os dados"), std::string::npos) << r.err;
    EXPECT_EQ(db.targetRows("SELECT CODCIDADE FROM CIDADES"), (Rows{{"00009"}}));
    EXPECT_EQ(db.targetValue("SELECT LIST(RDB$TRIGGER_INACTIVE, '') FROM RDB$TRIGGERS "
                             "WHERE RDB$TRIGGER_NAME IN ('COMPCLIE_AI0', 'COMPCLIE_AU0')"),
              "00");
}

TEST_F(CliTest, AFailingRowIsPrintedAndExitsOne) {
    // Two source cities that both become code 00001: the second one fails.
    db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'ITAJUB\xC1', 'MG');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 100001, 'OUTRA', 'MG')");
    Result r = cli(paths({"--yes", "--only", "documentosreceber,cidades"}));
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("[Erro] Ocorreu um erro ao converter o seguinte registro para a tabela CIDADES\n"
                         "Cidade: OUTRA\nErro: "),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("[Informação] Conversão de dados finalizada."), std::string::npos) << r.err;
    const auto cidades = r.out.find("cidades ");
    const auto documentos = r.out.find("documentosreceber ");
    ASSERT_NE(cidades, std::string::npos) << r.out;
    ASSERT_NE(documentos, std::string::npos) << r.out;
    EXPECT_LT(cidades, documentos) << "the run's own order, not the order given";
    EXPECT_NE(r.out.find("stopped at a failing row"), std::string::npos) << r.out;
    EXPECT_EQ(db.targetRows("SELECT CODCIDADE, CIDADE FROM CIDADES"), (Rows{{"00001", "ITAJUB\xC1"}}));
}

TEST_F(CliTest, OperationCodesAreCheckedBeforeAnythingChanges) {
    db.onTarget("INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO) VALUES ('007', 'COMPRAS', '5');"
                "INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00009', 'KEPT', 'SP')");
    Result r = cli(paths({"--yes", "--payables-op", "7", "--receivables-op", "7"}));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "[Alerta] Operação não cadastrada.\n");
    EXPECT_EQ(db.targetRows("SELECT CODCIDADE FROM CIDADES"), (Rows{{"00009"}}));
}

TEST_F(CliTest, ACleanRunOfEveryRegistryExitsZero) {
    db.onTarget("INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO) VALUES ('007', 'COMPRAS', '5')");
    Result r = cli(paths({"--yes", "--payables-op", "7"}));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 21) << r.out;
}

// The run report: well-formed, every field there, whatever became of the run.
class CliReportTest : public CliTest {
protected:
    std::string file() { return (db.dir() / "report.json").string(); }
    Json report(const Args& args, int status) {
        const Result r = cli(paths(Joined({"--report", file()}, args)));
        EXPECT_EQ(r.status, status) << r.err;
        Json json = ReadJsonFile(file());
        for (const char* field : {"source", "target", "started", "seconds", "exit", "commit_every", "keep_going", "check",
                                  "messages", "registries"})
            EXPECT_TRUE(json.has(field)) << field;
        EXPECT_EQ(json["exit"].integer(), status);
        EXPECT_EQ(json["source"].string, db.sourcePath());
        EXPECT_EQ(json["started"].string.size(), 25u) << json["started"].string;
        EXPECT_EQ(json["registries"].array.size(), 20u);
        for (const Json& r : json["registries"].array) {
            for (const char* field : {"name", "state", "read", "written", "skipped", "failed", "not_tried", "seconds", "cut", "rows"})
                EXPECT_TRUE(r.has(field)) << field;
            EXPECT_EQ(r["written"].integer() + r["skipped"].integer() + r["failed"].integer(), r["read"].integer())
                << r["name"].string;
        }
        return json;
    }
    static std::string states(const Json& json) {
        std::string out;
        for (const Json& r : json["registries"].array) out += r["name"].string + "=" + r["state"].string + " ";
        return out;
    }
    static const Json& registry(const Json& json, const std::string& name) {
        for (const Json& r : json["registries"].array)
            if (r["name"].string == name) return r;
        throw std::out_of_range(name);
    }
};

TEST_F(CliReportTest, ACleanRun) {
    db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'ITAJUB\xC1', 'MG');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 2, 'SEM ESTADO', ' ');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 3, '"
                "UM NOME DE CIDADE COMPRIDO DEMAIS', 'SP')");
    const Json json = report({"--yes", "--only", "cidades,grupos", "--commit-every", "10"}, 0);
    EXPECT_EQ(json["commit_every"].integer(), 10);
    EXPECT_FALSE(json["keep_going"].boolean);
    EXPECT_EQ(json["check"].type, Json::Type::Null);
    const Json& cidades = registry(json, "cidades");
    EXPECT_EQ(cidades["state"].string, "converted");
    EXPECT_EQ(cidades["read"].integer(), 3);
    EXPECT_EQ(cidades["skipped"].integer(), 1);
    // Cut to the 30 characters of CIDADE.
    ASSERT_EQ(cidades["cut"].object.size(), 1u);
    EXPECT_EQ(cidades["cut"]["CIDADE"].integer(), 1);
    ASSERT_EQ(cidades["rows"].array.size(), 1u);
    EXPECT_EQ(cidades["rows"][0]["position"].integer(), 2);
    EXPECT_EQ(cidades["rows"][0]["key"]["CODCIDADE"].string, "2");
    EXPECT_EQ(cidades["rows"][0]["outcome"].string, "skipped");
    EXPECT_EQ(registry(json, "clientes")["state"].string, "not_ticked");
    EXPECT_EQ(registry(json, "grupos")["state"].string, "converted");
    // The boxes, decoded: the question, then the end.
    const auto& messages = json["messages"].array;
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0]["kind"].string, "confirmation");
    EXPECT_EQ(messages[1]["caption"].string, "Informação");
    EXPECT_EQ(messages[1]["text"].string, "Conversão de dados finalizada.");
}

TEST_F(CliReportTest, AStoppedRegistryAndGoingOnPastIt) {
    // The second and third cities take the first's code.
    db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'UM', 'MG');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 100001, 'DOIS \"X\"', 'MG');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 200001, 'TRES', 'MG');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 300002, 'QUATRO', 'MG')");
    Json json = report({"--yes", "--only", "cidades"}, 1);
    const Json& stopped = registry(json, "cidades");
    EXPECT_EQ(stopped["state"].string, "stopped");
    EXPECT_EQ(stopped["read"].integer(), 2);
    EXPECT_EQ(stopped["not_tried"].integer(), 2);
    ASSERT_EQ(stopped["rows"].array.size(), 1u);
    EXPECT_EQ(stopped["rows"][0]["outcome"].string, "failed");
    EXPECT_EQ(stopped["rows"][0]["key"]["CODCIDADE"].string, "100001");
    EXPECT_NE(stopped["rows"][0]["reason"].string.find("PRIMARY"), std::string::npos) << stopped["rows"][0]["reason"].string;
    EXPECT_EQ(json["messages"][1]["kind"].string, "error");
    EXPECT_NE(json["messages"][1]["text"].string.find("Cidade: DOIS \"X\"\rErro: "), std::string::npos);

    json = report({"--yes", "--only", "cidades", "--keep-going"}, 1);
    EXPECT_TRUE(json["keep_going"].boolean);
    const Json& going = registry(json, "cidades");
    EXPECT_EQ(going["state"].string, "converted");
    EXPECT_EQ(going["written"].integer(), 2);
    EXPECT_EQ(going["failed"].integer(), 2);
    EXPECT_EQ(going["not_tried"].integer(), 0);
    EXPECT_NE(json["messages"][1]["text"].string.find("\rMais 1 registro não foi convertido por erro."), std::string::npos);
}

TEST_F(CliReportTest, AMissingSourceTableEndsTheRunAndTheRestIsNotRun) {
    db.onSource("DROP TABLE EST002");
    const Json json = report({"--yes", "--only", "cidades,grupos,produtos,documentosreceber"}, 1);
    EXPECT_EQ(states(json).find("cidades=converted clientes=not_ticked grupos=stopped subgrupos=not_ticked"), 0u)
        << states(json);
    EXPECT_EQ(registry(json, "produtos")["state"].string, "not_run");
    EXPECT_EQ(registry(json, "documentosreceber")["state"].string, "not_run");
    EXPECT_EQ(json["messages"].array.back()["caption"].string, "Conversor");
    EXPECT_NE(json["messages"].array.back()["text"].string.find("EST002"), std::string::npos);
    const Result r = cli(paths({"--yes", "--only", "cidades,grupos,produtos,documentosreceber"}));
    EXPECT_NE(r.out.find("not run (an error ended the run before them): produtos, documentosreceber\n"), std::string::npos)
        << r.out;
}

TEST_F(CliReportTest, ARefusedConfirmation) {
    const Json json = report({"--only", "cidades"}, 2);
    EXPECT_EQ(registry(json, "cidades")["state"].string, "not_run");
    ASSERT_EQ(json["messages"].array.size(), 1u);
    EXPECT_EQ(json["messages"][0]["kind"].string, "confirmation");
    EXPECT_FALSE(json["messages"][0]["answer"].boolean);
}

TEST_F(CliReportTest, AReportThatCannotBeWrittenStopsBeforeTheRun) {
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00009', 'KEPT', 'SP')");
    const Result r = cli(paths({"--yes", "--report", (db.dir() / "no" / "such" / "dir.json").string()}));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("cannot write the report"), std::string::npos) << r.err;
    EXPECT_EQ(db.targetRows("SELECT CODCIDADE FROM CIDADES"), (Rows{{"00009"}}));
}

// --check: nothing asked, nothing changed, exit 0 / 1 / 2 as the run would fare.
class CliCheckTest : public CliTest {
protected:
    void SetUp() override {
        db.onTarget("INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO) VALUES ('101', 'PAGAMENTOS', '5');"
                    "INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO) VALUES ('201', 'RECEBIMENTOS', '8');"
                    "INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00009', 'KEPT', 'SP')");
        db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'ITAJUB\xC1', 'MG')");
    }
    Result check(const Args& options) { return cli(paths(Joined({"--check"}, options))); }
    // The check's report, written beside its output.
    std::string reportFile() { return (db.dir() / "check.json").string(); }
    Json report(const Result& r) {
        const Json json = ReadJsonFile(reportFile());
        EXPECT_TRUE(json["check"].boolean);
        EXPECT_TRUE(json["keep_going"].boolean) << "the dry run goes on past failing rows";
        EXPECT_EQ(json["exit"].integer(), r.status);
        EXPECT_EQ(json["registries"].array.size(), 20u);
        return json;
    }
    void expectUnchanged() {
        EXPECT_EQ(db.targetRows("SELECT CODCIDADE, CIDADE FROM CIDADES"), (Rows{{"00009", "KEPT"}}));
        EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CONDPAG"), "0");
        EXPECT_EQ(db.targetValue("SELECT LIST(RDB$TRIGGER_INACTIVE, '') FROM RDB$TRIGGERS "
                                 "WHERE RDB$TRIGGER_NAME IN ('COMPCLIE_AI0', 'COMPCLIE_AU0')"),
                  "00");
    }
};

TEST_F(CliCheckTest, ACleanCheckExitsZeroWithTheRunsSummaryAndChangesNothing) {
    Result r = check({"--payables-op", "101", "--receivables-op", "201"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.err, "") << "no question, no box";
    EXPECT_EQ(r.out.rfind("check: nothing was changed in either database\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("cidades                       1          1          0          0          0  ok"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("verdict: the run would convert everything without a box"), std::string::npos) << r.out;
    expectUnchanged();
}

TEST_F(CliCheckTest, WarningsFailingRowsAndADamagedSourceExitOne) {
    // No operations chosen: a warning each.
    Result r = check({"--only", "cidades,documentospagar,documentosreceber", "--report", reportFile()});
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("documentospagar: no operation chosen (--payables-op)"), std::string::npos) << r.out;
    Json json = report(r);
    ASSERT_EQ(json["warnings"].array.size(), 2u);
    EXPECT_EQ(json["warnings"][0]["kind"].string, "no_operation");
    EXPECT_EQ(json["warnings"][0]["registry"].string, "documentospagar");
    EXPECT_TRUE(json["schema_problems"].array.empty());

    // Rows the target refuses and a row left out by its rule: the run's own
    // box on standard error, every row listed, the registry going on.
    db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 100001, 'OUTRA', 'MG');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 200001, 'MAIS UMA', 'MG');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 3, 'SEM ESTADO', ' ');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 4, 'DEPOIS', 'MG')");
    r = check({"--only", "cidades", "--report", reportFile()});
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.err.find("[Erro] Ocorreu um erro ao converter o seguinte registro para a tabela CIDADES\n"
                         "Cidade: OUTRA\nErro: "),
              std::string::npos)
        << r.err;
    for (const char* expected : {"rows the run would skip or fail (3):\n", "  cidades row 2 (CODCIDADE=3) skipped: Cidade sem estado\n",
                                 "  cidades row 4 (CODCIDADE=100001) failed:\n      violation of PRIMARY",
                                 "  cidades row 5 (CODCIDADE=200001) failed:\n",
                                 "cidades                       5          2          1          2          0  rows failed"})
        EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
    json = report(r);
    const Json& cidades = json["registries"][0];
    EXPECT_EQ(cidades["state"].string, "converted");
    ASSERT_EQ(cidades["rows"].array.size(), 3u);
    EXPECT_EQ(cidades["rows"][1]["key"]["CODCIDADE"].string, "100001");
    EXPECT_EQ(cidades["rows"][1]["outcome"].string, "failed");
    expectUnchanged();

    db.onSource("DELETE FROM REP004 WHERE CIDCONTADOR <> 1");
    db.closeConnections();
    DamageFirstDataPage(db.sourcePath(), 3, "REP004");
    r = check({"--only", "grupos", "--report", reportFile()});
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_NE(r.out.find("source health ("), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(REP004)"), std::string::npos) << r.out;
    json = report(r);
    ASSERT_FALSE(json["source_health"].array.empty());
    EXPECT_EQ(json["source_health"][0]["kind"].string, "damaged_source");
    EXPECT_EQ(json["source_health"][0]["database"].string, "source");
}

TEST_F(CliCheckTest, SchemaProblemsOnBothSidesAndAnUnknownOperationExitTwo) {
    db.onTarget("DROP TABLE TRANSPT");
    db.onSource("DROP TABLE EST038");
    Result r = check({"--payables-op", "999", "--receivables-op", "201", "--report", reportFile()});
    EXPECT_EQ(r.status, 2) << r.out << r.err;
    const Json json = report(r);
    std::string problems;
    for (const Json& p : json["schema_problems"].array)
        problems += p["kind"].string + " " + (p["registry"].type == Json::Type::Null ? "-" : p["registry"].string) +
                    " " + p["database"].string + "\n";
    for (const char* expected : {"statement produtos source\n", "statement transportadoras target\n",
                                 "unknown_operation documentospagar target\n"})
        EXPECT_NE(problems.find(expected), std::string::npos) << expected << "\n" << problems;
    std::string notChecked;
    for (const Json& name : json["not_checked"].array) notChecked += name.string + " ";
    EXPECT_EQ(notChecked, "produtos transportadoras ");
    for (const char* expected : {"produtos (source): SELECT EST004.EMPRESA", "-EST038",
                                 "transportadoras (target): DELETE FROM TRANSPT", "-TRANSPT",
                                 "documentospagar: operation 999 is not in CDOPERC under its type",
                                 "produtos                      -          -  not tried: schema problems"})
        EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
    EXPECT_NE(r.out.find("clientes "), std::string::npos) << "the other registries were tried: " << r.out;
    expectUnchanged();
}

TEST_F(CliCheckTest, NoCheckWithoutItsDatabases) {
    Result r = cli({"--check", "--source", (db.dir() / "none.fdb").string(), "--target", db.targetPath()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Talvo pelo seguinte motivo"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace conversor::testing
