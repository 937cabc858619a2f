#pragma once
// Qt keys as the platform's virtual-key codes.

#include <QtCore/Qt>
#include <cstdint>

namespace kvx::qt {

// The virtual-key code of a Qt key, or 0 when the key has none here. Keypad + and - are the
// keypad codes only with the keypad modifier.
std::uint32_t VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers);

// Whether a virtual key types a character (letters, digits, space, the quote and + - keys): with
// Ctrl such a key is a shortcut, not the key itself.
bool IsCharacterKey(std::uint32_t vk);

// MK_* flags of a mouse message: buttons held, Shift and Ctrl.
std::uint32_t MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

}  // namespace kvx::qt
