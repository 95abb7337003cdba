#include "app/window/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "text/cp1252.h"

namespace conversor {

namespace {
QString LineBreaks(QString text) { return text.replace(QLatin1Char('\r'), QLatin1Char('\n')); }

QMessageBox::Icon IconOf(BoxKind kind) {
    switch (kind) {
        case BoxKind::Information: return QMessageBox::Information;
        case BoxKind::Warning:
        case BoxKind::Exclamation: return QMessageBox::Warning;
        case BoxKind::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

QString FromWindows1252(const std::string& text) { return QString::fromStdString(ToUtf8(text)); }

void ShowMessageBox(QWidget* parent, const DialogBox& box) {
    QMessageBox dialog(IconOf(box.kind), box.caption, LineBreaks(box.text), QMessageBox::Ok, parent);
    // Server messages may hold '<' and must not be taken for markup.
    dialog.setTextFormat(Qt::PlainText);
    if (!box.detail.isEmpty()) dialog.setDetailedText(LineBreaks(box.detail));
    QPushButton* save =
        box.saveReport ? dialog.addButton(QString::fromUtf8("Salvar relatório..."), QMessageBox::ActionRole) : nullptr;
    // Any button closes a message box: after saving it is shown again.
    for (;;) {
        dialog.exec();
        if (!save || dialog.clickedButton() != save) break;
        box.saveReport();
    }
}

bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox dialog(QMessageBox::Question, caption, LineBreaks(text), QMessageBox::NoButton, parent);
    dialog.setTextFormat(Qt::PlainText);
    QPushButton* yes = dialog.addButton(QString::fromUtf8("&Sim"), QMessageBox::YesRole);
    QPushButton* no = dialog.addButton(QString::fromUtf8("&Não"), QMessageBox::NoRole);
    dialog.setDefaultButton(no);
    dialog.setEscapeButton(no);
    dialog.exec();
    return dialog.clickedButton() == yes;
}

QString ChooseFile(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString ChooseSaveFile(QWidget* parent, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
}

}  // namespace conversor
