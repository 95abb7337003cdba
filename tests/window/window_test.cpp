// The window as it opens, its buttons and browse dialogs, and the detail
// of the end-of-run box.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "app/registries.h"
#include "app/window/run_report.h"
#include "window/window_fixture.h"

namespace conversor::testing {
namespace {

using WindowLayoutTest = WindowTest;

TEST_F(WindowLayoutTest, OpensWithItsFixedSizeCaptionsAndHints) {
    EXPECT_EQ(window.windowTitle(), "Conversor de Dados - Talvo Sistemas");
    EXPECT_EQ(window.size(), QSize(602, 568));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);

    EXPECT_EQ(control<QLabel>("lblTitulo")->text(), QString::fromUtf8("Ferramenta de Conversão de Dados"));
    EXPECT_EQ(control<QLabel>("StatusBarPanel1")->text(), QString::fromUtf8("Brumo Informática"));
    EXPECT_EQ(control<QLabel>("StatusBarPanel0")->text(), "");
    EXPECT_EQ(control<QGroupBox>("gbCadastros")->title(), "Cadastros:");
    EXPECT_EQ(control<QGroupBox>("gbOpcoes")->title(), QString::fromUtf8("Opções:"));
    EXPECT_TRUE(edit("EdBancoTalvo")->isReadOnly());
    EXPECT_TRUE(edit("EdBancoOrdelio")->isReadOnly());
    EXPECT_EQ(edit("CodOperContasPagar")->maxLength(), 3);

    const std::pair<const char*, const char*> buttons[] = {
        {"btConverter", "&Converter"}, {"btVerificar", "Verificar"}, {"btSair", "&Sair"}, {"btnMarcarTodos", "Marcar Todos"},
        {"btnDesmarcarTodos", "Desmarcar Todos"}};
    for (auto [name, caption] : buttons) EXPECT_EQ(control<QPushButton>(name)->text(), caption);
    const std::pair<const char*, const char*> hints[] = {
        {"btAbrirTalvo", "Procurar arquivo de clientes"},
        {"btAbrirOrdelio", "Procurar arquivo de clientes"},
        {"btConverter", "Iniciar a conversão"},
        {"btSair", "Encerra a aplicação"}};
    for (auto [name, hint] : hints) EXPECT_EQ(control(name)->toolTip(), QString::fromUtf8(hint)) << name;

    QCheckBox* batches = check("chkGravarEmLotes");
    EXPECT_EQ(batches->text(), QString::fromUtf8("Gravar em lotes (mais rápido)"));
    EXPECT_FALSE(batches->isChecked());
    EXPECT_EQ(batches->parentWidget()->objectName(), "gbOpcoes");
    EXPECT_TRUE(batches->parentWidget()->rect().contains(batches->geometry()));
    EXPECT_GE(batches->y(), control("btnMarcarTodos")->geometry().bottom());
    EXPECT_LT(control("gbOpcoes")->geometry().bottom(), control("btConverter")->y());

    for (const Registry& r : Registries()) {
        QCheckBox* box = check(r.checkBox.data());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QString::fromUtf8(r.caption.data(), r.caption.size()));
        EXPECT_TRUE(box->isChecked());
        EXPECT_EQ(box->parentWidget()->objectName(), "gbCadastros");
    }
}

TEST_F(WindowLayoutTest, CheckBoxesSitInFourColumnsWithTheDocumentsBelow) {
    const auto x = [&](const char* name) { return check(name)->x(); };
    const auto y = [&](const char* name) { return check(name)->y(); };
    EXPECT_LT(x("ckFabricantes"), x("ckCidades"));
    EXPECT_LT(x("ckCidades"), x("ckTipoLancamentos"));
    EXPECT_LT(x("ckTipoLancamentos"), x("chkCompClientes"));
    EXPECT_GT(y("chkSegmentos"), y("ckBancos"));  // the fourth column sits a little lower
    EXPECT_EQ(x("chkDocumentosPagar"), x("ckClientes"));
    EXPECT_EQ(x("chkDocumentosReceber"), x("ckProdutos"));
    EXPECT_GT(y("chkDocumentosPagar"), y("ckFabricantes"));
    // Every box is whole inside its group.
    for (const Registry& r : Registries()) {
        QCheckBox* box = check(r.checkBox.data());
        EXPECT_TRUE(box->parentWidget()->rect().contains(box->geometry())) << r.checkBox;
    }
}

TEST_F(WindowLayoutTest, MarkAndUnmarkAllRegistries) {
    check("ckContas")->setChecked(false);
    click("btnDesmarcarTodos");
    for (const Registry& r : Registries()) EXPECT_FALSE(check(r.checkBox.data())->isChecked()) << r.checkBox;
    click("btnMarcarTodos");
    for (const Registry& r : Registries()) EXPECT_TRUE(check(r.checkBox.data())->isChecked()) << r.checkBox;
}

