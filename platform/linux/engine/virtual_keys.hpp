#pragma once

// Qt's keys as the Windows virtual-key codes and shift states the key-down event carries, so
// that the player's key table reads the same on every platform.

#include <QtCore/Qt>
#include <cstdint>

namespace nwmp::engine {

// The virtual-key code of a key, 0 for a key that has none. Letters give their upper-case code
// whatever the modifiers; the symbols a US keyboard types with Shift give the code of their key.
std::int16_t virtualKeyFor(int qtKey, Qt::KeyboardModifiers modifiers);

// 1 Shift, 2 Ctrl, 4 Alt, added together.
std::int16_t shiftStateFor(Qt::KeyboardModifiers modifiers);

}  // namespace nwmp::engine
