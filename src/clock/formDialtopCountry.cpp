// The second country's clock on the face: expanding the window over it, and the menu item of its settings.
#include "clock/formDialtop.h"
#include "platform/WindowSystem.h"
#include "settings/SettingsStore.h"
#include "ui/Shape.h"

#include <QAction>
#include <QEvent>
#include <QLabel>

namespace {

struct View {
    int window, boxout, boxin;
    const char* arrow;
    const char* hint;
};

const View Collapsed{83, 81, 75, ">", "Show Additional Country's Time"};
const View Expanded{156, 154, 148, "<", "Hide Additional Country's Time"};

// Within this many pixels of the work area's top-right corner the clock counts as docked there.
constexpr int DockMargin = 7;

// Any button's release toggles; the press stops on the arrow, so it never starts a drag.
class ArrowClicks : public QObject {
public:
    ArrowClicks(QLabel& arrow, Tdialform& clock) : QObject(&arrow), clock_(clock) {
        arrow.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonRelease:
            clock_.lblotherMouseUp();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return true;
        default:
            return false;
        }
    }

private:
    Tdialform& clock_;
};

} // namespace

void Tdialform::ConnectSecondClock() {
    new ArrowClicks(*lblother, *this);
    connect(menuCountrySettings, &QAction::triggered, this, &Tdialform::countrySettingsRequested);
}

void Tdialform::lblotherMouseUp() {
    const int workWidth = services_.windows.workArea().width();
    // Every figure is taken from the primary screen's own origin, which need not be the desktop's.
    const QRect screen = services_.windows.screenGeometry();
    // From the place before the toggle, as the server has it: just after Corner, Qt's may be stale.
    // The work area's width, not its right edge, as everywhere here.
    const QPoint before = services_.windows.windowPosition(*this);
    Docked =
        before.x() >= screen.x() + workWidth - width() - DockMargin && before.y() <= screen.y() + DockMargin;

    const View& view = lblother->text() == QLatin1String(">") ? Expanded : Collapsed;
    client->resize(view.window - 2, client->height());
    lblother->setText(QString::fromLatin1(view.arrow));
    lblother->setToolTip(QString::fromLatin1(view.hint));
    boxin->resize(view.boxin, boxin->height());
    boxout->resize(view.boxout, boxout->height());

    const int screenRight = screen.x() + screen.width() - view.window;
    int left = before.x();
    int top = before.y();
    if (screen.x() + workWidth - view.window < left)
        left = screenRight;
    if (top < screen.y())
        top = screen.y();
    if (Docked) {
        left = screenRight;
        top = screen.y();
    }
    // One request: a resize alone would carry a stale place to the window manager.
    setGeometry(left, top, view.window, height());
}

void Tdialform::ShowCountryName() {
    lblcountry->setText(settings_.values.CountryName);
}
