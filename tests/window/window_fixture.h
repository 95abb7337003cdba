#pragma once
// The window on the offscreen platform, with every dialog answered by the
// test, and a fresh pair of databases to pick in its file dialogs.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "support/fixture.h"
#include "app/window/tfconverte.h"

class QCheckBox;
class QLineEdit;

// Readable texts in failing assertions.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace conversor::testing {

// Creates the one QApplication of the test program on first use.
struct QtApplication {
    QtApplication();
};

class TestWindow : public TFConverte {
public:
    std::vector<DialogBox> boxes;
    std::vector<QString> statuses;
    std::vector<QString> filters;      // of every file dialog shown
    std::deque<QString> files;         // answers of the file dialogs; empty: cancelled
    QString saveAs;                    // answer of the save dialog; empty: cancelled
    bool answer = true;                // answer of the confirmation
    int questions = 0;
    // Called after each status text, as the close box would be handled
    // between two rows.
    std::function<void(const QString&)> onStatus;
    // Boxes are also shown for real, modal, and answered with Enter, as
    // an operator would: the window loses the focus while one is open.
    bool modalBoxes = false;

    void setStatus(const std::string& text) override;
    std::vector<QString> boxTexts() const;  // '\r' shown as '|'

protected:
    void showBox(const DialogBox& box) override;
    bool askYesNo(const QString&, const QString&) override {
        ++questions;
        return answer;
    }
    QString chooseFile(const QString& filter) override;
    QString chooseSaveFile(const QString&) override { return saveAs; }
};

class WindowTest : public ::testing::Test {
protected:
    WindowTest();

    template <typename T = QWidget>
    T* control(const char* name) {
        T* widget = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QCheckBox* check(const char* name);
    QLineEdit* edit(const char* name);
    QString focused() const;  // object name of the window's focus widget

    // Delivers a key the way the platform does: to an open drop-down part,
    // else to the window's focus widget.
    void press(Qt::Key key, const QString& text = {});
    void type(const QString& digits);

    // Picks both databases through the browse buttons.
    void chooseDatabases();
    void chooseTarget(const std::string& path);
    void click(const char* button);

    QtApplication app;
    TestDatabases db;
    TestWindow window;
};

}  // namespace conversor::testing
