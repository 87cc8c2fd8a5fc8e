#include "app/CommandLine.h"
#include "app/DialtopApplication.h"
#include "app/DialtopProgram.h"
#include "clock/formDialtop.h"
#include "platform/linux/LinuxServices.h"

int main(int argc, char** argv) {
    if (const std::optional<int> status = RunCommandLine(argc, argv))
        return *status;

    // An X11 program: on a Wayland session it runs through XWayland unless the user chose otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // The clock's windows are small: their pixels cost less sent over the X connection than through
    // shared memory, which makes every repaint wait for a reply from the server (and wakes the idle
    // clock twice more a second).
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");

    DialtopApplication app(argc, argv);
    LinuxServices linuxServices;
    const platform::Services services = linuxServices.services();
    app.reportErrorsTo(services.dialogs);

    DialtopProgram program(services);
    // exit(), not quit(): quit() first asks every window to close, and the clock answers a close request
    // by asking to end the program.
    QObject::connect(&program.clock(), &Tdialform::terminateRequested, &app,
                     [] { QCoreApplication::exit(0); });
    return app.exec();
}
