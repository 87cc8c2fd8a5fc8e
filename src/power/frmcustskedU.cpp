#include "power/frmcustskedU.h"

#include "ui/BorderlessWindow.h"

Tfrmcustsked::Tfrmcustsked(const platform::Services&, Forms&) {
    MakeBorderless(*this, QStringLiteral("frmcustsked"), QColor(72, 72, 72), QSize(115, 87));
}
