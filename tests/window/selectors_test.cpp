// The two operation selectors: lists loaded once from the target, codes
// typed and validated on Enter, choices in the drop-down list, and the key
// value the document converters read.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>

#include "app/window/operation_combo.h"
#include "window/window_fixture.h"

namespace conversor::testing {
namespace {

class SelectorsTest : public WindowTest {
protected:
    void SetUp() override {
        db.onTarget(
            "INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO, ATIVO) VALUES ('007', 'COMPRA A PRAZO', '5', 'S');"
            "INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO, ATIVO) VALUES ('010', 'DESPESA FIXA', '5', 'S');"
            "INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO, ATIVO) VALUES ('008', 'VENDA A PRAZO', '8', 'S');"
            "INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO, ATIVO) VALUES ('009', 'TRANSFERENCIA', '9', 'S');"
            "INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO, ATIVO) VALUES ('101', 'PAGAMENTO A FORNECEDORES', '5', 'S');"
            "INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO, ATIVO) VALUES ('201', 'RECEBIMENTO DE CLIENTES', '8', 'S')");
        chooseTarget(db.targetPath());
        ASSERT_TRUE(window.boxes.empty()) << window.boxTexts().front().toStdString();
    }

    OperationCombo* list(const char* name) { return control<OperationCombo>(name); }
    static QStringList items(QComboBox* combo) {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
        return texts;
    }
    // A click with the mouse on a row of the open drop-down part.
    static void clickRow(QComboBox* combo, int row) {
        QAbstractItemView* view = combo->view();
        ASSERT_TRUE(view->isVisible());
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &release);
    }
};

TEST_F(SelectorsTest, ChoosingTheTargetLoadsEachTypeAndEnablesTheSelectors) {
    EXPECT_EQ(items(list("MostraOperacaoContasPagar")),
              QStringList({"COMPRA A PRAZO", "DESPESA FIXA", "PAGAMENTO A FORNECEDORES"}));
    EXPECT_EQ(items(list("MostraOperacaoContasReceber")), QStringList({"VENDA A PRAZO", "RECEBIMENTO DE CLIENTES"}));
    for (const char* name : {"CodOperContasPagar", "MostraOperacaoContasPagar", "CodOperContasReceber",
                             "MostraOperacaoContasReceber"})
        EXPECT_TRUE(control(name)->isEnabled()) << name;
    // Nothing is chosen yet: the lists show nothing and the key values are empty.
    EXPECT_EQ(list("MostraOperacaoContasPagar")->currentIndex(), -1);
    EXPECT_EQ(window.session().codOperPagar, "");
    EXPECT_EQ(window.session().codOperReceber, "");
}

TEST_F(SelectorsTest, SelectorsStayDisabledUntilATargetIsChosen) {
    TestWindow fresh;
    for (const char* name : {"CodOperContasPagar", "MostraOperacaoContasPagar", "CodOperContasReceber",
                             "MostraOperacaoContasReceber"})
        EXPECT_FALSE(fresh.findChild<QWidget*>(name)->isEnabled()) << name;
}

TEST_F(SelectorsTest, EnterValidatesTheTypedCodeWithLeadingZeros) {
    struct Case {
        const char* edit;
        const char* list;
        const char* typed;
        const char* shown;         // the edit after Enter
        std::string key;           // the key value after Enter
        const char* description;   // what the list shows
        const char* focus;         // where the focus ends
        bool warned;
    };
    const Case cases[] = {
        {"CodOperContasPagar", "MostraOperacaoContasPagar", "7", "007", "007", "COMPRA A PRAZO",
         "MostraOperacaoContasPagar", false},
        {"CodOperContasReceber", "MostraOperacaoContasReceber", "08", "008", "008", "VENDA A PRAZO",
         "MostraOperacaoContasReceber", false},
        // A receivable operation is not a payable one, nor another type's.
        {"CodOperContasPagar", "MostraOperacaoContasPagar", "8", "", "", "", "CodOperContasPagar", true},
        {"CodOperContasReceber", "MostraOperacaoContasReceber", "9", "", "", "", "CodOperContasReceber", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.edit) + " " + c.typed);
        window.boxes.clear();
        edit(c.edit)->clear();
        edit(c.edit)->setFocus();
        type(c.typed);
        press(Qt::Key_Return, "\r");
        EXPECT_EQ(edit(c.edit)->text(), c.shown);
        const std::string& key = std::string(c.edit) == "CodOperContasPagar" ? window.session().codOperPagar
                                                                              : window.session().codOperReceber;
        EXPECT_EQ(key, c.key);
        EXPECT_EQ(list(c.list)->currentText(), c.description);
        EXPECT_EQ(focused(), c.focus);
        // A known code leaves the list closed: the edit was not empty.
        EXPECT_FALSE(list(c.list)->droppedDown());
        if (c.warned) {
            ASSERT_EQ(window.boxes.size(), 1u);
            EXPECT_EQ(window.boxes[0].kind, BoxKind::Warning);
            EXPECT_EQ(window.boxes[0].caption, "Alerta");
            EXPECT_EQ(window.boxes[0].text, QString::fromUtf8("Operação não cadastrada."));
        } else {
            EXPECT_TRUE(window.boxes.empty());
        }
    }
}

