#include "app/window/tfconverte.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QStyle>

#include "app/registries.h"
#include "app/window/operation_combo.h"

namespace conversor {

namespace {

constexpr int kClientWidth = 602;
constexpr int kClientHeight = 568;
constexpr int kGroupLeft = 8;
constexpr int kGroupWidth = kClientWidth - 2 * kGroupLeft;

// The window's own font is 8 points at the 96 dots per inch it was drawn
// for; a pixel size keeps the fixed layout whatever the screen's density.
QFont WindowFont() {
    QFont font;
    font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Liberation Sans", "Nimbus Sans",
                      "DejaVu Sans"});
    font.setPixelSize(11);
    return font;
}

QFont TitleFont() {
    QFont font;
    font.setFamilies({"Arial", "Liberation Sans", "Nimbus Sans", "DejaVu Sans"});
    font.setPixelSize(15);
    font.setBold(true);
    return font;
}

QLabel* MaroonLabel(QWidget* parent, const char* name, const char* utf8) {
    auto* label = new QLabel(QString::fromUtf8(utf8), parent);
    label->setObjectName(name);
    label->setFont(TitleFont());
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x80, 0, 0));
    label->setPalette(palette);
    return label;
}

QLabel* Picture(QWidget* parent, QStyle::StandardPixmap pixmap, int x, int y) {
    auto* picture = new QLabel(parent);
    picture->setPixmap(parent->style()->standardIcon(pixmap).pixmap(32, 32));
    picture->setGeometry(x, y, 32, 32);
    return picture;
}

QPushButton* PictureButton(QWidget* parent, const char* name, const char* utf8, QStyle::StandardPixmap glyph,
                           QRect geometry) {
    auto* button = new QPushButton(parent->style()->standardIcon(glyph), QString::fromUtf8(utf8), parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

QLineEdit* PathEdit(QWidget* parent, const char* name, QRect geometry) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setGeometry(geometry);
    return edit;
}

// Where each registry's check box sits, in the tab order of the group.
struct Place {
    std::string_view checkBox;
    int x, y;
};
constexpr int kColumn[] = {12, 146, 280, 414};
constexpr int Row(int n) { return 18 + 18 * n; }
constexpr Place kRegistryPlaces[] = {
    {"ckClientes", kColumn[0], Row(0)},
    {"ckGrupos", kColumn[0], Row(1)},
    {"ckSubgrupos", kColumn[0], Row(2)},
    {"ckClasfisc", kColumn[0], Row(3)},
    {"ckFabricantes", kColumn[0], Row(4)},
    {"ckProdutos", kColumn[1], Row(0)},
    {"ckFornecedores", kColumn[1], Row(1)},
    {"ckVendedores", kColumn[1], Row(2)},
    {"ckCidades", kColumn[1], Row(3)},
    {"ckFiliais", kColumn[1], Row(4)},
    {"ckBancos", kColumn[2], Row(0)},
    {"ckAgencias", kColumn[2], Row(1)},
    {"ckContas", kColumn[2], Row(2)},
    {"ckTipoLancamentos", kColumn[2], Row(3)},
    {"ckTransportadoras", kColumn[2], Row(4)},
    {"chkSegmentos", kColumn[3], Row(0) + 9},
    {"chkCompClientes", kColumn[3], Row(1) + 9},
    {"chkCondicoesPagamento", kColumn[3], Row(2) + 9},
    {"chkDocumentosReceber", kColumn[1], Row(5)},
    {"chkDocumentosPagar", kColumn[0], Row(5)},
};

}  // namespace

TFConverte::TFConverte(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName("FConverte");
    setWindowTitle("Conversor de Dados - Talvo Sistemas");
    setFont(WindowFont());
    setFixedSize(kClientWidth, kClientHeight);

    buildTopBand();
    buildPaths();
    buildRegistries();
    buildOptions();
    buildBottom();
    setTabOrder();
    FormCreate();
}

TFConverte::~TFConverte() {
    // Children are destroyed after this body; no focus change or key of
    // theirs may reach a half-destroyed window.
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
}

void TFConverte::FormCreate() {
    // Key preview: every key of the window passes through eventFilter first.
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusMoved(now); });

    connect(btAbrirTalvo, &QPushButton::clicked, this, &TFConverte::btAbrirTalvoClick);
    connect(btAbrirOrdelio, &QPushButton::clicked, this, &TFConverte::btAbrirOrdelioClick);
    connect(btConverter, &QPushButton::clicked, this, &TFConverte::btConverterClick);
    connect(btVerificar, &QPushButton::clicked, this, &TFConverte::btVerificarClick);
    connect(btSair, &QPushButton::clicked, this, &TFConverte::btSairClick);
    connect(btnMarcarTodos, &QPushButton::clicked, this, &TFConverte::btnMarcarTodosClick);
    connect(btnDesmarcarTodos, &QPushButton::clicked, this, &TFConverte::btnDesmarcarTodosClick);

    connect(pagar_.code, &QLineEdit::textChanged, this, &TFConverte::CodOperContasPagarChange);
    connect(receber_.code, &QLineEdit::textChanged, this, &TFConverte::CodOperContasReceberChange);
    connect(pagar_.list, &OperationCombo::chosen, this, &TFConverte::MostraOperacaoContasPagarClick);
    connect(receber_.list, &OperationCombo::chosen, this, &TFConverte::MostraOperacaoContasReceberClick);
    connect(pagar_.list, &OperationCombo::closedUp, this, &TFConverte::MostraOperacaoContasPagarCloseUp);
    connect(receber_.list, &OperationCombo::closedUp, this, &TFConverte::MostraOperacaoContasReceberCloseUp);

    HabilitaOperacoes(false);
}

