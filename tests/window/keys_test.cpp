// Key preview: every key is recorded, Esc closes the window from any
// control, Enter moves the focus on without taking the key from the control.
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "app/window/key_codes.h"
#include "window/window_fixture.h"

namespace conversor::testing {
namespace {

using KeysTest = WindowTest;

TEST_F(KeysTest, EnterWalksTheTabOrderFromTheReadOnlyPathsAndWrapsAround) {
    edit("EdBancoTalvo")->setFocus();
    ASSERT_EQ(focused(), "EdBancoTalvo");
    // The operation selectors are disabled until a target is chosen.
    const std::vector<QString> expected{
        "btAbrirTalvo",  "EdBancoOrdelio",    "btAbrirOrdelio",    "chkCopiaSeguranca", "ckClientes",        "ckGrupos",
        "ckSubgrupos",   "ckClasfisc",        "ckFabricantes",     "ckProdutos",        "ckFornecedores",
        "ckVendedores",  "ckCidades",         "ckFiliais",         "ckBancos",          "ckAgencias",
        "ckContas",      "ckTipoLancamentos", "ckTransportadoras", "chkSegmentos",      "chkCompClientes",
        "chkCondicoesPagamento", "chkDocumentosReceber", "chkDocumentosPagar", "btConverter", "btVerificar", "btSair",
        "btnMarcarTodos", "btnDesmarcarTodos", "chkGravarEmLotes", "chkContinuarAposErros", "EdBancoTalvo"};
    std::vector<QString> walked;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        press(Qt::Key_Return, "\r");
        walked.push_back(focused());
    }
    EXPECT_EQ(walked, expected);
    EXPECT_EQ(window.ultimaTecla(), kKeyEnter);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(KeysTest, EnterStillReachesTheFocusedControl) {
    // A watcher on the control that had the focus sees the key after the
    // window has moved the focus on.
    struct Watcher : QObject {
        int enters = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Enter) ++enters;
            return false;
        }
    } watcher;
    QCheckBox* cidades = check("ckCidades");
    cidades->installEventFilter(&watcher);
    cidades->setFocus();
    press(Qt::Key_Enter, "\r");
    EXPECT_EQ(watcher.enters, 1);
    EXPECT_EQ(focused(), "ckFiliais");
}

TEST_F(KeysTest, EveryKeyIsRecordedAsItsWindowsCode) {
    check("ckClientes")->setFocus();
    press(Qt::Key_A, "a");
    EXPECT_EQ(window.ultimaTecla(), 65);
    press(Qt::Key_Tab, "\t");
    EXPECT_EQ(window.ultimaTecla(), 9);
    press(Qt::Key_Shift);
    EXPECT_EQ(window.ultimaTecla(), 16);
    EXPECT_EQ(focused(), "ckGrupos");  // Tab moved on, the others did nothing
}

TEST_F(KeysTest, EscClosesTheWindowFromAnyControl) {
    for (const char* name : {"EdBancoOrdelio", "chkDocumentosPagar", "btSair"}) {
        window.show();
        QApplication::setActiveWindow(&window);
        control(name)->setFocus();
        press(Qt::Key_Escape, "\x1b");
        EXPECT_FALSE(window.isVisible()) << name;
        EXPECT_EQ(window.ultimaTecla(), kKeyEscape);
    }
}

TEST(KeyCodes, QtKeysMapToTheWindowsCodes) {
    const std::pair<int, int> cases[] = {{Qt::Key_Return, 13}, {Qt::Key_Enter, 13}, {Qt::Key_Escape, 27},
                                         {Qt::Key_Backspace, 8}, {Qt::Key_A, 65},    {Qt::Key_7, 55},
                                         {Qt::Key_F1, 112},      {Qt::Key_Down, 40}, {Qt::Key_Delete, 46},
                                         {Qt::Key_unknown, 0}};
    for (auto [qt, windows] : cases) EXPECT_EQ(WindowsKeyCode(qt), windows) << qt;
}

}  // namespace
}  // namespace conversor::testing
