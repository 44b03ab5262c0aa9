#include "platform/linux/engine/virtual_keys.hpp"

#include <gtest/gtest.h>

namespace nwmp::engine {
namespace {

struct KeyCase {
    int key;
    Qt::KeyboardModifiers modifiers;
    std::int16_t code;
};

TEST(VirtualKeys, MapsQtKeysToWindowsCodes) {
    const KeyCase cases[] = {
        {Qt::Key_A, Qt::NoModifier, 65},
        {Qt::Key_Z, Qt::ShiftModifier, 90},
        {Qt::Key_0, Qt::NoModifier, 48},
        {Qt::Key_9, Qt::NoModifier, 57},
        {Qt::Key_5, Qt::KeypadModifier, 101},
        {Qt::Key_Escape, Qt::NoModifier, 27},
        {Qt::Key_Return, Qt::NoModifier, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_Space, Qt::NoModifier, 32},
        {Qt::Key_Left, Qt::NoModifier, 37},
        {Qt::Key_Up, Qt::NoModifier, 38},
        {Qt::Key_Right, Qt::NoModifier, 39},
        {Qt::Key_Down, Qt::NoModifier, 40},
        {Qt::Key_PageUp, Qt::NoModifier, 33},
        {Qt::Key_Delete, Qt::NoModifier, 46},
        {Qt::Key_F1, Qt::NoModifier, 112},
        {Qt::Key_F12, Qt::NoModifier, 123},
        {Qt::Key_Exclam, Qt::ShiftModifier, 49},
        {Qt::Key_ParenRight, Qt::ShiftModifier, 48},
        {Qt::Key_Minus, Qt::NoModifier, 189},
        {Qt::Key_Minus, Qt::KeypadModifier, 109},
        {Qt::Key_Shift, Qt::ShiftModifier, 16},
        {Qt::Key_unknown, Qt::NoModifier, 0},
        {Qt::Key_VolumeUp, Qt::NoModifier, 0},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(virtualKeyFor(c.key, c.modifiers), c.code) << std::hex << c.key;
    }
}

TEST(VirtualKeys, ShiftStateAddsShiftCtrlAndAlt) {
    EXPECT_EQ(shiftStateFor(Qt::NoModifier), 0);
    EXPECT_EQ(shiftStateFor(Qt::ShiftModifier), 1);
    EXPECT_EQ(shiftStateFor(Qt::ControlModifier), 2);
    EXPECT_EQ(shiftStateFor(Qt::AltModifier), 4);
    EXPECT_EQ(shiftStateFor(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                            Qt::KeypadModifier | Qt::MetaModifier),
              7);
}

}  // namespace
}  // namespace nwmp::engine
