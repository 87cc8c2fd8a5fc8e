// The information window: the title, this machine's facts and the live memory, swap and processor bars.

#include "sysinfo/frmAboutU.h"

#include "platform/LiveReadings.h"
#include "platform/Services.h"
#include "platform/SystemFacts.h"
#include "platform/WindowSystem.h"
#include "sysinfo/BarLength.h"
#include "sysinfo/MonitorBar.h"
#include "sysinfo/ProductPicture.h"
#include "sysinfo/ReleaseArea.h"
#include "sysinfo/UptimeText.h"
#include "ui/BorderlessWindow.h"
#include "ui/FaceDrag.h"
#include "ui/Guarded.h"
#include "ui/Shape.h"
#include "ui/TextButton.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <chrono>

namespace {

const QString WebAddress = QStringLiteral("https://dialtop.example.org/");

const QColor Title(0xE1, 0xB5, 0x00);
const QColor Coral(0xDD, 0x69, 0x37);
const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor Value(0xE1, 0xB4, 0x48);
const QColor Lime(0xCB, 0xDD, 0x8E);

// A font by name, or the first of the metric-compatible free ones that stand in for it.
QFont PixelFont(const QStringList& families) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QFont SansSerif() {
    return PixelFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
}

QFont Arial() {
    return PixelFont({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QRect& geometry, const QColor& colour,
                  const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

// "%0.0n": a whole number with the user's thousands separators.
QString Megabytes(double kilobytes) {
    return QLocale().toString(kilobytes / 1024, 'f', 0);
}

} // namespace

Tfrmabout::Tfrmabout(const platform::Services& services)
    : facts_(services.facts), live_(services.live), windows_(services.windows), cpumeter(services.live),
      lights_(services.lockLights) {
    MakeBorderless(*this, QStringLiteral("frmabout"), QColor(0x48, 0x48, 0x48), QSize(328, 303));
    setWindowTitle(QStringLiteral("System Information"));
    setFont(SansSerif());
    shframe = new TShape(QStringLiteral("shframe"), this);
    shframe->setGeometry(1, 1, 326, 300);
    shframe->setPenColor(QColor(0xFF, 0xFF, 0xAE));
    shframe->setBrushStyle(Qt::NoBrush);
    CreateTitle();
    CreateFacts();
    CreateMonitor();
    CreateButtons();

    auto* drag = new FaceDrag(*this, windows_);
    // The whole face drags the window, the picture and every label included, but not the web address.
    drag->addSources({this, shframe, pboxmem, pboxswap, pboxcpu});
    for (QLabel* label : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        if (label != Label1 && !qobject_cast<TTextButton*>(label))
            drag->addSources({label});

    Timertime = new QTimer(this);
    Timertime->setObjectName(QStringLiteral("Timertime"));
    Timertime->setInterval(400);
    connect(Timertime, &QTimer::timeout, this, Guarded([this] { TimertimeTimer(); }));
    Timerhide = new QTimer(this);
    Timerhide->setObjectName(QStringLiteral("Timerhide"));
    Timerhide->setInterval(25);
    connect(Timerhide, &QTimer::timeout, this, Guarded([this] { TimerhideTimer(); }));
    timershowabout = new QTimer(this);
    timershowabout->setObjectName(QStringLiteral("timershowabout"));
    timershowabout->setInterval(20);
    connect(timershowabout, &QTimer::timeout, this, Guarded([this] { timershowaboutTimer(); }));
    lightsTimer_ = new QTimer(this);
    lightsTimer_->setInterval(100);
    connect(lightsTimer_, &QTimer::timeout, this, Guarded([this] { LightsRound(); }));
    FormCreate();
}

void Tfrmabout::CreateTitle() {
    Image1 = MakeLabel(this, QStringLiteral("Image1"), {119, 3, 57, 77}, Title, QString());
    Image1->setPixmap(ProductPicture());
    lblkey = MakeLabel(this, QStringLiteral("lblkey"), {6, 5, 181, 13}, Coral, QString(), Qt::AlignCenter);
    Label2 =
        MakeLabel(this, QStringLiteral("Label2"), {12, 37, 100, 13}, Title, QStringLiteral("Dialtop 2.2"));
    Label3 =
        MakeLabel(this, QStringLiteral("Label3"), {12, 51, 100, 13}, Title, QStringLiteral("December 2005"));
    lblname = MakeLabel(this, QStringLiteral("lblname"), {10, 78, 200, 13}, Title, QString());
    Label1 = MakeLabel(this, QStringLiteral("Label1"), {12, 92, 200, 13}, Title, WebAddress);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);
}

void Tfrmabout::CreateFacts() {
    struct Row {
        int y;
        const char* caption;
        const char* name;
        const char* text;
        QLabel** label;
    };
    const Row rows[] = {
        {128, "Sys Uptime", "lbluptime", "", &lbluptime},
        {142, "IP Address ", "lblIP", "0.0.0.0", &lblIP},
        {156, "Hostname/Domain", "lblhost", "ur pc", &lblhost},
        {171, "User", "lbluser", "user name", &lbluser},
        {185, "O.S.", "lblwin", "win version", &lblwin},
        {200, "Product ID", "lblPID", "ID", &lblPID},
        {214, "Processor 's Name", "lblCPU", "processor name", &lblCPU},
        {229, "Speed in MHz", "lblMHz", "MHz", &lblMHz},
        {243, "ShutDown At", "lblshutdownafter", "Not Sceduled", &lblshutdownafter},
        {258, "Reboot At", "lblrebootafter", "Not Sceduled", &lblrebootafter},
    };
    for (const Row& row : rows) {
        MakeLabel(this, QString(), {18, row.y, 110, 13}, Silver, QString::fromLatin1(row.caption));
        *row.label = MakeLabel(this, QString::fromLatin1(row.name), {131, row.y, 187, 13}, Value,
                               QString::fromLatin1(row.text));
        (*row.label)->setFont(Arial());
    }
    // A UUID is wider than the label in Arial itself.
    lblPID->setFont(PixelFont({QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow")}));
}

void Tfrmabout::CreateMonitor() {
    const int right = 322, left = 180, width = right - left;
    struct Block {
        int y;
        const char* caption;
        const char* bar;
        TMonitorBar** box;
    };
    const Block blocks[] = {{10, "Memory", "pboxmem", &pboxmem},
                            {51, "Swap", "pboxswap", &pboxswap},
                            {91, "CPU", "pboxcpu", &pboxcpu}};
    for (const Block& block : blocks) {
        MakeLabel(this, QString(), {left, block.y, 40, 13}, Silver, QString::fromLatin1(block.caption));
        *block.box = new TMonitorBar(QString::fromLatin1(block.bar), this);
        (*block.box)->setGeometry(222, block.y, 100, 13);
    }
    const Qt::Alignment rightAligned = Qt::AlignRight | Qt::AlignVCenter;
    lblMem = MakeLabel(this, QStringLiteral("lblMem"), {left, 24, width, 13}, Coral, QString(), rightAligned);
    lblavailmem =
        MakeLabel(this, QStringLiteral("lblavailmem"), {left, 37, width, 13}, Lime, QString(), rightAligned);
    lblSwap =
        MakeLabel(this, QStringLiteral("lblSwap"), {left, 65, width, 13}, Coral, QString(), rightAligned);
    lblavailswap =
        MakeLabel(this, QStringLiteral("lblavailswap"), {left, 78, width, 13}, Lime, QString(), rightAligned);
    MakeLabel(this, QString(), {left, 105, 90, 13}, Coral, QStringLiteral("Percent Usage :"));
    lblcpuusage = MakeLabel(this, QStringLiteral("lblcpuusage"), {272, 105, 50, 13}, Coral,
                            QStringLiteral("0"), rightAligned);
}

void Tfrmabout::CreateButtons() {
    stbtnlights = new TTextButton(QStringLiteral("stbtnlights"), QStringLiteral("LIGHTS"), this);
    stbtnlights->setGeometry(85, 277, 66, 21);
    stbtnlights->setToolTip(QStringLiteral("Look The Lights On Your Keyboard"));
    connect(stbtnlights, &TTextButton::mouseUp, this, [this](Qt::MouseButton button, QPoint pos) {
        RunGuarded([&] { stbtnlightsMouseUp2(button, pos); });
    });
    stbtnexit = new TTextButton(QStringLiteral("stbtnexit"), QStringLiteral("EXIT"), this);
    stbtnexit->setGeometry(160, 277, 73, 21);
    stbtnexit->setToolTip(QStringLiteral("Press To Close This Dialog Box"));
    connect(stbtnexit, &TTextButton::mouseUp, this, [this](Qt::MouseButton button, QPoint pos) {
        RunGuarded([&] { stbtnexitMouseUp(button, pos); });
    });
}

void Tfrmabout::FormCreate() {
    lblname->setText(QStringLiteral("Made by the Dialtop developers"));
}

void Tfrmabout::setPenguinKeyCaption(const QString& caption) {
    lblkey->setText(caption);
}

void Tfrmabout::setDueText(platform::PowerAction action, const QString& text) {
    (action == platform::PowerAction::PowerOff ? lblshutdownafter : lblrebootafter)->setText(text);
}

void Tfrmabout::ShowUnrolling() {
    if (!isVisible()) {
        resize(width(), 14);
        show();
        timershowabout->start();
    }
    activateWindow();
    setFocus();
}

void Tfrmabout::timershowaboutTimer() {
    if (height() > 285) {
        timershowabout->stop();
        return;
    }
    int unrolled = height() + 15;
    if (unrolled >= 290)
        unrolled = 302;
    ResizeWhereItIs(*this, windows_, {width(), unrolled});
}

void Tfrmabout::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void Tfrmabout::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void Tfrmabout::FormShow() {
    TimertimeTimer();
    Timertime->start();
    // The top is centred for the constant 275, not for the height, which is 14 while unrolling. The work
    // area's size is centred from the primary screen's origin, without the work area's own offset.
    const QRect work = windows_.workArea();
    const QRect screen = windows_.screenGeometry();
    move(screen.x() + (work.width() - width()) / 2, screen.y() + (work.height() - 275) / 2);

    const std::string computer = facts_.computerName();
    const std::uint64_t lookup = ++lookups_;
    facts_.lookUpNetwork(
        [window = QPointer<Tfrmabout>(this), lookup, computer](const platform::NetworkFacts& answer) {
            if (!window || window->lookups_ != lookup)
                return;
            window->lblIP->setText(QString::fromStdString(answer.address));
            window->lblhost->setText(QString::fromStdString(computer + " / " + answer.domain));
        });
    lbluser->setText(QString::fromStdString(facts_.userName()));
    lblwin->setText(QString::fromStdString(facts_.osName()));
    ShowFact(lblPID, facts_.productId(), QStringLiteral("The Product ID was not found"));
    const platform::ProcessorFacts processor = facts_.processor();
    ShowFact(lblCPU, processor.name, QStringLiteral("The Processor's name was not found"));
    ShowFact(lblMHz, processor.megahertz, QStringLiteral("The Processor's speed was not found"));
}

// A fact that cannot be read at all leaves the label as it was.
void Tfrmabout::ShowFact(QLabel* label, const platform::FactReading& fact, const QString& notFound) {
    if (fact.status == platform::FactReading::Found)
        label->setText(QString::fromStdString(fact.value));
    else if (fact.status == platform::FactReading::Missing)
        label->setText(notFound);
}

void Tfrmabout::FormHide() {
    Timertime->stop();
    lightsTimer_->stop();
    lights_.stop();
}

void Tfrmabout::TimertimeTimer() {
    lbluptime->setText(QString::fromStdString(UptimeText(live_.millisecondsSinceBoot())));

    const platform::MemoryStatus memory = live_.memory();
    const double totalMemKB = memory.totalPhysical / 1024.0;
    const double usedMemKB = totalMemKB - memory.availablePhysical / 1024.0;
    const double totalSwapKB = memory.totalSwap / 1024.0;
    const double usedSwapKB = totalSwapKB - memory.availableSwap / 1024.0;
    pboxmem->draw(BarLength(usedMemKB, totalMemKB), Megabytes(usedMemKB) + QStringLiteral(" / ") +
                                                        Megabytes(totalMemKB) + QStringLiteral(" (MB)"));
    pboxswap->draw(BarLength(usedSwapKB, totalSwapKB), Megabytes(usedSwapKB) + QStringLiteral(" / ") +
                                                           Megabytes(totalSwapKB) + QStringLiteral(" (MB)"));
    lblMem->setText(QStringLiteral("Used : ") + Megabytes(usedMemKB) + QStringLiteral(" / ") +
                    Megabytes(totalMemKB));
    lblavailmem->setText(QStringLiteral("Available : ") + Megabytes(totalMemKB - usedMemKB));
    lblSwap->setText(QStringLiteral("Used : ") + Megabytes(usedSwapKB) + QStringLiteral(" / ") +
                     Megabytes(totalSwapKB));
    lblavailswap->setText(QStringLiteral("Available : ") + Megabytes(totalSwapKB - usedSwapKB));

    const int load = CpuPercent(cpumeter.ReadCpuUsage());
    lblcpuusage->setText(QString::number(load) + QLatin1Char('%'));
    pboxcpu->draw(load, lblcpuusage->text());
}

void Tfrmabout::TimerhideTimer() {
    if (height() < 16) {
        Timerhide->stop();
        // Hidden rather than closed: Qt's close would also destroy the X window.
        hide();
        return;
    }
    ResizeWhereItIs(*this, windows_, {width(), std::max(height() - 15, 15)});
}

void Tfrmabout::stbtnexitMouseUp(Qt::MouseButton, QPoint pos) {
    if (!InReleaseArea(pos.x(), pos.y(), stbtnexit->width(), stbtnexit->height()))
        return;
    Timertime->stop();
    Timerhide->start();
}

void Tfrmabout::stbtnlightsMouseUp2(Qt::MouseButton, QPoint pos) {
    if (InReleaseArea(pos.x(), pos.y(), stbtnlights->width(), stbtnlights->height()))
        LightsShow();
}

// Played on a timer rather than by holding the thread, so the clock keeps ticking meanwhile; a
// press during a show is ignored, and hiding the window ends the show with the keys as they began.
void Tfrmabout::LightsShow() {
    if (lights_.running())
        return;
    random_.seed(
        static_cast<std::mt19937::result_type>(std::chrono::steady_clock::now().time_since_epoch().count()));
    lights_.start();
    lightsTimer_->start();
}

void Tfrmabout::LightsRound() {
    std::uniform_int_distribution<int> number(0, TLightsShow::Choices - 1);
    if (!lights_.round(number(random_)))
        lightsTimer_->stop();
}

bool Tfrmabout::eventFilter(QObject* watched, QEvent* event) {
    // The web address takes its own presses, so they neither reach the face nor start a drag.
    if (watched == Label1 && event->type() == QEvent::MouseButtonPress)
        return true;
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton && Label1->rect().contains(release->position().toPoint()))
            RunGuarded([this] { Label1Click(); });
    }
    return QWidget::eventFilter(watched, event);
}

void Tfrmabout::Label1Click() {
    // As with any link, a browser that cannot be started is not worth a message.
    QDesktopServices::openUrl(QUrl(WebAddress));
}
