// The target's backup before the run changes it: made after the
// confirmation, through the engine's backup service, for a local path and
// through the server. gbak restores it to the target as it was, table by
// table and generator by generator, and so does the command the end of the
// run names. A backup that cannot be made stops the run with nothing changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "db/firebird/backup.h"
#include "db/session.h"
#include "reliability/helpers.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

namespace fs = std::filesystem;

struct Road {
    const char* name;
    bool server;
};

void PrintTo(const Road& r, std::ostream* os) { *os << r.name; }

class BackupTest : public ::testing::TestWithParam<Road> {
protected:
    void SetUp() override {
        if (GetParam().server && ServerHost().empty()) GTEST_SKIP() << "no Firebird server (CONVERSOR_SERVER is not set)";
        // The target as an operator has it: rows the run is about to
        // replace, and a generator that has moved.
        db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00001', 'VELHA', 'SP');"
                    "INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00002', 'ANTIGA', 'MG');"
                    "INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('01000001', 'CLIENTE DE ANTES');"
                    "SET GENERATOR G_NUMORD TO 77");
        db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'NOVA', 'RJ')");
        before = ReadContents(db.target());
        db.closeConnections();
        ShareWithServer(db);
        session.sourcePath = name(db.sourcePath());
        session.targetPath = name(db.targetPath());
    }
    std::string name(const std::string& path) const { return GetParam().server ? ServerHost() + ":" + path : path; }
    std::string backupFile() const { return (db.dir() / "ordelio-antes.fbk").string(); }

    TestDatabases db;
    Contents before;
    RecordingOperator ui;
    Session session{ui};
};

TEST_P(BackupTest, RestoresToTheTargetAsItWasBeforeTheRun) {
    session.backupFile = backupFile();
    ASSERT_EQ(ExecuteRun(session, Only({"cidades", "clientes"})), RunOutcome::Completed)
        << ::testing::PrintToString(ui.boxTexts());
    EXPECT_EQ(session.summary.backupFile, backupFile());
    const std::string restore = RestoreCommand(backupFile(), session.targetPath);
    EXPECT_EQ(ui.boxTexts(), std::vector<std::string>{W("Conversão de dados finalizada.||Cópia de segurança do Ordelio: ") +
                                                      backupFile() + W("|Para restaurá-la: ") + restore});
    session.CnOrdelio.close();
    session.CnTalvo.close();
    EXPECT_EQ(ReadRows(*OpenDatabase(session.targetPath, 1), "SELECT CIDADE FROM CIDADES"), (Rows{{"NOVA"}}));

    const std::string restored = (db.dir() / "restaurado.fb").string();
    const ShellResult gbak = RunShell("gbak -c -user SYSDBA " + backupFile() + " " + restored);
    ASSERT_EQ(gbak.status, 0) << gbak.output;
    EXPECT_EQ(ReadContents(*OpenDatabase(restored, 1)), before);

    // The command the run names puts the backup in the target's place.
    const ShellResult named = RunShell(restore);
    ASSERT_EQ(named.status, 0) << restore << "\n" << named.output;
    EXPECT_EQ(ReadContents(*OpenDatabase(session.targetPath, 1)), before);
}

TEST_P(BackupTest, ABackupThatCannotBeMadeStopsTheRunWithNothingChanged) {
    session.backupFile = (db.dir() / "no such folder" / "ordelio.fbk").string();
    std::vector<bool> enabled;
    const RunScreen screen{[&](bool on) { enabled.push_back(on); }, nullptr};
    EXPECT_EQ(ExecuteRun(session, All(), screen), RunOutcome::BackupFailed);
    EXPECT_EQ(ui.questions, 1) << "the backup comes after the confirmation";
    ASSERT_EQ(ui.boxes.size(), 1u) << ::testing::PrintToString(ui.boxTexts());
    EXPECT_EQ(ui.boxes[0].caption, "Erro");
    const std::string& text = ui.boxes[0].text;
    EXPECT_EQ(text.rfind(W("Não foi possível fazer a cópia de segurança do Ordelio em ") + session.backupFile +
                             W(".\rNada foi alterado.\rErro: "),
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("cannot open backup file"), std::string::npos) << text;
    EXPECT_EQ(enabled, (std::vector<bool>{false, true})) << "the window is usable again";
    EXPECT_TRUE(session.summary.backupFile.empty());
    session.CnOrdelio.close();
    EXPECT_EQ(ReadContents(*OpenDatabase(session.targetPath, 1)), before);
}

TEST_P(BackupTest, NoBackupBeforeTheConfirmation) {
    session.backupFile = backupFile();
    ui.answer = false;
    EXPECT_EQ(ExecuteRun(session, All()), RunOutcome::Refused);
    EXPECT_FALSE(fs::exists(backupFile()));
}

const Road kRoads[] = {{"LocalPath", false}, {"Server", true}};

std::string RoadName(const ::testing::TestParamInfo<Road>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Reliability, BackupTest, ::testing::ValuesIn(kRoads), RoadName);

// A rerun with the same file must not replace the backup of the target as
// it was with one of the converted target.
TEST(Backup, AnExistingFileIsNotReplaced) {
    TestDatabases db;
    const std::string file = (db.dir() / "ordelio-antes.fbk").string();
    { std::ofstream(file) << "the first backup"; }
    db.closeConnections();
    RecordingOperator ui;
    Session session(ui);
    session.sourcePath = db.sourcePath();
    session.targetPath = db.targetPath();
    session.backupFile = file;
    EXPECT_EQ(ExecuteRun(session, All()), RunOutcome::BackupFailed);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].text.find("already exists"), std::string::npos) << ui.boxes[0].text;
    EXPECT_EQ(ReadFile(file), "the first backup");
}

TEST(BackupCommandLine, BacksUpWithBackupAndStopsWhenItCannot) {
    TestDatabases db;
    db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'NOVA', 'RJ')");
    const Contents before = ReadContents(db.target());
    const std::vector<std::string> args{"--yes", "--only", "cidades", "--source", db.sourcePath(), "--target",
                                        db.targetPath(), "--backup"};

    std::vector<std::string> impossible = args;
    impossible.push_back("/nonexistent/ordelio.fbk");
    const CliResult failed = RunCli(db, impossible);
    EXPECT_EQ(failed.status, 2) << failed.err;
    EXPECT_NE(failed.err.find("[Erro] N\xC3\xA3o foi poss\xC3\xADvel fazer a c\xC3\xB3pia de seguran\xC3\xA7" "a do Ordelio em "
                              "/nonexistent/ordelio.fbk.\nNada foi alterado.\nErro: "),
              std::string::npos)
        << failed.err;
    EXPECT_EQ(failed.out, "");
    EXPECT_EQ(ReadContents(db.target()), before);

    const std::string file = (db.dir() / "copia.fbk").string();
    std::vector<std::string> possible = args;
    possible.push_back(file);
    const CliResult done = RunCli(db, possible);
    EXPECT_EQ(done.status, 0) << done.err;
    EXPECT_NE(done.out.find("\nbackup: " + file + "\nrestore: " + RestoreCommand(file, db.targetPath()) + "\n"),
              std::string::npos)
        << done.out;
    EXPECT_TRUE(fs::exists(file));
}

}  // namespace
}  // namespace conversor::testing
