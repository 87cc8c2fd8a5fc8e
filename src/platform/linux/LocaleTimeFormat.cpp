#include "platform/linux/LocaleTimeFormat.h"

#include "platform/linux/TimeFormatPattern.h"

#include <langinfo.h>
#include <locale.h>
#include <utility>

LocaleTimeFormat::LocaleTimeFormat(std::string localeName) : localeName_(std::move(localeName)) {}

platform::TimeFormat LocaleTimeFormat::read() const {
    // A locale object of our own leaves the process-wide locale alone and is safe from any thread.
    const locale_t locale = newlocale(LC_TIME_MASK, localeName_.c_str(), static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        return {};
    const LocaleTimeStrings strings{nl_langinfo_l(T_FMT, locale), nl_langinfo_l(T_FMT_AMPM, locale),
                                    nl_langinfo_l(AM_STR, locale), nl_langinfo_l(PM_STR, locale)};
    freelocale(locale);
    return interpretTimeFormat(strings);
}
