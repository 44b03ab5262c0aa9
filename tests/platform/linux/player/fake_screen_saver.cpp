// A stand-in for the desktop's screen saver on the session bus: it answers Inhibit with a
// cookie and reports every call on its standard output, one line each, for the test to read.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QObject>
#include <cstdio>

class FakeScreenSaver final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

  public Q_SLOTS:
    uint Inhibit(const QString& application, const QString& reason) {
        ++cookie_;
        std::printf("INHIBIT %u %s %s\n", cookie_, application.toUtf8().constData(),
                    reason.toUtf8().constData());
        std::fflush(stdout);
        return cookie_;
    }

    void UnInhibit(uint cookie) {
        std::printf("UNINHIBIT %u\n", cookie);
        std::fflush(stdout);
    }

  private:
    uint cookie_ = 40;
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    FakeScreenSaver screenSaver;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &screenSaver,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver"))) {
        std::fprintf(stderr, "could not offer the screen saver on the session bus\n");
        return 1;
    }
    std::printf("READY\n");
    std::fflush(stdout);
    return app.exec();
}

#include "fake_screen_saver.moc"
