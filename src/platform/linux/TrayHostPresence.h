#pragma once

#include "platform/TaskbarPresence.h"
#include "platform/linux/StatusNotifierHostWatch.h"
#include "platform/linux/XEmbedTraySelection.h"

class QtNotificationArea;

// On X11 the taskbar of the program is the system tray host. Qt settles once, when its tray is first
// made or asked, whether the tray goes over D-Bus for the whole run; so the host is looked for here
// first, an XEmbed tray or a StatusNotifierItem host, and Qt's tray is made only once one is there.
class TrayHostPresence : public platform::TaskbarPresence {
public:
    explicit TrayHostPresence(QtNotificationArea& area);

    bool isTaskbarThere() const override;

private:
    QtNotificationArea& area_;
    XEmbedTraySelection xembedTray_;
    StatusNotifierHostWatch statusNotifierHost_;
    // Whether the icon was made over D-Bus: the watch then answers, without Qt's waiting question.
    mutable bool overStatusNotifier_ = false;
};
