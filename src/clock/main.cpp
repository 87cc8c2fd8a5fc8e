#include "clock/DialtopApplication.h"
#include "clock/DialtopProgram.h"
#include "clock/formDialtop.h"
#include "platform/linux/LinuxServices.h"

int main(int argc, char** argv) {
    // An X11 program: on a Wayland session it runs through XWayland unless the user chose otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    DialtopApplication app(argc, argv);
    LinuxServices linuxServices;
    const platform::Services services = linuxServices.services();
    app.reportErrorsTo(services.dialogs);

    DialtopProgram program(services);
    QObject::connect(program.forms().dialform, &Tdialform::terminateRequested, &app, &QApplication::quit);
    return app.exec();
}
