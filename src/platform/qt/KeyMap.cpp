#include "platform/qt/KeyMap.h"

#include "platform/Constants.h"
#include "platform/WindowConstants.h"

namespace kvx::qt {

using namespace platform;

std::uint32_t VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::uint32_t>('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<std::uint32_t>('0' + (key - Qt::Key_0));
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    switch (key) {
        case Qt::Key_Escape:
            return VK_ESCAPE;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return VK_TAB;
        case Qt::Key_Space:
            return VK_SPACE;
        case Qt::Key_PageUp:
            return VK_PRIOR;
        case Qt::Key_PageDown:
            return VK_NEXT;
        case Qt::Key_End:
            return VK_END;
        case Qt::Key_Home:
            return VK_HOME;
        case Qt::Key_Left:
            return VK_LEFT;
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Right:
            return VK_RIGHT;
        case Qt::Key_Down:
            return VK_DOWN;
        case Qt::Key_Insert:
            return VK_INSERT;
        case Qt::Key_Delete:
            return VK_DELETE;
        case Qt::Key_Control:
            return VK_CONTROL;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return VK_OEM_7;
        case Qt::Key_F4:
            return VK_F4;
        case Qt::Key_Plus:
            return keypad ? VK_ADD : 0xBB;  // VK_OEM_PLUS
        case Qt::Key_Minus:
            return keypad ? VK_SUBTRACT : 0xBD;  // VK_OEM_MINUS
        default:
            return 0;
    }
}

bool IsCharacterKey(std::uint32_t vk) {
    return (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9') || vk == VK_SPACE ||
           vk == VK_OEM_7 || vk == 0xBB || vk == 0xBD;
}

std::uint32_t MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    std::uint32_t flags = 0;
    if (buttons.testFlag(Qt::LeftButton)) flags |= MK_LBUTTON;
    if (buttons.testFlag(Qt::RightButton)) flags |= MK_RBUTTON;
    if (buttons.testFlag(Qt::MiddleButton)) flags |= MK_MBUTTON;
    if (modifiers.testFlag(Qt::ShiftModifier)) flags |= MK_SHIFT;
    if (modifiers.testFlag(Qt::ControlModifier)) flags |= MK_CONTROL;
    return flags;
}

}  // namespace kvx::qt