TEST_F(SelectorsTest, AfterTheWarningBoxTheNextCodeGoesIntoTheEmptiedEdit) {
    // The warning is a real modal box answered with Enter: while it is open
    // the window is not active, and the focus sent back to the edit waits
    // for the window to be active again.
    struct Case {
        const char* edit;
        const char* list;
        const char* unknown;  // a code of the other type
        const char* known;
        const char* description;
        const char* registry;
        const char* filedUnder;  // what the run wrote
    };
    const Case cases[] = {
        {"CodOperContasPagar", "MostraOperacaoContasPagar", "8", "101", "PAGAMENTO A FORNECEDORES",
         "chkDocumentosPagar", "SELECT CODOPER FROM DOCUPAG"},
        {"CodOperContasReceber", "MostraOperacaoContasReceber", "7", "201", "RECEBIMENTO DE CLIENTES",
         "chkDocumentosReceber", "SELECT CODOPER FROM DOCUREC"},
    };
    db.onSource("INSERT INTO CP001 (EMPRESA, CPCONTADOR, FCONTADOR, TIPOCP, TITULO, PARCELA, STATUS) "
                "VALUES (1, 1, 1, 'DP', 'T', '1', 'AB');"
                "INSERT INTO CR001 (EMPRESA, CRCONTADOR, CLICONTADOR, TIPOCR, TITULO, PARCELA, STATUS) "
                "VALUES (1, 1, 1, 'DP', 'T', '1', 'AB')");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edit);
        window.boxes.clear();
        QLineEdit* code = edit(c.edit);
        code->setFocus();
        type(c.unknown);
        window.modalBoxes = true;
        press(Qt::Key_Return, "\r");
        window.modalBoxes = false;
        ASSERT_EQ(window.boxTexts(), std::vector<QString>{QString::fromUtf8("Operação não cadastrada.")});
        QApplication::processEvents();
        QApplication::setActiveWindow(&window);  // as the window manager does once the box is gone
        QApplication::processEvents();

        EXPECT_EQ(QApplication::focusWidget(), code);
        EXPECT_FALSE(list(c.list)->droppedDown());
        EXPECT_EQ(code->text(), "");

        type(c.known);
        press(Qt::Key_Return, "\r");
        EXPECT_EQ(code->text(), c.known);
        EXPECT_EQ(list(c.list)->currentText(), c.description);
        EXPECT_FALSE(list(c.list)->droppedDown());
        EXPECT_EQ(window.boxes.size(), 1u);

        edit("EdBancoTalvo")->setText(QString::fromStdString(db.sourcePath()));
        edit("EdBancoOrdelio")->setText(QString::fromStdString(db.targetPath()));
        click("btnDesmarcarTodos");
        check(c.registry)->setChecked(true);
        // Two runs within a second would name the same backup file.
        check("chkCopiaSeguranca")->setChecked(false);
        click("btConverter");
        EXPECT_EQ(window.boxTexts().back(), QString::fromUtf8("Conversão de dados finalizada."));
        EXPECT_EQ(db.targetValue(c.filedUnder), c.known);
    }
}

TEST_F(SelectorsTest, AnUnknownCodeAfterAKnownOneEmptiesTheKeyValue) {
    QLineEdit* code = edit("CodOperContasPagar");
    code->setFocus();
    type("10");
    press(Qt::Key_Return, "\r");
    ASSERT_EQ(window.session().codOperPagar, "010");
    code->setFocus();
    code->selectAll();
    type("5");
    press(Qt::Key_Return, "\r");
    EXPECT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(code->text(), "");
    EXPECT_EQ(window.session().codOperPagar, "");
    EXPECT_EQ(list("MostraOperacaoContasPagar")->currentIndex(), -1);
}

