#include "platform/linux/player/screen_saver_inhibitor.hpp"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>

namespace nwmp::linux_platform {

namespace {

constexpr char kService[] = "org.freedesktop.ScreenSaver";
constexpr char kPath[] = "/org/freedesktop/ScreenSaver";
constexpr char kInterface[] = "org.freedesktop.ScreenSaver";
constexpr int kTimeoutMs = 2000;

}  // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(QString applicationName)
    : applicationName_(std::move(applicationName)) {}

ScreenSaverInhibitor::~ScreenSaverInhibitor() {
    release();
}

void ScreenSaverInhibitor::hold() {
    if (cookie_) {
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    QDBusInterface screenSaver(kService, kPath, kInterface, bus);
    if (!screenSaver.isValid()) {
        return;
    }
    screenSaver.setTimeout(kTimeoutMs);
    const QDBusReply<quint32> reply =
        screenSaver.call(QStringLiteral("Inhibit"), applicationName_, QStringLiteral("再生中"));
    if (reply.isValid()) {
        cookie_ = reply.value();
    }
}

void ScreenSaverInhibitor::release() {
    if (!cookie_) {
        return;
    }
    const quint32 cookie = *cookie_;
    cookie_.reset();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    QDBusInterface screenSaver(kService, kPath, kInterface, bus);
    if (screenSaver.isValid()) {
        screenSaver.setTimeout(kTimeoutMs);
        screenSaver.call(QStringLiteral("UnInhibit"), cookie);
    }
}

}  // namespace nwmp::linux_platform
