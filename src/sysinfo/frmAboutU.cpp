#include "sysinfo/frmAboutU.h"

#include "clock/Forms.h"
#include "clock/formDialtop.h"
#include "ui/BorderlessWindow.h"

#include <QLabel>

Tfrmabout::Tfrmabout(const platform::Services&, Forms& forms) : forms_(forms) {
    MakeBorderless(*this, QStringLiteral("frmabout"), QColor(0x48, 0x48, 0x48), QSize(328, 303));
    lblkey = new QLabel(this);
    lblkey->setObjectName(QStringLiteral("lblkey"));
    lblkey->setGeometry(6, 5, 181, 13);
    lblkey->setAlignment(Qt::AlignCenter);
    FormCreate();
}

void Tfrmabout::FormCreate() {
    lblkey->setText(forms_.dialform->PenguinKeyCaption);
}
