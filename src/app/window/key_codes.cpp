#include "app/window/key_codes.h"

#include <Qt>

namespace conversor {

std::uint16_t WindowsKeyCode(int qtKey) {
    // Letters and digits share their codes with the ASCII capitals and digits.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<std::uint16_t>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return static_cast<std::uint16_t>(0x70 + (qtKey - Qt::Key_F1));
    switch (qtKey) {
        case Qt::Key_Backspace: return kKeyBackspace;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter: return kKeyEnter;
        case Qt::Key_Shift: return 16;
        case Qt::Key_Control: return 17;
        case Qt::Key_Alt: return 18;
        case Qt::Key_Pause: return 19;
        case Qt::Key_CapsLock: return 20;
        case Qt::Key_Escape: return kKeyEscape;
        case Qt::Key_Space: return 32;
        case Qt::Key_PageUp: return 33;
        case Qt::Key_PageDown: return 34;
        case Qt::Key_End: return 35;
        case Qt::Key_Home: return 36;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        case Qt::Key_Print: return 44;
        case Qt::Key_Insert: return 45;
        case Qt::Key_Delete: return 46;
        case Qt::Key_Meta: return 91;
        case Qt::Key_Menu: return 93;
        case Qt::Key_NumLock: return 144;
        case Qt::Key_ScrollLock: return 145;
        case Qt::Key_Semicolon: return 186;
        case Qt::Key_Equal: return 187;
        case Qt::Key_Comma: return 188;
        case Qt::Key_Minus: return 189;
        case Qt::Key_Period: return 190;
        case Qt::Key_Slash: return 191;
        case Qt::Key_BracketLeft: return 219;
        case Qt::Key_Backslash: return 220;
        case Qt::Key_BracketRight: return 221;
        default: return 0;
    }
}

}  // namespace conversor
