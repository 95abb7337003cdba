// The run as the window drives it: path checks with the focus placed, the
// registries ticked in the window converted in the fixed order, the end box
// with its detail, the reset, and the window's state on the other outcomes.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QRegularExpression>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "app/registries.h"
#include "support/json.h"
#include "window/window_fixture.h"

namespace conversor::testing {
namespace {

class RunTest : public WindowTest {
protected:
    void SetUp() override {
        db.onSource(
            "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'CAMPINAS', 'SP');"
            "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 2, 'SANTOS', 'SP')");
    }
    void tickOnly(std::initializer_list<const char*> names) {
        click("btnDesmarcarTodos");
        for (const char* name : names) check(name)->setChecked(true);
    }
    std::vector<QString> conversions() const {
        std::vector<QString> seen;
        for (const QString& s : window.statuses)
            if (s.startsWith("Convertendo") && (seen.empty() || seen.back() != s)) seen.push_back(s);
        return seen;
    }
    QString statusText() { return control<QLabel>("StatusBarPanel0")->text(); }
    int ticked() {
        int n = 0;
        for (const Registry& r : Registries()) n += check(r.checkBox.data())->isChecked();
        return n;
    }
    // The backups in the databases' folder, named after the target with the
    // date and time.
    QStringList backups() const {
        const QStringList all = QDir(QString::fromStdString(db.dir().string())).entryList({"*.fbk"}, QDir::Files);
        for (const QString& name : all)
            EXPECT_TRUE(QRegularExpression("^ordelio-\\d{4}-\\d\\d-\\d\\d-\\d{6}\\.fbk$").match(name).hasMatch())
                << name.toStdString();
        return all;
    }
    bool screenEnabled() {
        for (const char* name : {"GbCaminhos", "gbCadastros", "gbOpcoes", "btConverter", "btSair"})
            if (!control(name)->isEnabled()) return false;
        return true;
    }
};

TEST_F(RunTest, AnEmptyPathIsReportedAndGetsTheFocus) {
    struct Case {
        bool source, target;
        const char* warning;
        const char* focus;
    };
    const Case cases[] = {
        {false, false, "Caminho do banco de dados Talvo está vazio.", "EdBancoTalvo"},
        {false, true, "Caminho do banco de dados Talvo está vazio.", "EdBancoTalvo"},
        {true, false, "Caminho do banco de dados do Ordelio está vazio.", "EdBancoOrdelio"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.warning);
        window.boxes.clear();
        edit("EdBancoTalvo")->setText(c.source ? QString::fromStdString(db.sourcePath()) : QString());
        edit("EdBancoOrdelio")->setText(c.target ? QString::fromStdString(db.targetPath()) : QString());
        check("ckCidades")->setFocus();
        click("btConverter");
        ASSERT_EQ(window.boxes.size(), 1u);
        EXPECT_EQ(window.boxes[0].kind, BoxKind::Warning);
        EXPECT_EQ(window.boxes[0].caption, "Alerta");
        EXPECT_EQ(window.boxes[0].text, QString::fromUtf8(c.warning));
        EXPECT_EQ(focused(), c.focus);
        EXPECT_EQ(window.questions, 0);
        EXPECT_TRUE(screenEnabled());
        EXPECT_EQ(ticked(), 20);
    }
}

TEST_F(RunTest, TickedRegistriesRunInTheFixedOrderAndTheWindowIsReset) {
    chooseDatabases();
    // Ticked in the opposite order of the run's.
    tickOnly({"chkDocumentosReceber", "ckCidades"});
    bool disabledWhileRunning = false;
    QString shownWhileRunning;
    window.onStatus = [&](const QString& status) {
        if (status != "Convertendo Cidades...") return;
        disabledWhileRunning = !control("GbCaminhos")->isEnabled() && !control("gbCadastros")->isEnabled() &&
                               !control("gbOpcoes")->isEnabled() && !control("btConverter")->isEnabled() &&
                               !control("btSair")->isEnabled() && control("Barra")->isEnabled();
        shownWhileRunning = statusText();
    };
    click("btConverter");

    EXPECT_EQ(window.questions, 1);
    EXPECT_EQ(conversions(),
              (std::vector<QString>{"Convertendo Cidades...", "Convertendo Contas a Receber..."}));
    EXPECT_TRUE(disabledWhileRunning);
    EXPECT_EQ(shownWhileRunning, "Convertendo Cidades...");
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CIDADES"), "2");

    // The backup is ticked as the window opens: made beside the target, and
    // named in the end box with the command that puts it back.
    ASSERT_EQ(backups().size(), 1);
    const std::string backup = (db.dir() / backups()[0].toStdString()).string();
    ASSERT_EQ(window.boxes.size(), 1u);
    const DialogBox& end = window.boxes[0];
    EXPECT_EQ(end.kind, BoxKind::Information);
    EXPECT_EQ(end.caption, QString::fromUtf8("Informação"));
    EXPECT_EQ(end.text, QString::fromUtf8("Conversão de dados finalizada.\r\rCópia de segurança do Ordelio: ") +
                            QString::fromStdString(backup) + QString::fromUtf8("\rPara restaurá-la: gbak -rep -user SYSDBA ") +
                            QString::fromStdString(backup + " " + db.targetPath()));
    EXPECT_TRUE(end.detail.startsWith("Cidades: 2 lidos, 2 gravados")) << end.detail.toStdString();

    // Back to the first state: no paths, everything ticked, the focus on the
    // source path, nothing running.
    EXPECT_EQ(edit("EdBancoTalvo")->text(), "");
    EXPECT_EQ(edit("EdBancoOrdelio")->text(), "");
    EXPECT_EQ(ticked(), 20);
    EXPECT_EQ(focused(), "EdBancoTalvo");
    EXPECT_TRUE(screenEnabled());
    EXPECT_EQ(statusText(), "");
    EXPECT_EQ(window.gaugeProgress(), 0);

    window.boxes.clear();
    click("btConverter");
    EXPECT_EQ(window.boxTexts(), std::vector<QString>{QString::fromUtf8("Caminho do banco de dados Talvo está vazio.")});
}

TEST_F(RunTest, WithoutTheBackupTickedTheRunMakesNone) {
    chooseDatabases();
    tickOnly({"ckCidades"});
    check("chkCopiaSeguranca")->setChecked(false);
    click("btConverter");
    EXPECT_EQ(window.boxTexts(), std::vector<QString>{QString::fromUtf8("Conversão de dados finalizada.")});
    EXPECT_TRUE(backups().empty());
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CIDADES"), "2");
    // The reset ticks every check box of the window, the backup's too.
    EXPECT_TRUE(check("chkCopiaSeguranca")->isChecked());
}

TEST_F(RunTest, RefusingTheConfirmationConvertsNothingAndKeepsTheChoices) {
    chooseDatabases();
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00099', 'VELHA', 'MG')");
    tickOnly({"ckCidades"});
    window.answer = false;
    click("btConverter");
    EXPECT_EQ(window.questions, 1);
    EXPECT_TRUE(window.boxes.empty());
    EXPECT_EQ(db.targetValue("SELECT CIDADE FROM CIDADES"), "VELHA");
    EXPECT_EQ(edit("EdBancoTalvo")->text(), QString::fromStdString(db.sourcePath()));
    EXPECT_EQ(ticked(), 1);
    EXPECT_TRUE(screenEnabled());
}

TEST_F(RunTest, AFailedConnectionTakesTheFocusToItsPath) {
    const QString missing = QString::fromStdString((db.dir() / "nowhere").string());
    struct Case {
        bool sourceFails, targetFails;
        const char* focus;
        std::size_t boxes;  // failures, plus the trigger warning when the target failed
    };
    const Case cases[] = {
        {true, false, "EdBancoTalvo", 1},
        {false, true, "EdBancoOrdelio", 2},
        {true, true, "EdBancoTalvo", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.focus + std::to_string(c.boxes));
        window.boxes.clear();
        edit("EdBancoTalvo")->setText(c.sourceFails ? missing + ".fdb" : QString::fromStdString(db.sourcePath()));
        edit("EdBancoOrdelio")->setText(c.targetFails ? missing + ".fb" : QString::fromStdString(db.targetPath()));
        check("ckClientes")->setFocus();
        click("btConverter");
        EXPECT_EQ(window.questions, 0);
        EXPECT_EQ(window.boxes.size(), c.boxes);
        EXPECT_EQ(window.boxes[0].kind, BoxKind::Exclamation);
        EXPECT_EQ(focused(), c.focus);
        EXPECT_TRUE(screenEnabled());
    }
}

TEST_F(RunTest, AnErrorNoConverterHandlesLeavesTheWindowAsItWas) {
    chooseDatabases();
    db.onSource("DROP TABLE EST002");
    tickOnly({"ckCidades", "ckGrupos", "ckFabricantes"});
    click("btConverter");
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].kind, BoxKind::Error);
    EXPECT_EQ(window.boxes[0].caption, "Conversor");
    EXPECT_TRUE(window.boxes[0].text.endsWith('.'));
    // Fabricantes never ran.
    EXPECT_EQ(conversions(), (std::vector<QString>{"Convertendo Cidades...", "Convertendo Grupos de Produtos..."}));
    // Still disabled, still naming the registry that failed; it can be closed.
    EXPECT_FALSE(control("gbCadastros")->isEnabled());
    EXPECT_FALSE(control("btConverter")->isEnabled());
    EXPECT_EQ(statusText(), "Convertendo Grupos de Produtos...");
    EXPECT_NE(edit("EdBancoTalvo")->text(), "");
    EXPECT_TRUE(window.close());
}

