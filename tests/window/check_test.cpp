// "Verificar": the check on the chosen databases and ticked registries, its
// result in one end dialog with its report to save, nothing changed, the
// window left as it was for the run that follows.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/check.h"
#include "app/window/run_report.h"
#include "support/json.h"
#include "window/window_fixture.h"

namespace conversor::testing {
namespace {

class CheckTest : public WindowTest {
protected:
    void tickOnly(std::initializer_list<const char*> names) {
        click("btnDesmarcarTodos");
        for (const char* name : names) check(name)->setChecked(true);
    }
};

TEST_F(CheckTest, TheButtonSitsBesideConverter) {
    QPushButton* converter = control<QPushButton>("btConverter");
    QPushButton* verificar = control<QPushButton>("btVerificar");
    EXPECT_EQ(verificar->y(), converter->y());
    EXPECT_EQ(verificar->x(), converter->x() + converter->width() + 12);
    EXPECT_LT(verificar->x(), control("btSair")->x());
}

TEST_F(CheckTest, TheEndDialogTellsWhatTheRunWouldMeetAndNothingChanges) {
    // Two source cities that both become code 00001: the second one fails.
    db.onSource("INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'CAMPINAS', 'SP');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 100001, 'OUTRA', 'SP')");
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00009', 'KEPT', 'SP')");
    chooseDatabases();
    tickOnly({"ckCidades", "chkDocumentosPagar"});
    click("btVerificar");

    EXPECT_EQ(window.questions, 0) << "a check asks nothing";
    ASSERT_EQ(window.boxes.size(), 1u) << "the row's box waits for the end dialog";
    const DialogBox& end = window.boxes[0];
    EXPECT_EQ(end.kind, BoxKind::Warning);
    EXPECT_EQ(end.caption, "Alerta");
    EXPECT_EQ(end.text, QString::fromUtf8(CheckVerdictText(CheckVerdict::WouldShowBoxes).c_str()));
    for (const char* part :
         {"Avisos:\n- Documentos à Pagar: nenhuma operação escolhida",
          "Mensagens que a conversão mostraria:\n- Erro: Ocorreu um erro ao converter o seguinte registro para a "
          "tabela CIDADES\n  Cidade: OUTRA\n  Erro: ",
          "Registros que a conversão ignoraria ou não gravaria:\n- Cidades, registro 2 (CODCIDADE=100001): com erro\n"
          "  violation of PRIMARY",
          "Conversão simulada (desfeita ao final):\nCidades: 2 lidos, 1 gravado, 1 com erro\n"
          "Documentos à Pagar: 0 lidos, 0 gravados"})
        EXPECT_TRUE(end.detail.contains(QString::fromUtf8(part))) << part << "\n" << end.detail.toStdString();

    // "Salvar relatório...": the dry run's report, marked as a check.
    ASSERT_TRUE(end.saveReport);
    window.saveAs = QString::fromStdString((db.dir() / "verificacao.json").string());
    end.saveReport();
    const Json report = ReadJsonFile(window.saveAs.toStdString());
    EXPECT_TRUE(report["check"].boolean);
    EXPECT_EQ(report["exit"].integer(), 1);
    ASSERT_EQ(report["warnings"].array.size(), 1u);
    EXPECT_EQ(report["warnings"][0]["registry"].string, "documentospagar");
    const Json& cidades = report["registries"][0];
    EXPECT_EQ(cidades["failed"].integer(), 1);
    ASSERT_EQ(cidades["rows"].array.size(), 1u);
    EXPECT_EQ(cidades["rows"][0]["key"]["CODCIDADE"].string, "100001");
    EXPECT_EQ(report["registries"][1]["state"].string, "not_ticked");

    EXPECT_EQ(db.targetRows("SELECT CODCIDADE, CIDADE FROM CIDADES"), (Rows{{"00009", "KEPT"}}));
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CONDPAG"), "0");
    // Left for the run: paths, ticks, an enabled window.
    EXPECT_EQ(edit("EdBancoTalvo")->text(), QString::fromStdString(db.sourcePath()));
    EXPECT_TRUE(check("ckCidades")->isChecked());
    EXPECT_FALSE(check("ckClientes")->isChecked());
    EXPECT_TRUE(control("btConverter")->isEnabled());
    EXPECT_TRUE(control("btVerificar")->isEnabled());

    // A box after the check is shown again at once.
    window.boxes.clear();
    edit("EdBancoTalvo")->clear();
    click("btVerificar");
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, QString::fromUtf8("Caminho do banco de dados Talvo está vazio."));
    EXPECT_EQ(focused(), "EdBancoTalvo");
}

TEST_F(CheckTest, SchemaProblemsMakeAnErrorDialog) {
    db.onTarget("DROP TABLE TRANSPT");
    chooseDatabases();
    tickOnly({"ckTransportadoras"});
    click("btVerificar");
    ASSERT_EQ(window.boxes.size(), 1u) << ::testing::PrintToString(window.boxTexts());
    EXPECT_EQ(window.boxes[0].kind, BoxKind::Error);
    EXPECT_TRUE(window.boxes[0].detail.contains("Transportadoras, banco Ordelio: DELETE FROM TRANSPT"))
        << window.boxes[0].detail.toStdString();
    EXPECT_TRUE(window.boxes[0].detail.contains(QString::fromUtf8("Transportadoras: não simulado")))
        << window.boxes[0].detail.toStdString();
}

}  // namespace
}  // namespace conversor::testing
