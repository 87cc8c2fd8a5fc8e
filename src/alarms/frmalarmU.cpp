// What the user sees: the alarm table of seventeen rows with OK, CANCEL and STOP ALARM; while an alarm
// rings, the same window with a flashing frame and only STOP ALARM enabled.
#include "alarms/frmalarmU.h"

#include "alarms/AlarmRinger.h"
#include "base/ByteText.h"
#include "base/Conversions.h"
#include "base/DialtopError.h"
#include "platform/FileDialog.h"
#include "platform/WindowSystem.h"
#include "settings/SettingsStore.h"
#include "ui/BorderlessWindow.h"
#include "ui/BoxesAbove.h"
#include "ui/FaceDrag.h"
#include "ui/FocusEvents.h"
#include "ui/Guarded.h"
#include "ui/MessageTimer.h"
#include "ui/Shape.h"
#include "ui/TextButton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

namespace {

const QColor Background(72, 72, 72);
const QColor HeadingText(225, 180, 72);
const QColor Grey(128, 128, 128);
const QColor Orange(255, 128, 0);
const QColor FramePen(255, 255, 174);
constexpr int FirstRowTop = 22;
constexpr int RowSpacing = 24;

const QStringList MediaFilters{QStringLiteral("mp3 files (*.mp3)"), QStringLiteral("wav files (*.wav)"),
                               QStringLiteral("wma files (*.wma)")};

QString twoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.2d", value);
    return QString::fromLatin1(buffer);
}

QString rowName(const char* prefix, int row) {
    return QLatin1String(prefix) + QString::number(row);
}

QFont dialogFont(bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

QLabel* makeHeading(QWidget* parent, const QString& text, int left) {
    auto* heading = new QLabel(text, parent);
    heading->setFont(dialogFont());
    QPalette palette = heading->palette();
    palette.setColor(QPalette::WindowText, HeadingText);
    heading->setPalette(palette);
    heading->move(left, 6);
    heading->adjustSize();
    return heading;
}

QLineEdit* makeEdit(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setFont(dialogFont());
    edit->setGeometry(geometry);
    edit->setTextMargins(0, -2, 0, -2);
    return edit;
}

TTextButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    auto* button = new TTextButton(name, caption, parent);
    button->setGeometry(geometry);
    return button;
}

// A path read from the settings file may not be UTF-8: test the bytes themselves.
bool IsRegularFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

Tfrmalarm::Tfrmalarm(const platform::Services& services, SettingsStore& settings, AlarmRinger& ringer)
    : services_(services), settings_(settings), ringer_(ringer) {
    MakeBorderless(*this, QStringLiteral("frmalarm"), Background, QSize(416, 468));
    setWindowTitle(QStringLiteral("Alarm"));
    setFont(dialogFont());

    Shape1 = new TShape(QStringLiteral("Shape1"), this);
    Shape1->setGeometry(2, 2, 413, 463);
    Shape1->setPenColor(FramePen);
    ClearFrame();

    // moveit: the window, its frame and the headings drag the window.
    auto* moveit = new FaceDrag(*this, services_.windows);
    moveit->addSources({this, Shape1, makeHeading(this, QStringLiteral("Use"), 10),
                        makeHeading(this, QStringLiteral("Hour"), 35),
                        makeHeading(this, QStringLiteral("Minute"), 78),
                        makeHeading(this, QStringLiteral("Media File To Be Played"), 118)});

    for (int row = 1; row <= AlarmRowCount; ++row)
        CreateRow(row);
    // Tab walks the 51 edits row by row; nothing else takes the focus.
    QWidget* previous = nullptr;
    for (int row = 1; row <= AlarmRowCount; ++row) {
        for (QWidget* edit : {static_cast<QWidget*>(edh[row]), static_cast<QWidget*>(edm[row]),
                              static_cast<QWidget*>(eds[row])}) {
            if (previous)
                setTabOrder(previous, edit);
            previous = edit;
        }
    }

    stbtnOK = makeButton(this, QStringLiteral("stbtnOK"), QStringLiteral("OK"), QRect(10, 436, 54, 21));
    stbtnOK->setToolTip(QStringLiteral("Press To Confirm All Your Changes"));
    connect(stbtnOK, &TTextButton::mouseUp, this, [this] { accept(); });
    stbtnCancel =
        makeButton(this, QStringLiteral("stbtnCancel"), QStringLiteral("CANCEL"), QRect(65, 436, 66, 21));
    stbtnCancel->setToolTip(QStringLiteral("Press To Cancel All Your Changes"));
    connect(stbtnCancel, &TTextButton::mouseUp, this, [this] { reject(); });
    stal = makeButton(this, QStringLiteral("stal"), QString(), QRect(171, 436, 201, 21));
    stal->setEnabled(false);
    connect(stal, &TTextButton::mouseUp, this, [this](Qt::MouseButton button, QPoint at) {
        RunGuarded([&] { stalMouseUp(button, QGuiApplication::keyboardModifiers(), at.x(), at.y()); });
    });

    boxesAbove_ = new BoxesAbove(*this, services_.windows);

    timeralarm = new MessageTimer(this);
    timeralarm->setInterval(1000);
    timeralarm->setEnabled(false);
    connect(timeralarm, &MessageTimer::timeout, this, Guarded([this] { timeralarmTimer(); }));
    connect(&ringer_, &AlarmRinger::mediaFinished, this, Guarded([this] { MediaPlayer1Notify(); }));
    connect(&ringer_, &AlarmRinger::stopped, this, Guarded([this] { EndRinging(); }));

    FormCreate();
}