TEST_F(RunTest, ClosingTheWindowDuringARunLetsTheRunFinishInSightAndThenCloses) {
    chooseDatabases();
    tickOnly({"ckCidades", "ckGrupos"});
    check("chkCopiaSeguranca")->setChecked(false);
    bool closeAccepted = true, shownAfterTheClose = false, disabledAfterTheClose = false;
    QString statusAfterTheClose;
    window.onStatus = [&](const QString& status) {
        if (status == "Convertendo Cidades...") closeAccepted = window.close();
        if (status == "Convertendo Grupos de Produtos...") {
            shownAfterTheClose = window.isVisible();
            disabledAfterTheClose = !control("gbCadastros")->isEnabled() && !control("btSair")->isEnabled();
            statusAfterTheClose = statusText();
        }
    };
    click("btConverter");
    EXPECT_FALSE(closeAccepted);
    EXPECT_TRUE(shownAfterTheClose);
    EXPECT_TRUE(disabledAfterTheClose);
    EXPECT_EQ(statusAfterTheClose, "Convertendo Grupos de Produtos...");
    EXPECT_EQ(conversions(), (std::vector<QString>{"Convertendo Cidades...", "Convertendo Grupos de Produtos..."}));
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CIDADES"), "2");
    EXPECT_EQ(window.boxTexts(), std::vector<QString>{QString::fromUtf8("Conversão de dados finalizada.")});
    // The run has returned: the close asked for is carried out.
    EXPECT_FALSE(window.isVisible());
}

