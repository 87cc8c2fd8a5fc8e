#pragma once

#include <QDialog>

struct Forms;
namespace platform {
struct Services;
}

// The tweak editor.
class Tfrmtweak : public QDialog {
    Q_OBJECT

public:
    Tfrmtweak(const platform::Services& services, Forms& forms);
};
