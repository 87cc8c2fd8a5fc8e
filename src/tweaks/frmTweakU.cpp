// The tweak editor: the list of tweaks and the chosen one's value, permitted values and description.

#include "tweaks/frmTweakU.h"

#include "base/ApplicationTitle.h"
#include "platform/Dialogs.h"
#include "ui/BorderlessWindow.h"
#include "ui/FaceDrag.h"
#include "ui/Guarded.h"
#include "ui/Shape.h"
#include "ui/TextButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShowEvent>

namespace {

const QColor Gold(228, 193, 86);
const QColor LightGreen(205, 253, 134);
const QColor Silver(192, 192, 192);

QLabel* makeLabel(const QString& name, QWidget* parent, const QColor& color, QPoint at,
                  const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->move(at);
    label->adjustSize();
    return label;
}

QLabel* makeTextBox(const QString& name, QWidget* parent, const QRect& geometry) {
    QLabel* label = makeLabel(name, parent, Silver, geometry.topLeft());
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// Descriptions break their lines with LF CR.
QString displayText(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
}

} // namespace

Tfrmtweak::Tfrmtweak(const platform::Services& services) : services_(services) {
    MakeBorderless(*this, QStringLiteral("frmtweak"), QColor(72, 72, 72), QSize(540, 392));
    setWindowOpacity(240 / 255.0);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    setFont(font);
    CreateControls();
    FormCreate();
}

void Tfrmtweak::CreateControls() {
    Shape1 = new TShape(QStringLiteral("Shape1"), this);
    Shape1->setGeometry(1, 1, 538, 390);
    Shape1->setBrushStyle(Qt::NoBrush);
    Shape1->setPenColor(QColor(255, 255, 174));

    lblCAUTION =
        makeLabel(QStringLiteral("lblCAUTION"), this, QColor(255, 72, 40), {8, 4},
                  QStringLiteral("This Dialog IS ONLY for Advanced users. DO NOT use it if you don't "
                                 "understand the description"));
    lbltree = makeLabel(QStringLiteral("lbltree"), this, Gold, {8, 27}, QStringLiteral("All Tweaks"));

    TreeView = new QListWidget(this);
    TreeView->setObjectName(QStringLiteral("TreeView"));
    TreeView->setGeometry(5, 40, 276, 321);
    TreeView->setSelectionBehavior(QAbstractItemView::SelectRows);
    QPalette palette = TreeView->palette();
    palette.setColor(QPalette::Base, QColor(130, 128, 115));
    palette.setColor(QPalette::Text, Qt::white);
    TreeView->setPalette(palette);

    lblname = makeLabel(QStringLiteral("lblname"), this, Gold, {288, 43});
    lblvalue = makeLabel(QStringLiteral("lblvalue"), this, LightGreen, {288, 59}, QStringLiteral("Value"));
    edvalue = new QLineEdit(this);
    edvalue->setObjectName(QStringLiteral("edvalue"));
    edvalue->setGeometry(288, 75, 246, 21);
    lbllblpermitted = makeLabel(QStringLiteral("lbllblpermitted"), this, LightGreen, {288, 103},
                                QStringLiteral("Permitted Values"));
    lblpermitted = makeTextBox(QStringLiteral("lblpermitted"), this, {288, 117, 246, 33});
    lbllblDescription = makeLabel(QStringLiteral("lbllblDescription"), this, LightGreen, {288, 151},
                                  QStringLiteral("Description"));
    lblDescription = makeTextBox(QStringLiteral("lblDescription"), this, {288, 167, 246, 194});

    stbtnOK = new TTextButton(QStringLiteral("stbtnOK"), QStringLiteral("OK"), this);
    stbtnOK->setGeometry(56, 367, 77, 21);
    stbtnOK->setToolTip(QStringLiteral("Press To Confirm All Your Changes"));
    stbtnCancel = new TTextButton(QStringLiteral("stbtnCancel"), QStringLiteral("CANCEL"), this);
    stbtnCancel->setGeometry(135, 367, 82, 21);
    stbtnCancel->setToolTip(QStringLiteral("Press To Cancel All Your Changes"));

    auto* moveit = new FaceDrag(*this, services_.windows);
    moveit->addSources({this, Shape1, lblCAUTION, lbltree, lblname, lblvalue, lbllblpermitted, lblpermitted,
                        lbllblDescription, lblDescription});

    connect(TreeView, &QListWidget::currentRowChanged, this, Guarded([this] { TreeViewChange(); }));
    connect(edvalue, &QLineEdit::textChanged, this, Guarded([this] { edvalueChange(); }));
    connect(stbtnOK, &TTextButton::mouseUp, this, Guarded([this] { stbtnOKMouseUp(); }));
    connect(stbtnCancel, &TTextButton::mouseUp, this, Guarded([this] { stbtnCancelMouseUp(); }));
}

void Tfrmtweak::FormCreate() {
    // The catalogue is built with the window; nothing is read until it is shown.
    TreeViewChange();
}

void Tfrmtweak::showEvent(QShowEvent* event) {
    TModalDialog::showEvent(event);
    // A window given back by the window manager was not opened anew.
    if (!event->spontaneous())
        RunGuarded([this] { FormShow(); });
}

void Tfrmtweak::FormShow() {
    TreeView->clear();
    // Marks "no line" as chosen, so that the list taking the focus does not pick its first line by itself
    // when the reading stops early.
    TreeView->setCurrentIndex(QModelIndex());
    edits_.Read(services_.registry,
                [this](int n) { TreeView->addItem(QString::fromStdString(catalogue_[n].Title)); });
    TreeView->setCurrentRow(0);
}

void Tfrmtweak::TreeViewChange() {
    const int n = TreeView->currentRow() + 1;
    const bool shown = n >= 1;
    const TTweakEntry* entry = shown ? &catalogue_[n] : nullptr;
    lblname->setText(shown ? QString::fromStdString(entry->Title) : QString());
    lblname->adjustSize();
    lblDescription->setText(shown ? displayText(entry->Description) : QString());
    lblpermitted->setText(shown ? QString::fromStdString(entry->Permitted) : QString());
    // With no entry chosen there is nothing to type into.
    edvalue->setEnabled(shown);
    edvalue->setText(shown ? QString::fromStdString(edits_.EditText(n)) : QString());
}

void Tfrmtweak::edvalueChange() {
    const int n = TreeView->currentRow() + 1;
    if (n >= 1)
        edits_.SetEditText(n, edvalue->text().toStdString());
}

void Tfrmtweak::stbtnOKMouseUp() {
    const auto tell = [this](const std::string& message) {
        services_.dialogs.plain(ApplicationTitle, QString::fromStdString(message));
    };
    tell(edits_.Apply(services_.registry, tell));
    accept();
}

void Tfrmtweak::stbtnCancelMouseUp() {
    reject();
}
