#pragma once

#include <QIcon>
#include <QList>

// The two frames of the tray icon, a small clock face that blinks between amber on black and black
// on amber, each drawn at the sizes trays ask for (16, 22, 24 and 32 pixels).
QList<QIcon> TrayFrames();
