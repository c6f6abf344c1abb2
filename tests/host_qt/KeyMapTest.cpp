#include <gtest/gtest.h>

#include "platform/host/qt/KeyMap.h"

TEST(KeyMap, QtKeysBecomeVirtualKeyCodes)
{
    struct Case {
        int qtKey;
        bool keypad;
        int expected;
    };
    const Case cases[] = {
        {Qt::Key_S, false, 'S'},        {Qt::Key_M, false, 'M'},        {Qt::Key_7, false, '7'},
        {Qt::Key_F1, false, 0x70},      {Qt::Key_F2, false, 0x71},      {Qt::Key_F12, false, 0x7B},
        {Qt::Key_Insert, false, 0x2D},  {Qt::Key_Delete, false, 0x2E},  {Qt::Key_Escape, false, 0x1B},
        {Qt::Key_Backtab, false, 0x09}, {Qt::Key_Enter, true, 0x0D},    {Qt::Key_7, true, 0x67},
        {Qt::Key_Plus, true, 0x6B},     {Qt::Key_Plus, false, 0xBB},    {Qt::Key_Exclam, false, '1'},
        {Qt::Key_Shift, false, 0x10},   {Qt::Key_Control, false, 0x11}, {Qt::Key_Alt, false, 0x12},
        {Qt::Key_Launch0, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyOf(c.qtKey, c.keypad), c.expected) << std::hex << c.qtKey;
}
