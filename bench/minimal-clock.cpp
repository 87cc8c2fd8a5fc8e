// The smallest Qt 6 widget clock: a QLabel showing the time, updated by a 1000 ms QTimer.
#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label;
    label.setWindowTitle(QStringLiteral("Minimal Qt clock"));
    auto showTime = [&label] { label.setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))); };
    showTime();

    QTimer timer;
    timer.setInterval(1000);
    QObject::connect(&timer, &QTimer::timeout, &label, showTime);
    timer.start();

    label.show();
    return app.exec();
}
