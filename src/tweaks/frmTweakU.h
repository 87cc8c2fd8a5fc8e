// The tweak editor: the list of tweaks and the chosen one's value, permitted values and description.
#pragma once

#include "platform/Services.h"
#include "tweaks/TweakCatalogue.h"
#include "tweaks/TweakEdits.h"
#include "ui/ModalDialog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class TShape;
class TTextButton;

// The tweak editor: the catalogue's settings in a list, the chosen one's value, hint and description
// beside it, OK to write the changed values and CANCEL to drop them.
class Tfrmtweak : public TModalDialog {
    Q_OBJECT

public:
    explicit Tfrmtweak(const platform::Services& services);

    TShape* Shape1 = nullptr;
    QLabel* lblCAUTION = nullptr;
    QLabel* lbltree = nullptr;
    QListWidget* TreeView = nullptr;
    QLabel* lblname = nullptr;
    QLabel* lblvalue = nullptr;
    QLineEdit* edvalue = nullptr;
    QLabel* lbllblpermitted = nullptr;
    QLabel* lblpermitted = nullptr;
    QLabel* lbllblDescription = nullptr;
    QLabel* lblDescription = nullptr;
    TTextButton* stbtnOK = nullptr;
    TTextButton* stbtnCancel = nullptr;

    const TweakEdits& Edits() const { return edits_; }

    void FormShow();
    void TreeViewChange();
    void edvalueChange();
    void stbtnOKMouseUp();
    void stbtnCancelMouseUp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void CreateControls();

    const platform::Services services_;
    TweakCatalogue catalogue_;
    TweakEdits edits_{catalogue_};
};