TEST_F(RunTest, WritingInBatchesLeavesTheSameTargetAsOneCommitPerRow) {
    EXPECT_FALSE(check("chkGravarEmLotes")->isChecked());
    TestDatabases batched;
    for (TestDatabases* pair : {&db, &batched}) {
        if (pair != &db)
            pair->onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'CAMPINAS', 'SP');"
                           "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 2, 'SANTOS', 'SP')");
        // The third group's code (005) is the first's: the registry stops
        // there, the rows before it kept and the fourth never read.
        pair->onSource("INSERT INTO EST002 (GRUPOCONTADOR, DESCGRUPO) VALUES (5, 'BEBIDAS');"
                       "INSERT INTO EST002 (GRUPOCONTADOR, DESCGRUPO) VALUES (7, 'DOCES');"
                       "INSERT INTO EST002 (GRUPOCONTADOR, DESCGRUPO) VALUES (1005, 'COLIDE');"
                       "INSERT INTO EST002 (GRUPOCONTADOR, DESCGRUPO) VALUES (1009, 'LIMPEZA');"
                       "INSERT INTO CP001 (EMPRESA, CPCONTADOR, FCONTADOR, TIPOCP, TITULO, PARCELA, STATUS) "
                       "VALUES (1, 1, 1, 'DP', 'T', '1', 'AB');"
                       "INSERT INTO CP001 (EMPRESA, CPCONTADOR, FCONTADOR, TIPOCP, TITULO, PARCELA, STATUS) "
                       "VALUES (1, 2, 1, 'DP', 'U', '1', 'AB')");
    }
    struct Result {
        std::vector<DialogBox> boxes;
        std::vector<int> intervals;  // rows per commit whenever the status changed
        std::vector<Rows> tables;
    };
    const auto convert = [&](TestDatabases& pair, bool inBatches) {
        window.boxes.clear();
        window.files = {QString::fromStdString(pair.sourcePath())};
        click("btAbrirTalvo");
        chooseTarget(pair.targetPath());
        tickOnly({"ckCidades", "ckGrupos", "chkDocumentosPagar"});
        check("chkGravarEmLotes")->setChecked(inBatches);
        Result result;
        window.onStatus = [&](const QString& status) {
            if (status.startsWith("Convertendo")) result.intervals.push_back(window.session().commitInterval());
        };
        check("chkCopiaSeguranca")->setChecked(false);  // the end boxes compared as they are without one
        click("btConverter");
        window.onStatus = nullptr;
        result.boxes = window.boxes;
        for (const char* table : {"CIDADES", "GRUPROD", "DOCUPAG", "TIPODOC", "CONDPAG"}) {
            Rows rows = pair.targetRows(std::string("SELECT * FROM ") + table);
            std::sort(rows.begin(), rows.end());
            result.tables.push_back(rows);
        }
        result.tables.push_back(pair.targetRows("SELECT GEN_ID(G_NUMORD, 0) FROM RDB$DATABASE"));
        // An option of how to write, not a choice of what: it stays as set.
        EXPECT_EQ(check("chkGravarEmLotes")->isChecked(), inBatches);
        return result;
    };
    const Result perRow = convert(db, false);
    const Result inBatches = convert(batched, true);

    ASSERT_GE(perRow.intervals.size(), 3u);
    EXPECT_EQ(perRow.intervals, std::vector<int>(perRow.intervals.size(), 1));
    ASSERT_GE(inBatches.intervals.size(), 3u);
    EXPECT_EQ(inBatches.intervals, std::vector<int>(inBatches.intervals.size(), 1000));
    ASSERT_EQ(perRow.boxes.size(), 2u);
    EXPECT_EQ(perRow.boxes[0].kind, BoxKind::Error);
    EXPECT_EQ(perRow.boxes[1].text, QString::fromUtf8("Conversão de dados finalizada."));
    EXPECT_TRUE(perRow.boxes[1].detail.contains("Grupos: 3 lidos, 2 gravados, 1 com erro, 1 não tentado (interrompido"))
        << perRow.boxes[1].detail.toStdString();
    ASSERT_EQ(inBatches.boxes.size(), perRow.boxes.size());
    for (std::size_t i = 0; i < perRow.boxes.size(); ++i) {
        EXPECT_EQ(inBatches.boxes[i].kind, perRow.boxes[i].kind) << i;
        EXPECT_EQ(inBatches.boxes[i].text, perRow.boxes[i].text) << i;
        EXPECT_EQ(inBatches.boxes[i].detail, perRow.boxes[i].detail) << i;
    }
    EXPECT_EQ(inBatches.tables, perRow.tables);
    EXPECT_EQ(perRow.tables[0].size(), 2u);
    EXPECT_EQ(perRow.tables[1].size(), 2u);
    EXPECT_EQ(perRow.tables[2].size(), 2u);

    // Marking or unmarking the registries leaves the option alone.
    click("btnMarcarTodos");
    click("btnDesmarcarTodos");
    EXPECT_TRUE(check("chkGravarEmLotes")->isChecked());
}

