#include "platform/linux/LocaleTimeFormat.h"

#include <cctype>
#include <cstdlib>
#include <gtest/gtest.h>
#include <locale.h>
#include <optional>
#include <ostream>
#include <string>

namespace {

bool localeExists(const std::string& name) {
    const locale_t locale = newlocale(LC_TIME_MASK, name.c_str(), static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        return false;
    freelocale(locale);
    return true;
}

struct Case {
    const char* locale;
    platform::TimeFormat expected;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.locale;
}

class RealLocale : public testing::TestWithParam<Case> {};

// Only C, C.UTF-8 and POSIX are sure to be installed; the others run where they exist.
TEST_P(RealLocale, GivesItsTimeFormat) {
    if (!localeExists(GetParam().locale))
        GTEST_SKIP() << GetParam().locale << " is not installed";
    EXPECT_EQ(LocaleTimeFormat(GetParam().locale).read(), GetParam().expected);
}

const platform::TimeFormat CTime{false, false, true, ":", "AM", "PM"};

INSTANTIATE_TEST_SUITE_P(Installed, RealLocale,
                         testing::Values(Case{"C", CTime}, Case{"C.UTF-8", CTime}, Case{"POSIX", CTime},
                                         Case{"en_US.UTF-8", {true, false, true, ":", "AM", "PM"}},
                                         Case{"de_DE.UTF-8", {false, false, true, ":", "am", "pm"}},
                                         Case{"ja_JP.UTF-8", {false, false, true, "時", "午前", "午後"}}),
                         [](const testing::TestParamInfo<Case>& info) {
                             std::string name = info.param.locale;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return name;
                         });

TEST(LocaleTimeFormat, UnknownLocaleGivesTheDefaults) {
    EXPECT_EQ(LocaleTimeFormat("xx_NOWHERE.UTF-8").read(), platform::TimeFormat{});
}

// Restores LC_ALL when the test ends.
class LcAllOverride {
public:
    LcAllOverride() {
        if (const char* value = std::getenv("LC_ALL"))
            saved_ = value;
    }
    ~LcAllOverride() {
        if (saved_)
            setenv("LC_ALL", saved_->c_str(), 1);
        else
            unsetenv("LC_ALL");
    }
    void set(const char* value) { setenv("LC_ALL", value, 1); }

private:
    std::optional<std::string> saved_;
};

TEST(LocaleTimeFormat, FollowsTheEnvironmentAtEachRead) {
    LcAllOverride lcAll;
    const LocaleTimeFormat source;
    lcAll.set("xx_NOWHERE.UTF-8");
    EXPECT_EQ(source.read(), platform::TimeFormat{});
    lcAll.set("C");
    EXPECT_EQ(source.read(), CTime);
}

} // namespace