TEST_F(WindowLayoutTest, BrowsingTheSourceOnlyRecordsItsPath) {
    window.files = {QString::fromStdString(db.sourcePath())};
    click("btAbrirTalvo");
    EXPECT_EQ(window.filters, std::vector<QString>{"Bancos de Dados Talvo (*.fdb)"});
    EXPECT_EQ(edit("EdBancoTalvo")->text(), QString::fromStdString(db.sourcePath()));
    EXPECT_FALSE(window.session().CnTalvo.isOpen());
    click("btAbrirTalvo");  // cancelled: the path stays
    EXPECT_EQ(edit("EdBancoTalvo")->text(), QString::fromStdString(db.sourcePath()));
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(WindowLayoutTest, BrowsingTheTargetConnectsIt) {
    chooseTarget(db.targetPath());
    EXPECT_EQ(window.filters, std::vector<QString>{"Bancos de Dados Ordelio (*.fb)"});
    EXPECT_EQ(edit("EdBancoOrdelio")->text(), QString::fromStdString(db.targetPath()));
    EXPECT_TRUE(window.session().CnOrdelio.isOpen());
    EXPECT_EQ(window.session().CnOrdelio.database(), db.targetPath());
}

TEST_F(WindowLayoutTest, HabilitaTelaLeavesTheTopBandGaugeAndStatusAlone) {
    window.HabilitaTela(false);
    for (const char* name : {"GbCaminhos", "EdBancoTalvo", "gbCadastros", "ckCidades", "gbOpcoes", "btConverter",
                             "btVerificar", "btSair"})
        EXPECT_FALSE(control(name)->isEnabled()) << name;
    for (const char* name : {"pnlTopo", "Barra", "StatusBar"}) EXPECT_TRUE(control(name)->isEnabled()) << name;
    window.HabilitaTela(true);
    EXPECT_TRUE(control("ckCidades")->isEnabled());
    // The selectors keep their own state inside the re-enabled group.
    EXPECT_FALSE(control("CodOperContasPagar")->isEnabled());
}

TEST_F(WindowLayoutTest, CodeEditsAreVisibleInEveryStateAndTheListsRaised) {
    // The largest difference of one colour channel.
    const auto contrast = [](QColor a, QColor b) {
        return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
    };
    QWidget* group = control("GbCaminhos");
    for (const char* name : {"CodOperContasPagar", "CodOperContasReceber"}) {
        QLineEdit* code = edit(name);
        // What the group shows around the edit, and the edit's own rim.
        const auto rim = [&] {
            const QRect around = code->geometry().adjusted(-4, -4, 4, 4);
            const QImage picture = group->grab(around).toImage();
            const QColor outside = picture.pixelColor(1, picture.height() / 2);
            std::vector<int> rims;
            for (QPoint at : {QPoint(4, picture.height() / 2), QPoint(picture.width() / 2, 4),
                              QPoint(picture.width() - 5, picture.height() / 2)})
                rims.push_back(contrast(picture.pixelColor(at), outside));
            return std::pair{picture.pixelColor(4, picture.height() / 2), *std::min_element(rims.begin(), rims.end())};
        };
        EXPECT_FALSE(code->hasFrame()) << name << " is flat";

        window.HabilitaOperacoes(false);
        const auto disabled = rim();
        window.HabilitaOperacoes(true);
        window.setFocus();
        const auto enabled = rim();
        code->setFocus();
        const auto focusedRim = rim();
        EXPECT_GE(disabled.second, 40) << name << " disabled";
        EXPECT_GE(enabled.second, 40) << name << " enabled";
        EXPECT_GE(focusedRim.second, 40) << name << " focused";
        EXPECT_GE(contrast(focusedRim.first, enabled.first), 40) << name << ": the focus shows in more than the caret";
    }
    for (const char* name : {"MostraOperacaoContasPagar", "MostraOperacaoContasReceber"})
        EXPECT_TRUE(control<QComboBox>(name)->hasFrame()) << name;
}

TEST_F(WindowLayoutTest, SairClosesTheWindow) {
    click("btSair");
    EXPECT_FALSE(window.isVisible());
}

TEST(RunReport, GaugePercentIsTruncatedAndZeroWithoutMaximum) {
    const struct {
        long long progress, maximum;
        int percent;
    } cases[] = {{0, 100, 0}, {1, 3, 33}, {2, 3, 66}, {3, 3, 100}, {5, 0, 0},
                 {0, 0, 0},   {199, 200, 99}, {4'000'000'000'000'000'000LL, 8'000'000'000'000'000'000LL, 50}};
    for (const auto& c : cases) EXPECT_EQ(GaugePercent(c.progress, c.maximum), c.percent) << c.progress << "/" << c.maximum;
}

TEST(RunReport, DetailNamesEachRegistryWithItsCounts) {
    RunSummary summary;
    auto result = [](const char* name, long long read, long long written) {
        RegistryResult r;
        r.name = name;
        r.read = read;
        r.written = written;
        return r;
    };
    summary.registries = {result("cidades", 2, 2), result("documentosreceber", 5, 3), result("agencias", 1, 1),
                          result("clientes", 10, 6)};
    summary.registries[1].stopped = true;
    summary.registries[1].failed = 1;
    summary.registries[1].skipped = 1;
    summary.registries[1].notTried = 2;
    summary.registries[3].skipped = 2;
    summary.registries[3].failed = 2;
    summary.registries[3].cut = {{"NOME", 2}, {"ENDERECO", 1}};
    EXPECT_EQ(SummaryDetail(summary),
              "Cidades: 2 lidos, 2 gravados\n"
              "Documentos à Receber: 5 lidos, 3 gravados, 1 ignorado, 1 com erro, 2 não tentados (interrompido no "
              "registro com erro)\n"
              "Agências: 1 lido, 1 gravado\n"
              "Clientes: 10 lidos, 6 gravados, 2 ignorados, 2 com erro, 3 valores cortados");
    EXPECT_EQ(SummaryDetail(RunSummary{}), "Nenhum cadastro convertido.");
}

}  // namespace
}  // namespace conversor::testing
