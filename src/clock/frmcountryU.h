#pragma once

#include <QDialog>

struct Forms;
namespace platform {
struct Services;
}

// The additional-country dialog.
class Tfrmcountry : public QDialog {
    Q_OBJECT

public:
    Tfrmcountry(const platform::Services& services, Forms& forms);
};
