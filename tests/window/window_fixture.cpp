#include "window/window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace conversor::testing {

QtApplication::QtApplication() {
    if (QApplication::instance()) return;
    // No screen is needed: the offscreen platform serves windows in memory.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "window_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives as long as the test program
}

void TestWindow::setStatus(const std::string& text) {
    TFConverte::setStatus(text);
    statuses.push_back(FromWindows1252(text));
    if (onStatus) onStatus(statuses.back());
}

void TestWindow::showBox(const DialogBox& box) {
    boxes.push_back(box);
    if (!modalBoxes) return;
    QTimer::singleShot(0, this, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        QWidget* receiver = dialog->focusWidget() ? dialog->focusWidget() : dialog;
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(receiver, &down);
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(receiver, &up);
    });
    TFConverte::showBox(box);
}

std::vector<QString> TestWindow::boxTexts() const {
    std::vector<QString> texts;
    for (const DialogBox& box : boxes) texts.push_back(QString(box.text).replace('\r', '|'));
    return texts;
}

QString TestWindow::chooseFile(const QString& filter) {
    filters.push_back(filter);
    if (files.empty()) return {};
    QString file = files.front();
    files.pop_front();
    return file;
}

WindowTest::WindowTest() {
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
}

QCheckBox* WindowTest::check(const char* name) { return control<QCheckBox>(name); }
QLineEdit* WindowTest::edit(const char* name) { return control<QLineEdit>(name); }

QString WindowTest::focused() const {
    QWidget* w = window.focusWidget();
    return w ? w->objectName() : QString();
}

void WindowTest::press(Qt::Key key, const QString& text) {
    QWidget* receiver = nullptr;
    if (QWidget* popup = QApplication::activePopupWidget())
        receiver = popup->focusWidget() ? popup->focusWidget() : popup;
    else
        receiver = window.focusWidget() ? window.focusWidget() : &window;
    // As the platform delivers a key: first offered as a shortcut override,
    // then pressed and released.
    QKeyEvent shortcut(QEvent::ShortcutOverride, key, Qt::NoModifier, text);
    QApplication::sendEvent(receiver, &shortcut);
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(receiver, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(receiver, &up);
}

void WindowTest::type(const QString& characters) {
    for (QChar c : characters) {
        const auto key = c.isDigit() ? Qt::Key(Qt::Key_0 + c.digitValue()) : Qt::Key(Qt::Key_A + (c.toUpper().unicode() - 'A'));
        press(key, QString(c));
    }
}

void WindowTest::chooseDatabases() {
    window.files = {QString::fromStdString(db.sourcePath())};
    click("btAbrirTalvo");
    chooseTarget(db.targetPath());
}

void WindowTest::chooseTarget(const std::string& path) {
    window.files = {QString::fromStdString(path)};
    click("btAbrirOrdelio");
}

void WindowTest::click(const char* button) { control<QPushButton>(button)->click(); }

}  // namespace conversor::testing