void Tfrmalarm::CreateRow(int row) {
    const int top = FirstRowTop + (row - 1) * RowSpacing;

    auto* use = new QLabel(this);
    use->setObjectName(rowName("stal", row));
    use->setGeometry(10, top, 17, 17);
    use->setAlignment(Qt::AlignCenter);
    use->setFont(dialogFont(true));
    use->setFrameShape(QFrame::Box);
    use->setAutoFillBackground(true);
    QPalette palette = use->palette();
    palette.setColor(QPalette::Window, Grey);
    palette.setColor(QPalette::WindowText, HeadingText);
    use->setPalette(palette);
    use->installEventFilter(this);
    stalRow[row] = use;

    edh[row] = makeEdit(this, rowName("edh", row), QRect(37, top, 35, 17));
    edm[row] = makeEdit(this, rowName("edm", row), QRect(77, top, 35, 17));
    eds[row] = makeEdit(this, rowName("eds", row), QRect(117, top, 255, 17));
    edh[row]->setText(QStringLiteral("00"));
    edm[row]->setText(QStringLiteral("00"));
    for (QLineEdit* edit : {edh[row], edm[row]}) {
        OnFocusEnter(*edit, [this, edit] { edh1Enter(*edit); });
        OnRealFocusLeave(*edit, Guarded([this, edit] { edh1Exit(*edit); }));
    }
    QLineEdit* hour = edh[row];
    QLineEdit* minute = edm[row];
    OnKeyRelease(*hour, [this, hour](QKeyEvent&) { edh1KeyUp(*hour); });
    OnKeyRelease(*minute, [this, minute](QKeyEvent&) { edm1KeyUp(*minute); });
    QLineEdit* file = eds[row];
    OnRealFocusLeave(*file, [this, file] { eds1Exit(*file); });
    file->installEventFilter(this);

    stbtnf[row] =
        makeButton(this, rowName("stbtnf", row), QStringLiteral("file"), QRect(378, top - 1, 33, 19));
    connect(stbtnf[row], &TTextButton::mouseUp, this, Guarded([this, row] { stbtnf1MouseUp(row); }));
}

void Tfrmalarm::setStopAlarmCaption(const QString& caption) {
    stal->setText(caption);
}

void Tfrmalarm::FormCreate() {
    FlashPhase = false;
}

