// Virtual-key codes to keysyms and back, as the X11 backend sends them and the key dialog reads them.
#include "platform/NativeKeys.h"
#include "platform/VirtualKeys.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

using telmo::KeysymForVirtualKey;
using telmo::VirtualKeyForKeysym;
using telmo::VirtualKeyFromQtKey;

TEST(VirtualKeys, CodesGiveTheUnshiftedKeysymOfAUsLayout) {
    struct Case {
        int vk;
        std::uint32_t keysym;
    } cases[] = {
        {'A', 'a'},     {'Z', 'z'},         {'0', '0'},         {'9', '9'},         {0x70, 0xffbe},
        {0x87, 0xffd5},                 // F1, F24
        {0x60, 0xffb0}, {0x69, 0xffb9}, // keypad digits, not the navigation keys
        {0x6E, 0xffae}, {0x6F, 0xffaf}, // KP_Decimal, KP_Divide
        {0x08, 0xff08}, {0x09, 0xff09},     {0x0D, 0xff0d},     {0x1B, 0xff1b},     {0x20, ' '},
        {0x21, 0xff55}, {0x22, 0xff56},     {0x25, 0xff51},     {0x2D, 0xff63},     {0x2E, 0xffff},
        {0x2C, 0xff61},                                     // Insert, Delete, Print
        {0x10, 0xffe1}, {0x11, 0xffe3},     {0x12, 0xffe9}, // Shift, Ctrl, Alt: left keys
        {0xA1, 0xffe2}, {0xA3, 0xffe4},     {0xA5, 0xffea}, // right keys
        {0x5B, 0xffeb}, {0x5C, 0xffec},     {0x5D, 0xff67}, // Win -> Super, Apps -> Menu
        {0x13, 0xff13}, {0x14, 0xffe5},     {0x90, 0xff7f},     {0x91, 0xff14},     {0xBA, ';'},
        {0xBB, '='},    {0xBC, ','},        {0xBD, '-'},        {0xBE, '.'},        {0xBF, '/'},
        {0xC0, '`'},    {0xDB, '['},        {0xDC, '\\'},       {0xDD, ']'},        {0xDE, '\''},
        {0xE2, '<'},    {0xA6, 0x1008ff26}, {0xAD, 0x1008ff12}, {0xAF, 0x1008ff13}, {0xB3, 0x1008ff14},
    };
    for (const Case& c : cases) EXPECT_EQ(KeysymForVirtualKey(c.vk), c.keysym) << "vk " << c.vk;
}

TEST(VirtualKeys, CodesWithoutAKeysymGiveNothing) {
    for (int vk : {-1, 0, 1, 2, 0x07, 0x0A, 0x0E, 0x3A, 0x40, 0x5E, 0x88, 0xE0, 0xFF, 256, 100000})
        EXPECT_EQ(KeysymForVirtualKey(vk), 0u) << "vk " << vk;
}

TEST(VirtualKeys, EveryCodeComesBackFromItsKeysym) {
    int mapped = 0;
    for (int vk = 0; vk < 256; ++vk) {
        const std::uint32_t sym = KeysymForVirtualKey(vk);
        if (sym == 0) continue;
        ++mapped;
        int expected = vk;
        if (vk == 0xA0 || vk == 0xA1) expected = 0x10;
        if (vk == 0xA2 || vk == 0xA3) expected = 0x11;
        if (vk == 0xA4 || vk == 0xA5) expected = 0x12;
        if (vk == 0x2A) expected = 0x2C; // both print keys give Print
        EXPECT_EQ(VirtualKeyForKeysym(sym), expected) << "vk " << vk << " keysym " << std::hex << sym;
    }
    EXPECT_GE(mapped, 150);
}

TEST(VirtualKeys, ShiftedAndKeypadSymbolsGiveTheKeyTheyComeFrom) {
    struct Case {
        std::uint32_t keysym;
        int vk;
    } cases[] = {
        {'A', 'A'},     {'Q', 'Q'},     {'!', '1'},     {'@', '2'},     {'(', '9'},     {')', '0'},
        {':', 0xBA},    {'+', 0xBB},    {'_', 0xBD},    {'>', 0xBE},    {'?', 0xBF},    {'~', 0xC0},
        {'{', 0xDB},    {'|', 0xDC},    {'}', 0xDD},    {'"', 0xDE},    {0xfe20, 0x09}, // ISO_Left_Tab
        {0xff8d, 0x0D}, {0xff9e, 0x2D}, {0xff9f, 0x2E}, {0xff95, 0x24}, {0xff9d, 0x0C}, // keypad, no Num Lock
        {0, 0},         {0x1234567, 0}, {0xfe03, 0}, // nothing, nonsense, ISO_Level3_Shift
    };
    for (const Case& c : cases) EXPECT_EQ(VirtualKeyForKeysym(c.keysym), c.vk) << std::hex << c.keysym;
}

TEST(NativeKeys, QtKeysGiveVirtualKeyCodes) {
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        int vk;
    } cases[] = {
        {Qt::Key_A, Qt::NoModifier, 'A'},
        {Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier, 'A'},
        {Qt::Key_5, Qt::NoModifier, '5'},
        {Qt::Key_5, Qt::KeypadModifier, 0x65},
        {Qt::Key_Asterisk, Qt::KeypadModifier, 0x6A},
        {Qt::Key_Asterisk, Qt::ShiftModifier, '8'},
        {Qt::Key_Period, Qt::KeypadModifier, 0x6E},
        {Qt::Key_Slash, Qt::NoModifier, 0xBF},
        {Qt::Key_Enter, Qt::KeypadModifier, 0x0D},
        {Qt::Key_F1, Qt::NoModifier, 0x70},
        {Qt::Key_F24, Qt::NoModifier, 0x87},
        {Qt::Key_Shift, Qt::ShiftModifier, 0x10},
        {Qt::Key_Meta, Qt::MetaModifier, 0x5B},
        {Qt::Key_Menu, Qt::NoModifier, 0x5D},
        {Qt::Key_Pause, Qt::NoModifier, 0x13},
        {Qt::Key_Exclam, Qt::ShiftModifier, '1'},
        {Qt::Key_VolumeUp, Qt::NoModifier, 0xAF},
        {Qt::Key_unknown, Qt::NoModifier, 0},
        {Qt::Key_Dead_Acute, Qt::NoModifier, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyFromQtKey(c.key, c.mods), c.vk) << std::hex << c.key;
        // Without a native keysym (any platform but X11) a key event is read the same way.
        QKeyEvent e(QEvent::KeyPress, c.key, c.mods);
        EXPECT_EQ(telmo::VirtualKeyFromKeyEvent(e), c.vk) << std::hex << c.key;
    }
}
