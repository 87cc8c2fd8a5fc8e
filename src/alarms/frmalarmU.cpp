#include "alarms/frmalarmU.h"

#include "clock/Forms.h"
#include "clock/formDialtop.h"
#include "platform/Services.h"
#include "platform/Tones.h"
#include "ui/BorderlessWindow.h"

#include <QLabel>

Tfrmalarm::Tfrmalarm(const platform::Services& services, Forms& forms) : services_(services), forms_(forms) {
    MakeBorderless(*this, QStringLiteral("frmalarm"), QColor(72, 72, 72), QSize(416, 468));
    stal = new QLabel(this);
    stal->setObjectName(QStringLiteral("stal"));
    stal->setGeometry(171, 436, 201, 21);
    stal->setAlignment(Qt::AlignCenter);
    stal->setEnabled(false);
    FormCreate();
}

void Tfrmalarm::FormCreate() {
    stal->setText(forms_.dialform->StopAlarmCaption);
}

void Tfrmalarm::stalMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    stal->setEnabled(false);
    // Ends a modal run with Cancel, or hides the dialog when it was shown without one.
    reject();
}

void Tfrmalarm::RingAlarm(int) {
    const Tdialform& clock = *forms_.dialform;
    move(clock.x() + clock.width() - width(), clock.y() + clock.height());
    forms_.dialform->LoadSettings();
    show();
    services_.tones.defaultBeep();
    stal->setEnabled(true);
}
