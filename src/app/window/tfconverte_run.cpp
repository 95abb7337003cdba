// The buttons of the window, the run behind "&Converter", and what the run
// shows through the window.
#include <QCheckBox>
#include <QCloseEvent>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <ctime>

#include "app/check.h"
#include "app/run.h"
#include "app/run_accounting.h"
#include "db/firebird/backup.h"
#include "app/window/run_report.h"
#include "app/window/tfconverte.h"

namespace conversor {

void TFConverte::btAbrirTalvoClick() {
    const QString path = chooseFile("Bancos de Dados Talvo (*.fdb)");
    // The source is connected only by the run.
    if (!path.isEmpty()) EdBancoTalvo->setText(path);
}

void TFConverte::btAbrirOrdelioClick() {
    const QString path = chooseFile("Bancos de Dados Ordelio (*.fb)");
    if (!path.isEmpty()) {
        EdBancoOrdelio->setText(path);
        pathsToSession();
        // A failure is reported by the connection itself.
        if (!session_.ConectaOrdelio()) EdBancoOrdelio->setFocus();
    }
    // Also after a cancelled dialog, as long as a target is shown; lists
    // already filled stay as they are.
    if (EdBancoOrdelio->text().isEmpty()) return;
    try {
        CarregaOperacoesPagar();
        CarregaOperacoesReceber();
        HabilitaOperacoes(true);
    } catch (const std::exception& e) {
        reportUnhandled(e);
    }
}

Ticked TFConverte::tickedRegistries() const {
    Ticked ticked{};
    for (std::size_t i = 0; i < registryBoxes_.size(); ++i) ticked[i] = registryBoxes_[i]->isChecked();
    return ticked;
}

namespace {
// Rows per commit when the run writes in batches: a failing row is still
// undone alone, so the target ends as with one commit per row.
constexpr int kBatchRows = 1000;
}  // namespace

void TFConverte::btConverterClick() {
    pathsToSession();
    session_.setCommitInterval(chkGravarEmLotes->isChecked() ? kBatchRows : 1);
    const Ticked ticked = tickedRegistries();
    session_.keepGoing = chkContinuarAposErros->isChecked();
    startReport(ticked);
    session_.backupFile =
        chkCopiaSeguranca->isChecked() ? DefaultBackupFile(session_.targetPath, std::time(nullptr)) : std::string();

    const RunScreen screen{[this](bool flag) { HabilitaTela(flag); }, [this] { LimpaTela(); }};
    RunOutcome outcome;
    {
        running_ = true;
        struct Returned {
            bool& running;
            ~Returned() { running = false; }
        } returned{running_};
        outcome = ExecuteRun(session_, ticked, screen);
    }
    if (closeWhenDone_) {
        close();
        return;
    }
    switch (outcome) {
        case RunOutcome::EmptySourcePath: EdBancoTalvo->setFocus(); break;
        case RunOutcome::EmptyTargetPath: EdBancoOrdelio->setFocus(); break;
        case RunOutcome::ConnectionFailed:
            // Each failing connection takes the focus to its path; the source
            // is connected last.
            (session_.CnTalvo.isOpen() ? EdBancoOrdelio : EdBancoTalvo)->setFocus();
            break;
        default: break;
    }
}

void TFConverte::closeEvent(QCloseEvent* event) {
    // Nothing in the run looks for a close: it goes on, and the window stays
    // shown, disabled, its gauge and status moving, until the run returns.
    if (running_) {
        closeWhenDone_ = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TFConverte::stopBySignal(int signal) {
    session_.stop.request(signal);
    // A dismissed confirmation is a No; any other dialog is only closed.
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) dialog->reject();
    close();
}

// The same choices as "&Converter", and nothing changes: the end dialog
// tells what a run would meet; paths and ticks stay for the run that follows.
void TFConverte::btVerificarClick() {
    pathsToSession();
    const Ticked ticked = tickedRegistries();
    startReport(ticked);
    reportedRun_.keepGoing = true;  // the dry run goes on past failing rows
    checking_ = true;
    checkBoxes_.clear();
    CheckResult& result = lastCheck_;
    result = {};
    try {
        result = ExecuteCheck(session_, ticked, {[this](bool flag) { HabilitaTela(flag); }, {}});
    } catch (const std::exception& e) {
        checking_ = false;
        HabilitaTela(true);
        reportUnhandled(e);
        return;
    }
    checking_ = false;
    if (result.outcome != CheckOutcome::Completed) {
        // Nothing was checked: the boxes say why, as for a run.
        for (const DialogBox& box : checkBoxes_) showBox(box);
        const bool target = result.outcome == CheckOutcome::EmptyTargetPath ||
                            (result.outcome == CheckOutcome::ConnectionFailed && session_.CnTalvo.isOpen());
        (target ? EdBancoOrdelio : EdBancoTalvo)->setFocus();
        return;
    }
    std::vector<std::string> shown;
    for (const DialogBox& box : checkBoxes_) shown.push_back((box.caption + ": " + box.text).toStdString());
    const CheckVerdict verdict = Verdict(result);
    DialogBox end{BoxKind::Information, QString::fromUtf8("Informação"), {},
                  QString::fromStdString(CheckDetail(result, shown))};
    if (verdict == CheckVerdict::WouldShowBoxes) end = {BoxKind::Warning, "Alerta", {}, end.detail};
    if (verdict == CheckVerdict::CannotConvert) end = {BoxKind::Error, "Erro", {}, end.detail};
    end.text = QString::fromUtf8(CheckVerdictText(verdict).c_str());
    if (report_) {
        reportedRun_.check = &lastCheck_;
        end.saveReport = [this] { saveReport(); };
    }
    showBox(end);
}

void TFConverte::btSairClick() { close(); }
void TFConverte::btnMarcarTodosClick() { MarcaOpcoes(true); }
void TFConverte::btnDesmarcarTodosClick() { MarcaOpcoes(false); }

void TFConverte::HabilitaTela(bool flag) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{GbCaminhos, gbCadastros, gbOpcoes, btConverter, btVerificar, btSair})
        w->setEnabled(flag);
}