TEST_F(RunTest, TheGaugeShowsTheTruncatedShare) {
    window.setGauge(2, 3);
    EXPECT_EQ(control<QWidget>("Barra")->property("value").toInt(), 66);
    window.setGauge(0, 0);
    EXPECT_EQ(control<QWidget>("Barra")->property("value").toInt(), 0);
    window.setGauge(7, 7);
    EXPECT_EQ(control<QWidget>("Barra")->property("value").toInt(), 100);
}

// Going on past failing rows is the operator's choice, unticked by default;
// the end dialog tells the accounting and saves the run report.
TEST_F(RunTest, KeepGoingAndTheReportFromTheEndDialog) {
    QCheckBox* keepGoing = check("chkContinuarAposErros");
    EXPECT_EQ(keepGoing->text(), QString::fromUtf8("Continuar após erros"));
    EXPECT_FALSE(keepGoing->isChecked());
    EXPECT_EQ(keepGoing->parentWidget(), control("gbOpcoes"));
    // The second and third cities take the first's code.
    db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 100001, 'DOIS', 'MG');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 200001, 'TRES', 'MG');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 300003, 'SEM ESTADO', '')");
    chooseDatabases();
    tickOnly({"ckCidades"});
    keepGoing->setChecked(true);
    check("chkCopiaSeguranca")->setChecked(false);
    click("btConverter");

    ASSERT_EQ(window.boxes.size(), 2u) << ::testing::PrintToString(window.boxTexts());
    EXPECT_EQ(window.boxes[0].kind, BoxKind::Error);
    EXPECT_TRUE(window.boxes[0].text.endsWith(QString::fromUtf8("\rMais 1 registro não foi convertido por erro.")))
        << window.boxes[0].text.toStdString();
    const DialogBox& end = window.boxes[1];
    EXPECT_EQ(end.text, QString::fromUtf8("Conversão de dados finalizada."));
    EXPECT_EQ(end.detail, QString::fromUtf8("Cidades: 5 lidos, 2 gravados, 1 ignorado, 2 com erro"));
    EXPECT_TRUE(keepGoing->isChecked()) << "the choice stays for the next run";
    ASSERT_TRUE(end.saveReport);

    window.saveAs = QString::fromStdString((db.dir() / "relatorio.json").string());
    end.saveReport();
    const Json report = ReadJsonFile(window.saveAs.toStdString());
    EXPECT_TRUE(report["keep_going"].boolean);
    EXPECT_EQ(report["exit"].integer(), 1);
    const Json& cidades = report["registries"][0];
    EXPECT_EQ(cidades["state"].string, "converted");
    EXPECT_EQ(cidades["failed"].integer(), 2);
    EXPECT_EQ(cidades["rows"].array.size(), 3u);
    EXPECT_EQ(report["registries"][1]["state"].string, "not_ticked");
}

}  // namespace
}  // namespace conversor::testing
