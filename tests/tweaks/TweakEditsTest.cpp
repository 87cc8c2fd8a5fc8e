#include "tweaks/TweakEdits.h"

#include "ErrorText.h"
#include "base/DialtopError.h"
#include "platform/fake/FakeTweakRegistry.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

// Entries by what they are, so that the tests say why they use them.
constexpr int ShowVersion = 1;    // "dword", HKCU Desktop, after logoff
constexpr int MenuDelay = 3;      // "string" holding a number, same key as ShowVersion, after logoff
constexpr int NoSharedDocs = 4;   // "dword", after logoff
constexpr int DisableCad = 5;     // "dword", HKLM, after restart
constexpr int MaxHttp10 = 7;      // "dword", at once
constexpr int LoginSaver = 9;     // "string", HKU .DEFAULT, after restart
constexpr int UserAgent = 10;     // "string", at once
constexpr int RetainDesktop = 14; // "dword", a key of its own
constexpr int EnableProxy = 19;   // "dword", at once
constexpr int ProxySettings = 20; // "string", at once

class TweakEditsTest : public testing::Test {
protected:
    const TTweakEntry& entry(int n) const { return catalogue[n]; }
    void store(int n, RegistryValue value) {
        value.name = entry(n).ValueName;
        registry.store(entry(n).Root, entry(n).KeyPath, std::move(value));
    }
    const RegistryValue* stored(int n) const {
        return registry.value(entry(n).Root, entry(n).KeyPath, entry(n).ValueName);
    }
    void read() {
        listed.clear();
        edits.Read(registry, [this](int n) { listed.push_back(n); });
    }
    std::string apply() {
        return edits.Apply(registry, [this](const std::string& message) { told.push_back(message); });
    }
    std::string applyError() {
        return errorOf([this] { apply(); });
    }
    void edit(int n, const std::string& text) { edits.SetEditText(n, text); }

    TweakCatalogue catalogue;
    fake::TweakRegistry registry;
    TweakEdits edits{catalogue};
    std::vector<int> listed;
    std::vector<std::string> told;
};

TEST_F(TweakEditsTest, ReadsEachEntryByItsTypeTagAndTellsMissingKeysFromMissingValues) {
    store(ShowVersion, DwordValue({}, 1));
    store(MenuDelay, TextValue({}, "400"));
    store(DisableCad, DwordValue({}, INT32_MIN));
    store(LoginSaver, {{}, REG_EXPAND_SZ, "logon.scr\0junk\0"s});
    store(UserAgent, TextValue({}, ""));
    // The policies key is there, without the value of NoSharedDocs.
    store(2, DwordValue({}, 0));

    read();

    EXPECT_EQ(listed.size(), 22u);
    EXPECT_EQ(edits.ReadText(ShowVersion), "1");
    EXPECT_EQ(edits.ReadText(MenuDelay), "400");
    EXPECT_EQ(edits.ReadText(DisableCad), "-2147483648");
    EXPECT_EQ(edits.ReadText(LoginSaver), "logon.scr");
    EXPECT_EQ(edits.ReadText(UserAgent), "");
    EXPECT_EQ(edits.ReadText(NoSharedDocs), "the key was not found");
    EXPECT_EQ(edits.ReadText(RetainDesktop), "");
    for (int n = 1; n <= TweakCatalogue::Count; ++n)
        EXPECT_FALSE(edits.Changed(n)) << n;
    EXPECT_EQ(registry.openAccesses, 0);
    // Reading never makes a key.
    EXPECT_EQ(registry.roots[entry(RetainDesktop).Root].find("Software\\Microsoft\\Windows NT"), nullptr);
}

TEST_F(TweakEditsTest, ANumberWithItsTopBitSetIsShownSoThatItWritesBackTheSame) {
    store(DisableCad, DwordValue({}, static_cast<std::int32_t>(0xFFFFFFFEu)));
    read();
    edit(MaxHttp10, edits.ReadText(DisableCad));

    apply();

    ASSERT_TRUE(stored(MaxHttp10));
    EXPECT_EQ(stored(MaxHttp10)->data, "\xfe\xff\xff\xff"s);
}