void TFConverte::MarcaOpcoes(bool flag) {
    for (QCheckBox* box : registryBoxes_) box->setChecked(flag);
}

void TFConverte::LimpaTela() {
    EdBancoTalvo->clear();
    EdBancoOrdelio->clear();
    MarcaOpcoes(true);
    chkCopiaSeguranca->setChecked(true);
    EdBancoTalvo->setFocus();
}

void TFConverte::pathsToSession() {
    // File names are used unchanged, in the file system's own encoding.
    session_.sourcePath = QFile::encodeName(EdBancoTalvo->text()).toStdString();
    session_.targetPath = QFile::encodeName(EdBancoOrdelio->text()).toStdString();
}

void TFConverte::reportUnhandled(const std::exception& e) {
    std::string text = e.what();
    if (text.empty() || text.back() != '.') text += '.';
    message(BoxKind::Error, kProgramTitle, text);
}

void TFConverte::setStatus(const std::string& text) { statusPanels_[0]->setText(FromWindows1252(text)); }

void TFConverte::setGauge(long long progress, long long maximum) {
    gaugeProgress_ = progress;
    gaugeMaximum_ = maximum;
    Barra->setValue(GaugePercent(progress, maximum));
}

void TFConverte::processEvents() { QCoreApplication::processEvents(); }

void TFConverte::message(BoxKind kind, const std::string& caption, const std::string& text) {
    if (session_.stop.requested()) return;
    DialogBox box{kind, FromWindows1252(caption), FromWindows1252(text), {}};
    if (checking_) checkBoxes_.push_back(box);
    else showBox(box);
}

bool TFConverte::confirm(const std::string& caption, const std::string& text) {
    if (session_.stop.requested()) return false;
    return askYesNo(FromWindows1252(caption), FromWindows1252(text));
}

void TFConverte::finished(const std::string& text, const RunSummary& summary) {
    if (session_.stop.requested()) return;
    DialogBox box{BoxKind::Information, FromWindows1252(Caption(BoxKind::Information)), FromWindows1252(text),
                  QString::fromStdString(SummaryDetail(summary)), {}};
    if (report_) box.saveReport = [this] { saveReport(); };
    showBox(box);
}

void TFConverte::startReport(const Ticked& ticked) {
    try {
        report_ = std::make_unique<JsonReport>();
    } catch (const std::exception&) {
        // Without its temporary files the run goes on, without a report to save.
        report_.reset();
    }
    session_.ledger = report_.get();
    reportedRun_ = {};
    reportedRun_.source = session_.sourcePath;
    reportedRun_.target = session_.targetPath;
    reportedRun_.started = std::time(nullptr);
    reportedRun_.commitEvery = session_.commitInterval();
    reportedRun_.keepGoing = session_.keepGoing;
    reportedRun_.ticked = ticked;
    runStart_ = std::chrono::steady_clock::now();
}

void TFConverte::saveReport() {
    const QString path = chooseSaveFile(QString::fromUtf8("Relatório da conversão (*.json)"));
    if (path.isEmpty() || !report_) return;
    // Saved from the end dialog: the run or check completed, and its boxes
    // and findings tell the status.
    reportedRun_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - runStart_).count();
    const RunSummary& summary = reportedRun_.check ? reportedRun_.check->summary : session_.summary;
    reportedRun_.exit = reportedRun_.check ? CheckExitStatus(*reportedRun_.check)
                                           : ExitStatus(RunOutcome::Completed, session_.summary);
    try {
        report_->write(QFile::encodeName(path).toStdString(), reportedRun_, summary);
    } catch (const std::exception& e) {
        showBox({BoxKind::Error, "Erro", QString::fromUtf8("Não foi possível salvar o relatório: ") + QString::fromStdString(e.what()), {}, {}});
    }
}

void TFConverte::showBox(const DialogBox& box) { ShowMessageBox(this, box); }
bool TFConverte::askYesNo(const QString& caption, const QString& text) { return AskYesNo(this, caption, text); }
QString TFConverte::chooseFile(const QString& filter) { return ChooseFile(this, filter); }
QString TFConverte::chooseSaveFile(const QString& filter) { return ChooseSaveFile(this, filter); }

}  // namespace conversor
