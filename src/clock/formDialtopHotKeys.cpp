#include "clock/formDialtop.h"

void Tdialform::RegisterHotKeys() {
    StopAlarmCaption = QStringLiteral("STOP ALARM (Ctrl+F1)");
    PenguinKeyCaption = QStringLiteral("(Alt+Ctrl+R)");
}

void Tdialform::HotKeyManager1HotKeyPressed(std::uint32_t, std::uint16_t) {}

void Tdialform::FormKeyDown(int, Qt::KeyboardModifiers) {}
