#pragma once
// Drop-down list of operations that reports the operator's choice before the
// closing of its drop-down part, the order the selector handlers rely on: a
// choice made with the mouse copies the code first, and only then may the
// close-up move the focus on.
#include <QComboBox>

namespace conversor {

class OperationCombo : public QComboBox {
    Q_OBJECT
public:
    explicit OperationCombo(QWidget* parent = nullptr);

    void showPopup() override;
    void hidePopup() override;
    bool droppedDown() const { return droppedDown_; }

Q_SIGNALS:
    void chosen(int index);  // a click on, or a choice in, the list
    void closedUp();         // the drop-down part closed

private:
    void deliverCloseUp();

    bool droppedDown_ = false;
    bool closeUpPending_ = false;
};

}  // namespace conversor