bool Tfrmalarm::eventFilter(QObject* watched, QEvent* event) {
    for (int row = 1; row <= AlarmRowCount; ++row) {
        if (watched == stalRow[row]) {
            // Presses stay with the box, so they neither drag the window nor take the release away.
            if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
                return true;
            if (event->type() != QEvent::MouseButtonRelease)
                break;
            const auto* release = static_cast<QMouseEvent*>(event);
            // A click: the left button released over the box it was pressed on.
            if (release->button() == Qt::LeftButton &&
                stalRow[row]->rect().contains(release->position().toPoint()))
                stal1Click(row);
            return true;
        }
        if (watched == eds[row] && event->type() == QEvent::MouseButtonDblClick) {
            eds1DblClick(*eds[row]);
            return true;
        }
    }
    return TModalDialog::eventFilter(watched, event);
}

QRect Tfrmalarm::PlaceBelow(const QRect& clock, QSize size, const QRect& work) {
    QRect placed(QPoint(clock.x() + clock.width() - size.width(), clock.y() + clock.height()), size);
    // A clock low on the screen gets the window above it instead; failing that, it is pushed in.
    if (placed.bottom() > work.bottom() && clock.y() - size.height() >= work.top())
        placed.moveBottom(clock.y() - 1);
    placed.moveLeft(
        std::clamp(placed.left(), work.left(), std::max(work.left(), work.right() + 1 - size.width())));
    placed.moveTop(
        std::clamp(placed.top(), work.top(), std::max(work.top(), work.bottom() + 1 - size.height())));
    return placed;
}

void Tfrmalarm::PlaceBelowClock(const QRect& clock) {
    move(PlaceBelow(clock, size(), services_.windows.workArea()).topLeft());
}

void Tfrmalarm::FillRows() {
    const Settings& table = settings_.values;
    for (int row = 1; row <= AlarmRowCount; ++row) {
        stalRow[row]->setText(table.AlarmOn[row] ? QStringLiteral("X") : QString());
        edh[row]->setText(twoDigits(table.AlarmHour[row]));
        edm[row]->setText(twoDigits(table.AlarmMinute[row]));
        eds[row]->setText(table.AlarmSound[row]);
    }
}

void Tfrmalarm::TakeRows() {
    Settings& table = settings_.values;
    for (int row = 1; row <= AlarmRowCount; ++row) {
        table.AlarmOn[row] = stalRow[row]->text() == QLatin1String("X");
        table.AlarmHour[row] = StrToIntDef(edh[row]->text().toStdString(), 0);
        table.AlarmMinute[row] = StrToIntDef(edm[row]->text().toStdString(), 0);
        // Only a file that is there (a folder is not a file); otherwise the row keeps the one it had.
        if (IsRegularFile(BytesOfText(eds[row]->text())))
            table.AlarmSound[row] = eds[row]->text();
    }
}

void Tfrmalarm::stal1Click(int row) {
    bool& on = settings_.values.AlarmOn[row];
    on = !on;
    stalRow[row]->setText(on ? QStringLiteral("X") : QString());
}

void Tfrmalarm::edh1KeyUp(QLineEdit& edit) {
    const int value = StrToIntDef(edit.text().toStdString(), 0);
    if (value == 0 || value >= 24)
        edit.clear();
}

void Tfrmalarm::edm1KeyUp(QLineEdit& edit) {
    const int value = StrToIntDef(edit.text().toStdString(), 0);
    if (value == 0 || value >= 60)
        edit.clear();
}

void Tfrmalarm::edh1Enter(QLineEdit& edit) {
    edit.selectAll();
}

void Tfrmalarm::edh1Exit(QLineEdit& edit) {
    if (edit.text().isEmpty())
        edit.setText(QStringLiteral("0"));
    edit.setText(twoDigits(StrToInt(edit.text().toStdString())));
}

void Tfrmalarm::eds1DblClick(QLineEdit& edit) {
    edit.selectAll();
}

void Tfrmalarm::eds1Exit(QLineEdit& edit) {
    edit.deselect();
    edit.setCursorPosition(1);
}

