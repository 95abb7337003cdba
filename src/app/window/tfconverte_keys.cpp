// Key preview and the focus moves the selector handlers listen to.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "app/window/key_codes.h"
#include "app/window/operation_combo.h"
#include "app/window/tfconverte.h"

namespace conversor {

namespace {
bool IsTypedCharacter(const QKeyEvent& key) {
    if (key.text().isEmpty() || key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab ||
        key.key() == Qt::Key_Delete)
        return false;
    // Shortcuts such as copy and paste are not typing.
    return !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}
}  // namespace

bool TFConverte::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return QWidget::eventFilter(watched, event);
    const KeyReceiver receiver = keyReceiver(watched);
    if (receiver == KeyReceiver::None) return QWidget::eventFilter(watched, event);

    const auto* key = static_cast<QKeyEvent*>(event);
    const std::uint16_t code = WindowsKeyCode(key->key());
    if (type == QEvent::ShortcutOverride || receiver == KeyReceiver::DropDown) {
        // A key that triggers an accelerator arrives only as a shortcut
        // override, and an open drop-down part handles Enter and Esc itself;
        // either still counts as the last key pressed.
        UltimaTecla = code;
        return QWidget::eventFilter(watched, event);
    }
    FormKeyDown(code);
    if ((watched == pagar_.code || watched == receber_.code) && IsTypedCharacter(*key) &&
        !CodOperContasPagarKeyPress(key->text().front()))
        return true;  // discarded
    return QWidget::eventFilter(watched, event);
}

TFConverte::KeyReceiver TFConverte::keyReceiver(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return KeyReceiver::None;
    bool ours = false;
    for (const QWidget* w = widget; w && !ours; w = w->parentWidget()) ours = w == this;
    if (!ours) return KeyReceiver::None;
    // Only the widget Qt gives the key to counts, not its parents when it
    // passes the key on: an open drop-down part's focus, or the window's.
    if (QWidget* popup = QApplication::activePopupWidget()) {
        const QWidget* target = popup->focusWidget() ? popup->focusWidget() : popup;
        if (widget == target) return KeyReceiver::DropDown;
    }
    const QWidget* target = focusWidget() ? focusWidget() : this;
    if (widget != target) return KeyReceiver::None;
    return QApplication::activePopupWidget() ? KeyReceiver::DropDown : KeyReceiver::Window;
}

void TFConverte::FormKeyDown(std::uint16_t key) {
    UltimaTecla = key;
    if (key == kKeyEscape) {
        close();
    } else if (key == kKeyEnter) {
        // The key is not consumed: the focused control still receives it.
        focusNextChild();
    }
}

void TFConverte::focusMoved(QWidget* now) {
    // Focus taken by another window (a box, a drop-down part) and given back
    // is not a move between the window's controls.
    if (!now || now->window() != this || now == activeControl_) return;
    QWidget* left = activeControl_;
    activeControl_ = now;
    if (left == pagar_.code) CodOperContasPagarExit();
    if (left == receber_.code) CodOperContasReceberExit();
    // An exit handler that sent the focus elsewhere (back to a refused code)
    // decides where it is. While its box was open the window was not active,
    // so that move is seen only in the window's focus widget: Qt reports it
    // when the window is active again.
    if (activeControl_ != now) return;
    if (focusWidget() != now) {
        activeControl_ = focusWidget();
        return;
    }
    if (now == pagar_.list) MostraOperacaoContasPagarEnter();
    if (now == receber_.list) MostraOperacaoContasReceberEnter();
}

}  // namespace conversor