TEST_F(SelectorsTest, CodeEditsTakeThreeDigitsAndNothingElse) {
    QLineEdit* code = edit("CodOperContasReceber");
    code->setFocus();
    type("a1B2c34");
    EXPECT_EQ(code->text(), "123");
    press(Qt::Key_Backspace, "\b");
    EXPECT_EQ(code->text(), "12");
    // Pasted text is held to digits too.
    code->clear();
    code->insert("x9");
    EXPECT_EQ(code->text(), "");
}

TEST_F(SelectorsTest, EmptyingTheEditClearsTheKeyValue) {
    QLineEdit* code = edit("CodOperContasPagar");
    code->setFocus();
    type("7");
    press(Qt::Key_Return, "\r");
    ASSERT_EQ(window.session().codOperPagar, "007");
    code->setFocus();
    code->end(false);
    for (int i = 0; i < 3; ++i) press(Qt::Key_Backspace, "\b");
    EXPECT_EQ(code->text(), "");
    EXPECT_EQ(window.session().codOperPagar, "");
    EXPECT_EQ(list("MostraOperacaoContasPagar")->currentText(), "");
}

TEST_F(SelectorsTest, TabLeavesTheEditWithoutValidating) {
    QLineEdit* code = edit("CodOperContasPagar");
    code->setFocus();
    type("7");
    press(Qt::Key_Return, "\r");
    ASSERT_EQ(window.session().codOperPagar, "007");

    for (const char* typed : {"10", "99"}) {
        code->setFocus();
        code->selectAll();
        type(typed);
        press(Qt::Key_Tab, "\t");
        EXPECT_EQ(focused(), "MostraOperacaoContasPagar");
        EXPECT_EQ(code->text(), typed);
        // The earlier choice stays, and is what the documents are filed under.
        EXPECT_EQ(window.session().codOperPagar, "007");
        EXPECT_EQ(list("MostraOperacaoContasPagar")->currentText(), "COMPRA A PRAZO");
        EXPECT_TRUE(window.boxes.empty());
        EXPECT_FALSE(list("MostraOperacaoContasPagar")->droppedDown());
    }
}

TEST_F(SelectorsTest, EnterOnAnEmptyEditOpensTheListAndAMouseChoiceKeepsTheFocus) {
    OperationCombo* pagar = list("MostraOperacaoContasPagar");
    edit("CodOperContasPagar")->setFocus();
    press(Qt::Key_Return, "\r");
    EXPECT_EQ(focused(), "MostraOperacaoContasPagar");
    ASSERT_TRUE(pagar->droppedDown());

    clickRow(pagar, 1);
    QApplication::processEvents();  // the close-up of a drop-down part
    EXPECT_FALSE(pagar->droppedDown());
    EXPECT_EQ(edit("CodOperContasPagar")->text(), "010");
    EXPECT_EQ(window.session().codOperPagar, "010");
    EXPECT_EQ(pagar->currentText(), "DESPESA FIXA");
    // The last key is still Enter: the list keeps the focus.
    EXPECT_EQ(focused(), "MostraOperacaoContasPagar");
}

TEST_F(SelectorsTest, EnterInsideTheOpenListChoosesAndKeepsTheFocus) {
    OperationCombo* receber = list("MostraOperacaoContasReceber");
    edit("CodOperContasReceber")->setFocus();
    press(Qt::Key_Return, "\r");
    ASSERT_TRUE(receber->droppedDown());
    press(Qt::Key_Return, "\r");
    QApplication::processEvents();
    EXPECT_FALSE(receber->droppedDown());
    EXPECT_EQ(edit("CodOperContasReceber")->text(), "008");
    EXPECT_EQ(window.session().codOperReceber, "008");
    EXPECT_EQ(focused(), "MostraOperacaoContasReceber");
}

TEST_F(SelectorsTest, AMouseChoiceAfterTabMovesTheFocusOnWhenTheListCloses) {
    OperationCombo* pagar = list("MostraOperacaoContasPagar");
    edit("CodOperContasPagar")->setFocus();
    press(Qt::Key_Tab, "\t");
    ASSERT_EQ(focused(), "MostraOperacaoContasPagar");
    EXPECT_FALSE(pagar->droppedDown());  // reached with Tab: not opened
    pagar->showPopup();
    clickRow(pagar, 0);
    QApplication::processEvents();
    EXPECT_EQ(edit("CodOperContasPagar")->text(), "007");
    EXPECT_EQ(window.session().codOperPagar, "007");
    EXPECT_EQ(focused(), "CodOperContasReceber");
}

