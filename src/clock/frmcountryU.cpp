#include "clock/frmcountryU.h"

#include "ui/BorderlessWindow.h"

Tfrmcountry::Tfrmcountry(const platform::Services&, Forms&) {
    MakeBorderless(*this, QStringLiteral("frmcountry"), QColor(0x48, 0x48, 0x48), QSize(187, 83));
}
