#include "app/window/operation_combo.h"

namespace conversor {

OperationCombo::OperationCombo(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::activated, this, [this](int index) {
        Q_EMIT chosen(index);
        deliverCloseUp();
    });
}

void OperationCombo::showPopup() {
    droppedDown_ = true;
    QComboBox::showPopup();
}

void OperationCombo::hidePopup() {
    const bool wasDropped = droppedDown_;
    droppedDown_ = false;
    QComboBox::hidePopup();
    if (!wasDropped) return;
    // Qt hides the list before it reports the choice; the close-up waits for
    // the choice, or for the next turn of the event loop when there is none.
    closeUpPending_ = true;
    QMetaObject::invokeMethod(this, &OperationCombo::deliverCloseUp, Qt::QueuedConnection);
}

void OperationCombo::deliverCloseUp() {
    if (!closeUpPending_) return;
    closeUpPending_ = false;
    Q_EMIT closedUp();
}

}  // namespace conversor
