#include "tweaks/frmTweakU.h"

#include "ui/BorderlessWindow.h"

Tfrmtweak::Tfrmtweak(const platform::Services&, Forms&) {
    MakeBorderless(*this, QStringLiteral("frmtweak"), QColor(72, 72, 72), QSize(540, 392));
}
