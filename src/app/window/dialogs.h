#pragma once
// The modal dialogs the window shows, in their standard form. The window
// calls them through overridable members, so tests can answer them.
#include <QString>
#include <functional>
#include <string>

#include "db/operator.h"

class QWidget;

namespace conversor {

// A message box as the window shows it; texts are decoded, and a '\r' in
// them is a line break.
struct DialogBox {
    BoxKind kind = BoxKind::Information;
    QString caption;
    QString text;
    QString detail;  // offered behind a button when not empty
    // Offered as "Salvar relatório..." when set; the box stays open after it.
    std::function<void()> saveReport = nullptr;
};

// Texts of the databases and of the core are Windows-1252.
QString FromWindows1252(const std::string& text);

void ShowMessageBox(QWidget* parent, const DialogBox& box);
// "&Sim" / "&Não", with No as the default and the Esc answer.
bool AskYesNo(QWidget* parent, const QString& caption, const QString& text);
// File-open dialog with a single filter; empty when cancelled.
QString ChooseFile(QWidget* parent, const QString& filter);
// File-save dialog with a single filter; empty when cancelled.
QString ChooseSaveFile(QWidget* parent, const QString& filter);

}  // namespace conversor
