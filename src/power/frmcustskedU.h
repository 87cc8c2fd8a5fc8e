#pragma once

#include <QDialog>

struct Forms;
namespace platform {
struct Services;
}

// The custom-delay dialog.
class Tfrmcustsked : public QDialog {
    Q_OBJECT

public:
    Tfrmcustsked(const platform::Services& services, Forms& forms);
};
