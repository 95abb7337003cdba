// conversor-screenshot: the pictures of the window in docs/.
//   conversor-screenshot DIR TARGET CODE
// DIR/window.png is the window as it opens; DIR/window-target.png the same
// window once TARGET (an Ordelio database) is chosen with its browse button
// and CODE typed into the payables code edit and confirmed with Enter.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

#include "app/window/tfconverte.h"
#include "app/window/toolkit_translation.h"

namespace {

// The window with its file dialog answered by the given target.
class PicturedWindow : public conversor::TFConverte {
public:
    explicit PicturedWindow(QString target) : target_(std::move(target)) {}

protected:
    QString chooseFile(const QString&) override { return target_; }

private:
    QString target_;
};

// As the platform delivers a key to the focused control.
void Press(QWidget& window, Qt::Key key, const QString& text) {
    QWidget* receiver = window.focusWidget() ? window.focusWidget() : &window;
    for (QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier, text);
        QApplication::sendEvent(receiver, &event);
    }
}

bool Save(QWidget& window, const QString& file) {
    QApplication::processEvents();
    if (window.grab().save(file)) return true;
    std::fprintf(stderr, "conversor-screenshot: cannot write %s\n", qPrintable(file));
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fputs("Usage: conversor-screenshot DIR TARGET CODE\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    const conversor::ToolkitTranslation portuguese;
    const QString dir = QString::fromLocal8Bit(argv[1]);

    PicturedWindow window(QString::fromLocal8Bit(argv[2]));
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    if (!Save(window, dir + "/window.png")) return 1;

    window.findChild<QPushButton*>("btAbrirOrdelio")->click();
    auto* code = window.findChild<QLineEdit*>("CodOperContasPagar");
    if (!code->isEnabled()) {
        std::fputs("conversor-screenshot: the target's operations did not load\n", stderr);
        return 1;
    }
    code->setFocus();
    for (const char digit : std::string(argv[3])) Press(window, Qt::Key(Qt::Key_0 + (digit - '0')), QString(QChar(digit)));
    Press(window, Qt::Key_Return, "\r");
    return Save(window, dir + "/window-target.png") ? 0 : 1;
}