void TFConverte::buildTopBand() {
    pnlTopo = new QWidget(this);
    pnlTopo->setObjectName("pnlTopo");
    pnlTopo->setGeometry(0, 0, kClientWidth, 60);
    pnlTopo->setAutoFillBackground(true);
    QPalette palette = pnlTopo->palette();
    palette.setColor(QPalette::Window, Qt::white);
    pnlTopo->setPalette(palette);

    Picture(pnlTopo, QStyle::SP_DriveHDIcon, 14, 14);
    Picture(pnlTopo, QStyle::SP_BrowserReload, 124, 14);
    Picture(pnlTopo, QStyle::SP_DriveHDIcon, kClientWidth - 14 - 32, 14);
    lblTitulo = MaroonLabel(pnlTopo, "lblTitulo", "Ferramenta de Conversão de Dados");
    lblTitulo->setGeometry(0, 9, kClientWidth, 20);
    MaroonLabel(pnlTopo, "lblTalvoSistemas", "Talvo Sistemas")->setGeometry(0, 31, kClientWidth, 20);
}

void TFConverte::buildPaths() {
    GbCaminhos = new QGroupBox(this);
    GbCaminhos->setObjectName("GbCaminhos");
    GbCaminhos->setGeometry(kGroupLeft, 64, kGroupWidth, 198);

    auto* lblBancoCliente = new QLabel("Caminho do banco Talvo", GbCaminhos);
    lblBancoCliente->setObjectName("lblBancoCliente");
    lblBancoCliente->move(12, 14);
    EdBancoTalvo = PathEdit(GbCaminhos, "EdBancoTalvo", QRect(12, 30, 531, 21));
    btAbrirTalvo = PictureButton(GbCaminhos, "btAbrirTalvo", "", QStyle::SP_DirOpenIcon, QRect(547, 28, 27, 25));
    btAbrirTalvo->setToolTip("Procurar arquivo de clientes");

    auto* lblBancoOrdelio = new QLabel("Caminho do banco do Ordelio", GbCaminhos);
    lblBancoOrdelio->setObjectName("lblBancoOrdelio");
    lblBancoOrdelio->move(12, 64);
    EdBancoOrdelio = PathEdit(GbCaminhos, "EdBancoOrdelio", QRect(12, 80, 531, 21));
    btAbrirOrdelio = PictureButton(GbCaminhos, "btAbrirOrdelio", "", QStyle::SP_DirOpenIcon, QRect(547, 78, 27, 25));
    btAbrirOrdelio->setToolTip("Procurar arquivo de clientes");

    const auto selector = [this](OperationSelector& s, const char* codeName, const char* listName, int y) {
        s.code = new QLineEdit(GbCaminhos);
        s.code->setObjectName(codeName);
        s.code->setMaxLength(3);
        // Flat, but a line around it in every state: disabled it would
        // otherwise melt into the group, and focused show only its caret.
        s.code->setFrame(false);
        s.code->setStyleSheet("QLineEdit { border: 1px solid palette(dark); background: palette(base); padding: 0 2px; }"
                              "QLineEdit:focus { border-color: palette(highlight); }"
                              "QLineEdit:disabled { border-color: palette(mid); background: palette(midlight); }");
        // Typed letters are already refused key by key; this also keeps
        // pasted text to digits.
        s.code->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), s.code));
        s.code->setGeometry(12, y, 40, 21);
        s.list = new OperationCombo(GbCaminhos);
        s.list->setObjectName(listName);
        // Raised: a flat drop-down list is hard to tell from a label.
        s.list->setFrame(true);
        s.list->setGeometry(56, y, 320, 21);
    };
    selector(pagar_, "CodOperContasPagar", "MostraOperacaoContasPagar", 122);
    selector(receber_, "CodOperContasReceber", "MostraOperacaoContasReceber", 156);

    chkCopiaSeguranca = new QCheckBox(QString::fromUtf8("Cópia de segurança do Ordelio antes de converter"), GbCaminhos);
    chkCopiaSeguranca->setObjectName("chkCopiaSeguranca");
    chkCopiaSeguranca->setToolTip(
        QString::fromUtf8("Grava uma cópia do banco do Ordelio ao lado dele, com a data e a hora no nome"));
    chkCopiaSeguranca->setChecked(true);
    chkCopiaSeguranca->move(12, 178);
    chkCopiaSeguranca->adjustSize();
}

