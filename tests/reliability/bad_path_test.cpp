// Paths that do not lead to a usable database: each connection failure is
// reported with the server's own reason, nothing is converted, nothing
// crashes, and neither database nor the bad file changes. The command line
// exits 2 for them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "db/session.h"
#include "reliability/helpers.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

namespace fs = std::filesystem;

struct BadPath {
    const char* name;
    // Makes the bad path inside the test's folder and returns it.
    std::string (*make)(const fs::path& dir);
    const char* reason;  // a fragment of the server's reason
};

// Names the case in test listings.
void PrintTo(const BadPath& c, std::ostream* os) { *os << c.name; }

const BadPath kBadPaths[] = {
    {"MissingFile", [](const fs::path& d) { return (d / "missing.fb").string(); }, "No such file or directory"},
    {"Folder",
     [](const fs::path& d) {
         fs::create_directory(d / "folder.fb");
         return (d / "folder.fb").string();
     },
     "Is a directory"},
    {"EmptyFile",
     [](const fs::path& d) {
         std::ofstream(d / "empty.fb").flush();
         return (d / "empty.fb").string();
     },
     "File size is less than expected"},
    {"TextFile",
     [](const fs::path& d) {
         std::ofstream out(d / "text.fb");
         for (int i = 0; i < 500; ++i) out << "CODCIDADE;CIDADE;ESTADO\n00001;ITAJUBA;MG\n";
         return (d / "text.fb").string();
     },
     "not a valid database"},
    // Loopback only: a port nothing listens on.
    {"UnreachableServer", [](const fs::path& d) { return "127.0.0.1/3999:" + (d / "x.fb").string(); },
     "Unable to complete network request to host \"127.0.0.1\""},
};

std::string CaseName(const ::testing::TestParamInfo<BadPath>& info) { return info.param.name; }

// The file's bytes, or its kind when it is not a regular file.
std::string Bytes(const std::string& path) {
    if (fs::is_directory(path)) return "<folder>";
    if (!fs::exists(path)) return "<none>";
    return ReadFile(path);
}

class BadPathTest : public ::testing::TestWithParam<BadPath> {
protected:
    void SetUp() override {
        db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'NEW', 'MG')");
        db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00009', 'KEPT', 'SP')");
        sourceBefore = ReadContents(db.source());
        targetBefore = ReadContents(db.target());
        bad = GetParam().make(db.dir());
        badBefore = Bytes(bad);
    }
    // Both databases hold what they held, and the bad file is as it was.
    void ExpectNothingChanged() {
        EXPECT_EQ(ReadContents(db.source()), sourceBefore);
        EXPECT_EQ(ReadContents(db.target()), targetBefore);
        EXPECT_EQ(Bytes(bad), badBefore);
    }

    TestDatabases db;
    Contents sourceBefore, targetBefore;
    std::string bad, badBefore;
};

TEST_P(BadPathTest, AsTheSourceTheRunStopsWithTheReason) {
    RecordingOperator ui;
    Session session(ui);
    session.sourcePath = bad;
    session.targetPath = db.targetPath();
    EXPECT_EQ(ExecuteRun(session, All()), RunOutcome::ConnectionFailed);
    ASSERT_EQ(ui.boxes.size(), 1u) << ::testing::PrintToString(ui.boxTexts());
    const std::string prefix = W("Impossível conectar ao banco de dados Talvo pelo seguinte motivo: \r");
    EXPECT_EQ(ui.boxes[0].text.rfind(prefix, 0), 0u) << ui.boxTexts()[0];
    EXPECT_NE(ui.boxes[0].text.find(GetParam().reason, prefix.size()), std::string::npos) << ui.boxTexts()[0];
    EXPECT_EQ(ui.questions, 0);
    session.CnOrdelio.close();
    ExpectNothingChanged();
}

TEST_P(BadPathTest, AsTheTargetTheRunStopsWithTheReason) {
    RecordingOperator ui;
    Session session(ui);
    session.sourcePath = db.sourcePath();
    session.targetPath = bad;
    EXPECT_EQ(ExecuteRun(session, All()), RunOutcome::ConnectionFailed);
    ASSERT_EQ(ui.boxes.size(), 2u) << ::testing::PrintToString(ui.boxTexts());
    const std::string prefix = W("Impossível conectar ao banco de dados do Ordelio pelo seguinte motivo: \r");
    EXPECT_EQ(ui.boxes[0].text.rfind(prefix, 0), 0u) << ui.boxTexts()[0];
    EXPECT_NE(ui.boxes[0].text.find(GetParam().reason, prefix.size()), std::string::npos) << ui.boxTexts()[0];
    // Switching the triggers back on meets the same failure and says so.
    EXPECT_EQ(ui.boxes[1].text.rfind("Erro ao ativar as Triggers: ", 0), 0u) << ui.boxTexts()[1];
    EXPECT_NE(ui.boxes[1].text.find(GetParam().reason), std::string::npos) << ui.boxTexts()[1];
    EXPECT_EQ(ui.questions, 0);
    session.CnTalvo.close();
    ExpectNothingChanged();
}

