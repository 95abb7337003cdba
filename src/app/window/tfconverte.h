#pragma once
// The program's one window: the operator picks the two databases, the
// registries to carry over and the two operation codes, and starts the run.
// The window is also the run's Operator: status text, gauge and boxes.
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <chrono>
#include <memory>

#include "app/json_report.h"
#include "app/operation_list.h"
#include "app/run.h"
#include "db/operator.h"
#include "app/window/dialogs.h"
#include "db/session.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace conversor {

class OperationCombo;

// One operation selector: the code edit, the drop-down list, the target's
// operations of one type behind it, and the key value the converters read.
struct OperationSelector {
    OperationSelector(std::string type, std::string& key) : operations(std::move(type)), keyValue(key) {}
    QLineEdit* code = nullptr;
    OperationCombo* list = nullptr;
    OperationList operations;
    std::string& keyValue;
};

class TFConverte : public QWidget, public Operator {
    Q_OBJECT
public:
    explicit TFConverte(QWidget* parent = nullptr);
    ~TFConverte() override;

    Session& session() { return session_; }
    // Windows virtual key code of the last key pressed anywhere in the window.
    std::uint16_t ultimaTecla() const { return UltimaTecla; }
    long long gaugeProgress() const { return gaugeProgress_; }
    long long gaugeMaximum() const { return gaugeMaximum_; }

    void HabilitaTela(bool flag);
    void MarcaOpcoes(bool flag);
    void LimpaTela();

    void CarregaOperacoesPagar();
    void CarregaOperacoesReceber();
    bool ValidaOperacaoPagar();
    bool ValidaOperacaoReceber();
    void HabilitaOperacoes(bool flag);

    // Operator: what the run shows. Texts arrive in Windows-1252.
    void setStatus(const std::string& text) override;
    void setGauge(long long progress, long long maximum) override;
    void processEvents() override;
    void message(BoxKind kind, const std::string& caption, const std::string& text) override;
    bool confirm(const std::string& caption, const std::string& text) override;
    void finished(const std::string& text, const RunSummary& summary) override;

    // A stop signal (SIGINT, SIGTERM, SIGHUP) passed on to the window's
    // thread: a run stops at its next row boundary as on the command line,
    // the dialogs open are dismissed and no more boxes are shown (nobody is
    // left to answer them), and the window closes once the run has returned.
    void stopBySignal(int signal);

protected:
    // Every modal dialog goes through these, so a test can answer them.
    virtual void showBox(const DialogBox& box);
    virtual bool askYesNo(const QString& caption, const QString& text);
    virtual QString chooseFile(const QString& filter);
    virtual QString chooseSaveFile(const QString& filter);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private Q_SLOTS:
    void btAbrirTalvoClick();
    void btAbrirOrdelioClick();
    void btConverterClick();
    void btVerificarClick();
    void btSairClick();
    void btnMarcarTodosClick();
    void btnDesmarcarTodosClick();

    void CodOperContasPagarChange();
    void CodOperContasReceberChange();
    void MostraOperacaoContasPagarClick();
    void MostraOperacaoContasReceberClick();
    void MostraOperacaoContasPagarCloseUp();
    void MostraOperacaoContasReceberCloseUp();

private:
    void FormCreate();
    void buildTopBand();
    void buildPaths();
    void buildRegistries();
    void buildOptions();
    void buildBottom();
    void setTabOrder();

    void FormKeyDown(std::uint16_t key);
    enum class KeyReceiver { None, Window, DropDown };
    KeyReceiver keyReceiver(QObject* watched) const;
    void focusMoved(QWidget* now);

    // Part of the operation selectors shared by both.
    static bool CodOperContasPagarKeyPress(QChar typed);
    void CodOperContasPagarExit();
    void CodOperContasReceberExit();
    void MostraOperacaoContasPagarEnter();
    void MostraOperacaoContasReceberEnter();
    void carrega(OperationSelector& selector);
    bool valida(OperationSelector& selector);
    void codeChanged(OperationSelector& selector);
    void listClicked(OperationSelector& selector);
    void listClosedUp(OperationSelector& selector);
    void listEntered(OperationSelector& selector);
    void setKeyValue(OperationSelector& selector, const std::string& code);

    void reportUnhandled(const std::exception& e);
    void pathsToSession();
    void startReport(const Ticked& ticked);
    void saveReport();
    Ticked tickedRegistries() const;

    // While a check runs, its boxes are kept for its end dialog instead of
    // being shown one by one.
    bool checking_ = false;
    std::vector<DialogBox> checkBoxes_;

    Session session_{*this};
    // The last run's or check's rows and boxes, for "Salvar relatório..." in
    // its end dialog.
    std::unique_ptr<JsonReport> report_;
    ReportedRun reportedRun_;
    CheckResult lastCheck_;
    std::chrono::steady_clock::time_point runStart_;
    OperationSelector pagar_{"5", session_.codOperPagar};
    OperationSelector receber_{"8", session_.codOperReceber};

    std::uint16_t UltimaTecla = 0;
    // A run is on the stack; a close asked for meanwhile waits for its end.
    bool running_ = false;
    bool closeWhenDone_ = false;
    long long gaugeProgress_ = 0;
    long long gaugeMaximum_ = 100;
    // The control that had the focus last within the window: moves to other
    // windows (a message box, a drop-down part) neither leave nor enter it.
    QPointer<QWidget> activeControl_;

    QWidget* pnlTopo = nullptr;
    QLabel* lblTitulo = nullptr;
    QGroupBox* GbCaminhos = nullptr;
    QLineEdit* EdBancoTalvo = nullptr;
    QPushButton* btAbrirTalvo = nullptr;
    QLineEdit* EdBancoOrdelio = nullptr;
    QPushButton* btAbrirOrdelio = nullptr;
    QCheckBox* chkCopiaSeguranca = nullptr;  // back the target up before the run changes it
    QGroupBox* gbCadastros = nullptr;
    std::array<QCheckBox*, 20> registryBoxes_{};  // in the run's order
    QGroupBox* gbOpcoes = nullptr;
    QPushButton* btnMarcarTodos = nullptr;
    QPushButton* btnDesmarcarTodos = nullptr;
    QCheckBox* chkGravarEmLotes = nullptr;  // one commit per 1,000 rows instead of per row
    QCheckBox* chkContinuarAposErros = nullptr;
    QPushButton* btConverter = nullptr;
    QPushButton* btVerificar = nullptr;
    QPushButton* btSair = nullptr;
    QProgressBar* Barra = nullptr;
    QStatusBar* StatusBar = nullptr;
    std::array<QLabel*, 2> statusPanels_{};
};

}  // namespace conversor
