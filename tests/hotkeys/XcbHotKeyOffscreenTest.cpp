#include "platform/linux/XcbHotKeyService.h"
#include "platform/linux/XcbKeySyms.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace {

TEST(XcbKeySyms, VirtualKeysMapToTheKeysymsOfTheirKeys) {
    const std::pair<unsigned, std::uint32_t> cases[] = {
        {'A', XK_a},
        {'R', XK_r},
        {'Z', XK_z},
        {'0', XK_0},
        {'9', XK_9},
        {112, XK_F1},
        {118, XK_F7},
        {135, XK_F24},
        {96, XK_KP_0},
        {105, XK_KP_9},
        {107, XK_KP_Add},
        {111, XK_KP_Divide},
        {33, XK_Prior},
        {45, XK_Insert},
        {46, XK_Delete},
        {13, XK_Return},
        {27, XK_Escape},
        {32, XK_space},
        {188, XK_comma},
        {187, XK_equal},
        {144, XK_Num_Lock},
        {91, XK_Super_L},
        {173, XF86XK_AudioMute},
        {183, XF86XK_Calculator},
        {0, 0},
        {7, 0},
        {255, 0},
        {136, 0},
    };
    for (const auto& [virtualKey, keysym] : cases)
        EXPECT_EQ(XcbKeySymOfVirtualKey(virtualKey), keysym) << virtualKey;
}

TEST(XcbHotKeyService, WithoutAnXServerEveryRegistrationIsRefused) {
    XcbHotKeyService service;
    bool pressed = false;
    service.setPressHandler([&](std::uint16_t, unsigned, unsigned, std::uint32_t) { pressed = true; });
    EXPECT_FALSE(service.registerHotKey(1, platform::ModCtrl, 112));
    EXPECT_FALSE(service.registerHotKey(2, 0, 'A'));
    EXPECT_FALSE(service.unregisterHotKey(1));
    EXPECT_FALSE(pressed);
}

} // namespace
