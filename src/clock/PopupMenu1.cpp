#include "clock/formDialtop.h"
#include "ui/Guarded.h"

#include <QMenu>
#include <QMouseEvent>

namespace {

// The menu opens on the press. A quick second right click comes back as that press followed by a
// double click, which goes to the menu it has just opened; taken as a press there, it makes the
// click's release close the menu again. A double click is only a press once the menu saw the first.
class PressOpenedMenu : public QMenu {
public:
    using QMenu::QMenu;

protected:
    void showEvent(QShowEvent* event) override {
        sawPress_ = false;
        QMenu::showEvent(event);
    }

    void mousePressEvent(QMouseEvent* event) override {
        sawPress_ = true;
        QMenu::mousePressEvent(event);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (sawPress_)
            QMenu::mouseDoubleClickEvent(event);
    }

private:
    bool sawPress_ = false;
};

QAction* addItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

QMenu* addSubmenu(QMenu* menu, const char* name, const QString& caption) {
    QMenu* submenu = menu->addMenu(caption);
    submenu->setObjectName(QString::fromLatin1(name));
    submenu->menuAction()->setObjectName(QString::fromLatin1(name));
    return submenu;
}

struct Item {
    const char* name;
    const char* caption;
};

void addItems(QMenu* menu, std::initializer_list<Item> items) {
    for (const Item& item : items)
        addItem(menu, item.name, QString::fromLatin1(item.caption));
}

} // namespace

void Tdialform::CreatePopupMenu() {
    PopupMenu1 = new PressOpenedMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));

    menuAlwaysOnTop = addItem(PopupMenu1, "menuAlwaysOnTop", QStringLiteral("Always On Top"));
    menuAlwaysOnTop->setCheckable(true);

    QMenu* transparency = addSubmenu(PopupMenu1, "menuTransparency", QStringLiteral("Transparency"));
    menuTrasparencyEnable = addItem(transparency, "menuTrasparencyEnable", QStringLiteral("Enable"));
    menuTrasparencyEnable->setCheckable(true);
    addSeparator(transparency, "enable1");
    for (int percent = 10; percent <= 90; percent += 10) {
        const QByteArray name = "menuTrasp" + QByteArray::number(percent);
        addItem(transparency, name.constData(), QString::number(percent) + QLatin1Char('%'))
            ->setCheckable(true);
    }

    QMenu* shutdown = addSubmenu(PopupMenu1, "menuSceduleShutdown", QStringLiteral("Scedule Shutdown"));
    addItem(shutdown, "menuSABORT", QStringLiteral("ABORT"));
    addSeparator(shutdown, "N3");
    addItems(addSubmenu(shutdown, "menuSInSeconds", QStringLiteral("In Seconds")),
             {{"menuS10Seconds", "10 Seconds"}, {"menuS30Seconds", "30 Seconds"}});
    addItems(addSubmenu(shutdown, "menuSInMinutes", QStringLiteral("In Minutes")),
             {{"menuS1Minute", "1 Minute"},
              {"menuS3Minutes", "3 Minutes"},
              {"menuS5Minutes", "5 Minutes"},
              {"menuS10Minutes", "10 Minutes"},
              {"menuS20Minutes", "20 Minutes"},
              {"menuS30Minutes", "30 Minutes"},
              {"menuS45Minutes", "45 Minutes"}});
    addItems(addSubmenu(shutdown, "menuSInHours", QStringLiteral("In Hours")),
             {{"menuS1Hour", "1 Hour"},
              {"menuS1halfHours", "1 1/2 Hours"},
              {"menuS2Hours", "2 Hours"},
              {"menuS3Hours", "3 Hours"},
              {"menuS5Hours", "5 Hours"},
              {"menuS10Hours", "10 Hours"},
              {"menuS20Hours", "20 Hours"}});
    addSeparator(shutdown, "N5");
    addItem(shutdown, "menuSCustom", QStringLiteral("Custom"));
    addSeparator(shutdown, "N4");
    addItem(shutdown, "menuSNow", QStringLiteral("Now!"));

    QMenu* reboot = addSubmenu(PopupMenu1, "menuSceduleReboot", QStringLiteral("Scedule Reboot"));
    addItem(reboot, "menuRABORT", QStringLiteral("ABORT"));
    addSeparator(reboot, "N1");
    addItem(reboot, "menuRCustom", QStringLiteral("Custom"));
    addSeparator(reboot, "N6");
    addItem(reboot, "menuRNow", QStringLiteral("Now!"));

    menuCountrySettings =
        addItem(PopupMenu1, "menuCountrySettings", QStringLiteral("Additional Country Settings"));
    menuTweaking = addItem(PopupMenu1, "menuTweaking", QStringLiteral("Tweaking"));
    Alarm1 = addItem(PopupMenu1, "Alarm1", QStringLiteral("Alarm"));
    menuAbout1 = addItem(PopupMenu1, "menuAbout1", QStringLiteral("About"));
    addSeparator(PopupMenu1, "N7");
    menuStartWithWindows = addItem(PopupMenu1, "menuStartWithWindows", QStringLiteral("Start with Windows"));
    addSeparator(PopupMenu1, "N2");
    menuRestore = addItem(PopupMenu1, "menuRestore", QStringLiteral("Restore"));
    menuMinimize = addItem(PopupMenu1, "menuMinimize", QStringLiteral("Minimize"));
    menuExit = addItem(PopupMenu1, "menuExit", QStringLiteral("Exit"));

    connect(menuTweaking, &QAction::triggered, this, Guarded([this] { menuTweakingClick(); }));
    connect(menuAbout1, &QAction::triggered, this, Guarded([this] { menuAbout1Click(); }));
    connect(menuRestore, &QAction::triggered, this, Guarded([this] { menuRestoreClick(); }));
    connect(menuMinimize, &QAction::triggered, this, Guarded([this] { menuMinimizeClick(); }));
    connect(menuExit, &QAction::triggered, this, Guarded([this] { menuExitClick(); }));
    connect(Alarm1, &QAction::triggered, this, &Tdialform::alarmTableRequested);
}