TEST_F(SelectorsTest, EscClosingTheListLeavesTheFocusOnIt) {
    OperationCombo* pagar = list("MostraOperacaoContasPagar");
    edit("CodOperContasPagar")->setFocus();
    press(Qt::Key_Return, "\r");
    ASSERT_TRUE(pagar->droppedDown());
    press(Qt::Key_Escape, "\x1b");
    QApplication::processEvents();
    EXPECT_FALSE(pagar->droppedDown());
    EXPECT_EQ(focused(), "MostraOperacaoContasPagar");
    EXPECT_EQ(window.session().codOperPagar, "");
    // Esc inside the open list closes the list, not the window.
    EXPECT_TRUE(window.isVisible());
}

TEST_F(SelectorsTest, AnotherTargetKeepsTheFirstLists) {
    TestDatabases other;
    other.onTarget("INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO, ATIVO) VALUES ('050', 'OUTRA', '5', 'S')");
    chooseTarget(other.targetPath());
    EXPECT_EQ(window.session().CnOrdelio.database(), other.targetPath());
    EXPECT_TRUE(window.session().CnOrdelio.isOpen());
    EXPECT_EQ(items(list("MostraOperacaoContasPagar")),
              QStringList({"COMPRA A PRAZO", "DESPESA FIXA", "PAGAMENTO A FORNECEDORES"}));
    edit("CodOperContasPagar")->setFocus();
    type("50");
    press(Qt::Key_Return, "\r");
    EXPECT_EQ(window.boxes.size(), 1u);  // not in the first target's list
}

TEST_F(SelectorsTest, ChoicesSurviveACompletedRun) {
    edit("CodOperContasPagar")->setFocus();
    type("7");
    press(Qt::Key_Return, "\r");
    window.files = {QString::fromStdString(db.sourcePath())};
    click("btAbrirTalvo");
    window.MarcaOpcoes(false);
    click("btConverter");
    ASSERT_EQ(window.boxes.size(), 1u);
    ASSERT_TRUE(window.boxes[0].text.startsWith(QString::fromUtf8("Conversão de dados finalizada.")));
    EXPECT_EQ(edit("CodOperContasPagar")->text(), "007");
    EXPECT_EQ(window.session().codOperPagar, "007");
    EXPECT_TRUE(edit("CodOperContasPagar")->isEnabled());
}

class SelectorLoadTest : public WindowTest {};

TEST_F(SelectorLoadTest, AFailedLoadReachesTheGeneralReportAndLeavesTheSelectorsAlone) {
    const std::string missing = (db.dir() / "nowhere.fb").string();
    chooseTarget(missing);
    ASSERT_EQ(window.boxes.size(), 2u);
    // The connection reports its own failure and takes the focus to the path.
    EXPECT_EQ(window.boxes[0].kind, BoxKind::Exclamation);
    EXPECT_EQ(window.boxes[0].caption, QString::fromUtf8("Informação"));
    EXPECT_TRUE(window.boxes[0].text.startsWith(
        QString::fromUtf8("Impossível conectar ao banco de dados do Ordelio pelo seguinte motivo: \r")));
    EXPECT_EQ(window.boxes[1].kind, BoxKind::Error);
    EXPECT_EQ(window.boxes[1].caption, "Conversor");
    EXPECT_TRUE(window.boxes[1].text.endsWith('.'));
    EXPECT_FALSE(control("CodOperContasPagar")->isEnabled());
    EXPECT_EQ(edit("EdBancoOrdelio")->text(), QString::fromStdString(missing));
    EXPECT_EQ(focused(), "EdBancoOrdelio");

    // A good target afterwards loads the lists.
    window.boxes.clear();
    chooseTarget(db.targetPath());
    EXPECT_TRUE(window.boxes.empty());
    EXPECT_TRUE(control("CodOperContasPagar")->isEnabled());
}

TEST_F(SelectorLoadTest, ACancelledBrowseStillLoadsWhileATargetIsShown) {
    click("btAbrirOrdelio");  // cancelled, nothing shown: nothing loaded
    EXPECT_FALSE(control("CodOperContasPagar")->isEnabled());
    chooseTarget(db.targetPath());
    window.HabilitaOperacoes(false);
    click("btAbrirOrdelio");  // cancelled, but the target is still shown
    EXPECT_TRUE(control("CodOperContasPagar")->isEnabled());
    EXPECT_EQ(window.filters.back(), "Bancos de Dados Ordelio (*.fb)");
}

}  // namespace
}  // namespace conversor::testing