TEST_F(TweakEditsTest, MissingKeysAreMadeAndTheNotFoundTextWritesNothing) {
    store(2, DwordValue({}, 0));
    read();
    edit(ProxySettings, "proxy:8080");
    // Typed over a missing value and then back: unchanged, nothing to do.
    edit(NoSharedDocs, "the key was not found");
    // Typed over a missing key: the key is made, with no value.
    edit(LoginSaver, "the key was not found");

    EXPECT_EQ(apply(), "The changes you made was applied. You can see the results immediately.");
    EXPECT_EQ(TextOf(stored(ProxySettings), "ProxyServer"), "proxy:8080");
    EXPECT_EQ(stored(ProxySettings)->type, REG_SZ);
    EXPECT_EQ(registry.writes, 1);
    EXPECT_FALSE(edits.Changed(ProxySettings));
    EXPECT_TRUE(registry.roots[entry(LoginSaver).Root].find(".DEFAULT\\Control Panel\\Desktop"));
    EXPECT_FALSE(stored(LoginSaver));
    EXPECT_FALSE(edits.Changed(LoginSaver));
}

TEST_F(TweakEditsTest, TheClosingMessageFollowsTheHighestEffectWritten) {
    read();
    edit(MenuDelay, "100");
    edit(EnableProxy, "1");
    EXPECT_EQ(apply(), "For your changes to be applied, you must logoff");
    EXPECT_EQ(TextOf(stored(MenuDelay), "MenuShowDelay"), "100");
    EXPECT_EQ(DwordOf(stored(EnableProxy), "ProxyEnable"), 1);

    read();
    edit(UserAgent, "");
    edit(LoginSaver, "x.scr");
    edit(EnableProxy, "0");
    EXPECT_EQ(apply(), "For your changes to be applied, you must restart your computer");
    EXPECT_EQ(TextOf(stored(UserAgent), "User Agent"), "");
}

TEST_F(TweakEditsTest, AKeyThatCannotBeMadeIsToldAndThePassGoesOn) {
    registry.refused.insert({entry(DisableCad).Root, entry(DisableCad).KeyPath});
    registry.refused.insert({entry(LoginSaver).Root, entry(LoginSaver).KeyPath});
    read();
    edit(DisableCad, "1");
    edit(LoginSaver, "x.scr");
    EXPECT_EQ(apply(), "No changes were made");
    EXPECT_EQ(told, (std::vector<std::string>{
                        "A problem occured when changing/adding the value of Disable Ctrl + Alt + Delete.\n\r"
                        "No further actions will be taken.",
                        "A problem occured when changing/adding the value of Login Screen Saver.\n\r"
                        "No further actions will be taken."}));
    // Still changed: the next OK tries again.
    EXPECT_TRUE(edits.Changed(DisableCad));

    told.clear();
    edit(UserAgent, "agent");
    EXPECT_EQ(apply(), "The changes you made was applied. You can see the results immediately.");
    EXPECT_EQ(told.size(), 2u);
}

TEST_F(TweakEditsTest, ABadNumberStopsThePassAndACorrectedOneFinishesIt) {
    read();
    edit(ShowVersion, "1");
    edit(MaxHttp10, "5 ");
    edit(UserAgent, "agent");

    EXPECT_EQ(applyError(), "'5 ' is not a valid integer value");
    EXPECT_EQ(registry.openAccesses, 0);
    EXPECT_EQ(DwordOf(stored(ShowVersion), "PaintDesktopVersion"), 1);
    EXPECT_FALSE(edits.Changed(ShowVersion));
    EXPECT_FALSE(stored(UserAgent));

    edit(MaxHttp10, " 5");
    // Only what is left is written, and the message is about that alone.
    EXPECT_EQ(apply(), "The changes you made was applied. You can see the results immediately.");
    EXPECT_EQ(DwordOf(stored(MaxHttp10), "MaxConnectionsPer1_0Server"), 5);
    EXPECT_EQ(TextOf(stored(UserAgent), "User Agent"), "agent");
}

TEST(TweakDwordFromText, TellsABadNumberFromOneOutside32Bits) {
    EXPECT_EQ(TweakDwordFromText("-0x80000000"), INT32_MIN);
    EXPECT_EQ(errorOf([] { TweakDwordFromText("99999999999999999999"); }),
              "'99999999999999999999' is not a valid integer value");
    EXPECT_EQ(errorOf([] { TweakDwordFromText("$FFFFFFFF"); }), "Range check error");
}

} // namespace