TEST_P(BadPathTest, TheCommandLineExitsTwo) {
    for (bool asSource : {true, false}) {
        SCOPED_TRACE(asSource ? "as the source" : "as the target");
        CliResult r = RunCli(db, {"--yes", "--source", asSource ? bad : db.sourcePath(), "--target",
                                  asSource ? db.targetPath() : bad});
        EXPECT_EQ(r.status, 2) << r.err;
        const std::string message = asSource ? "[Informação] Impossível conectar ao banco de dados Talvo"
                                             : "[Informação] Impossível conectar ao banco de dados do Ordelio";
        EXPECT_EQ(r.err.rfind(message, 0), 0u) << r.err;
        EXPECT_NE(r.err.find(GetParam().reason), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    ExpectNothingChanged();
}

INSTANTIATE_TEST_SUITE_P(Reliability, BadPathTest, ::testing::ValuesIn(kBadPaths), CaseName);

// Real databases of the wrong system: both open, so what follows is whatever
// the run meets in the other schema. Each failure is reported with the
// server's reason and neither file changes.
struct WrongFile {
    const char* name;
    bool sourceIsOrdelio, targetIsTalvo;
    Ticked ticked;
    RunOutcome outcome;
    std::vector<std::string> boxHeads;  // each box starts with its head ('\r' shown as '|')
};

// Names the case in test listings.
void PrintTo(const WrongFile& c, std::ostream* os) { *os << c.name; }

const std::string kTriggersOff = "Erro ao desativar as Triggers: unsuccessful metadata update";
const std::string kTriggersOn = "Erro ao ativar as Triggers: unsuccessful metadata update";
const std::string kTerms = W("Ocorreu um erro ao gravar os prazos de pagamento padrão no banco de dados do Ordelio.|Erro: ");

const WrongFile kWrongFiles[] = {
    // The source selection meets a table the Ordelio file does not have: an
    // error no converter handles, so the general report ends the run.
    {"Swapped", true, true, All(), RunOutcome::Aborted,
     {kTriggersOff, kTerms, kTriggersOn, "Dynamic SQL Error\n-SQL error code = -204\n-Table unknown\n-REP004"}},
    {"TalvoAsBoth", false, true, Only({"cidades", "clientes"}), RunOutcome::Completed,
     {kTriggersOff, kTerms,
      "Ocorreu um erro ao limpar a tabela CIDADES no banco de dados do Ordelio.|Erro: Dynamic SQL Error",
      W("Erro ao buscar munic"),
      "Ocorreu um erro ao converter o seguinte registro para a tabela CIDADES|Cidade: NEW|Erro: Dynamic SQL Error",
      "Ocorreu um erro ao limpar a tabela CLIENTE no banco de dados do Ordelio.|Erro: Dynamic SQL Error",
      "Ocorreu um erro ao converter o seguinte registro para a tabela CLIENTE|Cliente: ANA|Erro: Dynamic SQL Error",
      W("Conversão de dados finalizada."), kTriggersOn}},
};

std::string WrongFileName(const ::testing::TestParamInfo<WrongFile>& info) { return info.param.name; }

class WrongFileTest : public ::testing::TestWithParam<WrongFile> {};

TEST_P(WrongFileTest, EveryFailureIsReportedAndNeitherFileChanges) {
    const WrongFile& c = GetParam();
    TestDatabases db;
    db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'NEW', 'MG');"
                "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME) VALUES (1, 1, 'ANA')");
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00009', 'KEPT', 'SP')");
    const Contents talvoBefore = ReadContents(db.source()), ordelioBefore = ReadContents(db.target());
    const std::string source = c.sourceIsOrdelio ? db.targetPath() : db.sourcePath();
    const std::string target = c.targetIsTalvo ? db.sourcePath() : db.targetPath();
    {
        RecordingOperator ui;
        Session session(ui);
        session.sourcePath = source;
        session.targetPath = target;
        EXPECT_EQ(ExecuteRun(session, c.ticked), c.outcome);
        const auto boxes = ui.boxTexts();
        ASSERT_EQ(boxes.size(), c.boxHeads.size()) << ::testing::PrintToString(boxes);
        for (std::size_t i = 0; i < boxes.size(); ++i) EXPECT_EQ(boxes[i].rfind(c.boxHeads[i], 0), 0u) << boxes[i];
    }
    EXPECT_EQ(ReadContents(db.source()), talvoBefore);
    EXPECT_EQ(ReadContents(db.target()), ordelioBefore);

    // The command line: something ran and failed, so it exits 1, not 2.
    std::vector<std::string> args{"--yes", "--source", source, "--target", target};
    if (c.outcome == RunOutcome::Completed) args.insert(args.end(), {"--only", "cidades,clientes"});
    CliResult r = RunCli(db, args);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(ReadContents(db.source()), talvoBefore);
    EXPECT_EQ(ReadContents(db.target()), ordelioBefore);
}

INSTANTIATE_TEST_SUITE_P(Reliability, WrongFileTest, ::testing::ValuesIn(kWrongFiles), WrongFileName);

}  // namespace
}  // namespace conversor::testing

namespace conversor::testing {
namespace {

// Quotes, a semicolon, "--", blanks and non-ASCII bytes in a path are only
// part of a file name: both databases open and the run converts.
TEST(AwkwardPath, ADatabaseInAFolderWithQuotesAndSemicolonsConverts) {
    TestDatabases db;
    db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'NEW', 'MG')");
    db.closeConnections();
    const fs::path folder = db.dir() / "it's; a \"folder\" -- ção";
    fs::create_directory(folder);
    const std::string source = (folder / "talvo 'x';.fdb").string(), target = (folder / "ordelio \"y\" --.fb").string();
    fs::copy_file(db.sourcePath(), source);
    fs::copy_file(db.targetPath(), target);

    CliResult r = RunCli(db, {"--yes", "--only", "cidades", "--source", source, "--target", target});
    EXPECT_EQ(r.status, 0) << r.err;
    auto check = OpenDatabase(target, 1);
    EXPECT_EQ(ReadRows(*check, "SELECT CODCIDADE, CIDADE FROM CIDADES"), (Rows{{"00001", "NEW"}}));
}

}  // namespace
}  // namespace conversor::testing