void TFConverte::buildRegistries() {
    gbCadastros = new QGroupBox("Cadastros:", this);
    gbCadastros->setObjectName("gbCadastros");
    gbCadastros->setGeometry(kGroupLeft, 268, kGroupWidth, 134);

    const auto& registries = Registries();
    for (const Place& place : kRegistryPlaces) {
        for (std::size_t i = 0; i < registries.size(); ++i) {
            if (registries[i].checkBox != place.checkBox) continue;
            auto* box = new QCheckBox(QString::fromUtf8(registries[i].caption.data(), registries[i].caption.size()),
                                      gbCadastros);
            box->setObjectName(QString::fromLatin1(place.checkBox.data(), place.checkBox.size()));
            box->setChecked(true);
            box->move(place.x, place.y);
            box->adjustSize();
            registryBoxes_[i] = box;
        }
    }
}

void TFConverte::buildOptions() {
    gbOpcoes = new QGroupBox(QString::fromUtf8("Opções:"), this);
    gbOpcoes->setObjectName("gbOpcoes");
    // Under the two buttons, a row of options of how the run writes.
    gbOpcoes->setGeometry(kGroupLeft, 408, kGroupWidth, 75);
    const int left = (kGroupWidth - 2 * 201 - 8) / 2;
    btnMarcarTodos = PictureButton(gbOpcoes, "btnMarcarTodos", "Marcar Todos", QStyle::SP_DialogYesButton,
                                   QRect(left, 22, 201, 25));
    btnDesmarcarTodos = PictureButton(gbOpcoes, "btnDesmarcarTodos", "Desmarcar Todos", QStyle::SP_DialogNoButton,
                                      QRect(left + 209, 22, 201, 25));
    chkGravarEmLotes = new QCheckBox(QString::fromUtf8("Gravar em lotes (mais rápido)"), gbOpcoes);
    chkGravarEmLotes->setObjectName("chkGravarEmLotes");
    chkGravarEmLotes->setToolTip(QString::fromUtf8("Uma confirmação a cada 1.000 registros em vez de uma por "
                                                   "registro; o banco convertido é o mesmo"));
    chkGravarEmLotes->move(left, 53);
    chkGravarEmLotes->adjustSize();
    // Unticked: the first failing row stops its registry, as it always has.
    chkContinuarAposErros = new QCheckBox(QString::fromUtf8("Continuar após erros"), gbOpcoes);
    chkContinuarAposErros->setObjectName("chkContinuarAposErros");
    chkContinuarAposErros->move(left + 209, 53);
    chkContinuarAposErros->adjustSize();
}

void TFConverte::buildBottom() {
    const int left = (kClientWidth - 3 * 104 - 2 * 12) / 2;
    btConverter = PictureButton(this, "btConverter", "&Converter", QStyle::SP_MediaPlay, QRect(left, 491, 104, 30));
    btConverter->setToolTip(QString::fromUtf8("Iniciar a conversão"));
    btVerificar =
        PictureButton(this, "btVerificar", "Verificar", QStyle::SP_DialogApplyButton, QRect(left + 116, 491, 104, 30));
    btVerificar->setToolTip(QString::fromUtf8("Verifica a conversão sem alterar os bancos de dados"));
    btSair = PictureButton(this, "btSair", "&Sair", QStyle::SP_DialogCloseButton, QRect(left + 232, 491, 104, 30));
    btSair->setToolTip(QString::fromUtf8("Encerra a aplicação"));

    Barra = new QProgressBar(this);
    Barra->setObjectName("Barra");
    Barra->setGeometry(0, 529, kClientWidth, 17);
    Barra->setRange(0, 100);
    Barra->setValue(0);
    Barra->setAlignment(Qt::AlignCenter);

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName("StatusBar");
    StatusBar->setSizeGripEnabled(false);
    StatusBar->setGeometry(0, 548, kClientWidth, 20);
    statusPanels_[0] = new QLabel(StatusBar);
    statusPanels_[0]->setObjectName("StatusBarPanel0");
    statusPanels_[0]->setFixedWidth(285);
    statusPanels_[1] = new QLabel(QString::fromUtf8("Brumo Informática"), StatusBar);
    statusPanels_[1]->setObjectName("StatusBarPanel1");
    statusPanels_[1]->setMinimumWidth(50);
    StatusBar->addWidget(statusPanels_[0]);
    // The last panel runs to the window's right edge.
    StatusBar->addWidget(statusPanels_[1], 1);
}

void TFConverte::setTabOrder() {
    std::vector<QWidget*> order{EdBancoTalvo,        btAbrirTalvo,  EdBancoOrdelio, btAbrirOrdelio,
                                pagar_.code,         pagar_.list,   receber_.code,  receber_.list,
                                chkCopiaSeguranca};
    for (const Place& place : kRegistryPlaces)
        order.push_back(gbCadastros->findChild<QCheckBox*>(QString::fromLatin1(place.checkBox.data(),
                                                                                 place.checkBox.size())));
    order.insert(order.end(), {btConverter, btVerificar, btSair, btnMarcarTodos, btnDesmarcarTodos, chkGravarEmLotes,
                                   chkContinuarAposErros});
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace conversor
