#pragma once
// Qt keys as the platform's virtual-key codes.

#include <QtCore/Qt>
#include <cstdint>

namespace kvx::qt {

// The virtual-key code of a Qt key, or 0 when the key has none here. Keypad + and - are the
// keypad codes only with the keypad modifier.
std::uint32_t VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers);

// MK_* flags of a mouse message: buttons held, Shift and Ctrl.
std::uint32_t MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

}  // namespace kvx::qt