void Tfrmalarm::stbtnf1MouseUp(int row) {
    // The folder of the row's file, else the user's music folder.
    const QFileInfo current(eds[row]->text());
    QString folder = current.absolutePath();
    if (!current.isAbsolute() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    if (const std::optional<QString> chosen = services_.fileDialog.openFile(*this, folder, MediaFilters))
        eds[row]->setText(*chosen);
}

void Tfrmalarm::SetRowsEnabled(bool enabled) {
    for (int row = 1; row <= AlarmRowCount; ++row) {
        for (QWidget* control : {static_cast<QWidget*>(stalRow[row]), static_cast<QWidget*>(edh[row]),
                                 static_cast<QWidget*>(edm[row]), static_cast<QWidget*>(eds[row]),
                                 static_cast<QWidget*>(stbtnf[row])})
            control->setEnabled(enabled);
    }
}

void Tfrmalarm::ClearFrame() {
    Shape1->setBrushStyle(Qt::NoBrush);
    Shape1->setBrushColor(Qt::white);
}

void Tfrmalarm::closeRequested() {
    // Closing the window of a ringing alarm stops the alarm; otherwise it is CANCEL.
    if (stal->isEnabled())
        stalMouseUp(Qt::LeftButton, {}, 0, 0);
    else
        TModalDialog::closeRequested();
}

void Tfrmalarm::CloseBoxesOverTable() {
    // Qt gives the input to the newest modal box, so a box opened over the table (its file dialog, the
    // error box of an edit) would keep STOP ALARM from the mouse; the table's edits end with the ring anyway.
    for (QDialog* box : findChildren<QDialog*>()) {
        if (box->isVisible())
            box->reject();
    }
    // The program's message boxes have no parent: those shown while the table ran modally are above it.
    while (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        if (box == this || box->windowModality() != Qt::ApplicationModal)
            return;
        box->reject();
        if (box->isVisible())
            return;
    }
}

void Tfrmalarm::ShowRinging(const QRect& clock) {
    PlaceBelowClock(clock);
    timeralarm->setEnabled(true);
    FillRows();
    if (!isVisible()) {
        // A box of the program that is open (a battery warning, a confirmation) would keep a window shown
        // after it from the mouse; this one takes the input above it until it closes.
        QWidget* openBox = QApplication::activeModalWidget();
        setWindowModality(openBox && openBox != this ? Qt::ApplicationModal : Qt::NonModal);
        show();
    } else {
        CloseBoxesOverTable();
    }
    boxesAbove_->start();
    services_.windows.setTopmost(*this, true);
    services_.windows.activate(*this, 0);
    QApplication::alert(this);
    stbtnOK->setEnabled(false);
    stbtnCancel->setEnabled(false);
    SetRowsEnabled(false);
    stal->setEnabled(true);
}

void Tfrmalarm::timeralarmTimer() {
    if (!FlashPhase) {
        Shape1->setBrushStyle(Qt::SolidPattern);
        Shape1->setBrushColor(Orange);
        FlashPhase = true;
    } else {
        ClearFrame();
        FlashPhase = false;
    }
    if (ringer_.mediaAtEnd()) {
        try {
            stalMouseUp(Qt::LeftButton, {}, 0, 0);
        } catch (const std::exception&) {
            hide();
        }
    }
}

void Tfrmalarm::MediaPlayer1Notify() {
    // Hidden only; the next flash finds the media at its end and runs the stop action.
    reject();
}

void Tfrmalarm::stalMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    ringer_.stop();
}

void Tfrmalarm::EndRinging() {
    timeralarm->setEnabled(false);
    ClearFrame();
    FlashPhase = false;
    stal->setEnabled(false);
    // Ends a modal run with Cancel, or hides the dialog when it was shown without one.
    reject();
    // The window is an ordinary one again.
    boxesAbove_->stop();
    services_.windows.setTopmost(*this, false);
    if (!isVisible())
        setWindowModality(Qt::NonModal);
    stbtnOK->setEnabled(true);
    stbtnCancel->setEnabled(true);
    SetRowsEnabled(true);
}
