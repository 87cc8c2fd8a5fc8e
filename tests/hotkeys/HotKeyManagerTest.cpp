#include "hotkeys/HotKeyManager.h"

#include "platform/fake/FakeServices.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace {

using platform::ModAlt;
using platform::ModCtrl;
using platform::ModShift;

constexpr std::uint32_t CtrlF1 = 16496;
constexpr std::uint32_t AltCtrlR = 49234;
constexpr std::uint32_t CtrlShiftF1 = 24688;

struct Pressed {
    std::uint32_t hotKey;
    std::uint16_t index;
    bool operator==(const Pressed&) const = default;
};

class HotKeyManagerTest : public testing::Test {
protected:
    HotKeyManagerTest() {
        manager.OnHotKeyPressed = [this](std::uint32_t hotKey, std::uint16_t index) {
            pressed.push_back({hotKey, index});
        };
    }

    fake::HotKeys service;
    THotKeyManager manager{service};
    std::vector<Pressed> pressed;
};

TEST_F(HotKeyManagerTest, HandsTheServiceModifierFlagsAndKey) {
    const std::uint16_t index = manager.RegisterKey(AltCtrlR);
    ASSERT_NE(index, 0);
    EXPECT_EQ(service.held.at(index), std::make_pair(unsigned(ModAlt | ModCtrl), 82u));
    ASSERT_EQ(manager.Entries().size(), 1u);
    EXPECT_EQ(manager.Entries()[0].HotKey, AltCtrlR);
    EXPECT_EQ(manager.Entries()[0].Index, index);
}

TEST_F(HotKeyManagerTest, IndicesAreNonZeroAndNeverRepeat) {
    THotKeyManager other(service);
    std::set<std::uint16_t> seen;
    for (std::uint32_t key = 112; key < 124; ++key) {
        for (THotKeyManager* owner : {&manager, &other}) {
            const std::uint16_t index = owner->RegisterKey(owner == &manager ? 0x4000 + key : 0x8000 + key);
            EXPECT_NE(index, 0);
            EXPECT_TRUE(seen.insert(index).second) << "index " << index << " handed out twice";
        }
    }
    // A released combination comes back under a new index.
    manager.UnregisterAll();
    EXPECT_TRUE(seen.insert(manager.RegisterKey(CtrlF1)).second);
}

TEST_F(HotKeyManagerTest, RefusesWhatCannotOrMustNotBeHeld) {
    service.taken.insert({ModCtrl, 113});
    ASSERT_NE(manager.RegisterKey(CtrlF1), 0);

    for (const std::uint32_t value : {0u,                   // a text that did not parse
                                      0x4000u,              // modifiers without a key
                                      0x4000u + 113,        // another program holds it
                                      CtrlF1,               // we hold it already
                                      (1u << 24) + CtrlF1}) // out of range
        EXPECT_EQ(manager.RegisterKey(value), 0) << value;

    EXPECT_EQ(manager.Entries().size(), 1u);
    EXPECT_EQ(service.held.size(), 1u);
}

TEST_F(HotKeyManagerTest, UnregisterAllReleasesLastFirstAndEmptiesTheList) {
    const std::vector<std::uint16_t> indices = {manager.RegisterKey(CtrlF1), manager.RegisterKey(AltCtrlR),
                                                manager.RegisterKey(CtrlShiftF1)};
    manager.UnregisterAll();
    EXPECT_EQ(service.unregistered, std::vector<std::uint16_t>(indices.rbegin(), indices.rend()));
    EXPECT_TRUE(service.held.empty());
    EXPECT_TRUE(manager.Entries().empty());
    // Released combinations can be registered again.
    EXPECT_NE(manager.RegisterKey(CtrlF1), 0);
}

TEST_F(HotKeyManagerTest, EntriesLeaveTheListEvenWhenTheServiceCannotRelease) {
    const std::uint16_t index = manager.RegisterKey(CtrlF1);
    service.held.erase(index); // the service has lost it
    manager.UnregisterAll();
    EXPECT_TRUE(manager.Entries().empty());
    EXPECT_EQ(service.unregistered, std::vector<std::uint16_t>{index});
}

TEST_F(HotKeyManagerTest, RaisesPressesOfListedValuesOnly) {
    const std::uint16_t ctrlF1 = manager.RegisterKey(CtrlF1);
    const std::uint16_t altCtrlR = manager.RegisterKey(AltCtrlR);

    struct Case {
        std::uint16_t id;
        unsigned modifiers;
        unsigned key;
        std::vector<Pressed> raised;
    };
    const Case cases[] = {
        {ctrlF1, ModCtrl, 112, {{CtrlF1, ctrlF1}}},
        {altCtrlR, ModAlt | ModCtrl, 82, {{AltCtrlR, altCtrlR}}},
        {ctrlF1, ModCtrl | ModShift, 112, {}}, // not a listed value
        {999, ModCtrl, 113, {}},
        {ctrlF1, ModCtrl, 112 + 0x100, {}},   // a key code beyond 8 bits names no listed key
        {999, ModCtrl, 112, {{CtrlF1, 999}}}, // the report's own id is passed on
    };
    for (const Case& c : cases) {
        pressed.clear();
        service.deliver(c.id, c.modifiers, c.key);
        EXPECT_EQ(pressed, c.raised) << "id " << c.id << " modifiers " << c.modifiers << " key " << c.key;
    }
}

TEST(HotKeyManagerLifetime, DestructionReleasesEverythingAndStopsListening) {
    fake::HotKeys service;
    std::vector<std::uint16_t> indices;
    {
        THotKeyManager manager(service);
        indices = {manager.RegisterKey(CtrlF1), manager.RegisterKey(AltCtrlR)};
        EXPECT_TRUE(service.hasPressHandler());
    }
    EXPECT_EQ(service.unregistered, std::vector<std::uint16_t>(indices.rbegin(), indices.rend()));
    EXPECT_TRUE(service.held.empty());
    EXPECT_FALSE(service.hasPressHandler());
}

} // namespace
