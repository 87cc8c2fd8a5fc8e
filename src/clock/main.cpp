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
    // exit(), not quit(): quit() first asks every window to close, and the clock answers a close request
    // by asking to end the program.
    QObject::connect(program.forms().dialform, &Tdialform::terminateRequested, &app,
                     [] { QCoreApplication::exit(0); });
    return app.exec();
}
