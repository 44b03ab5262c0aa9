#pragma once

// Holds the desktop's screen saver off through org.freedesktop.ScreenSaver, without touching the
// user's own setting: the hold ends when released, or when this process ends, however it ends.

#include <QString>
#include <optional>

namespace nwmp::linux_platform {

class ScreenSaverInhibitor {
  public:
    explicit ScreenSaverInhibitor(QString applicationName);
    ~ScreenSaverInhibitor();
    ScreenSaverInhibitor(const ScreenSaverInhibitor&) = delete;
    ScreenSaverInhibitor& operator=(const ScreenSaverInhibitor&) = delete;

    // Asks for the hold; a second call while held changes nothing. Where the session has no
    // such service nothing happens.
    void hold();
    // Ends the hold, if any.
    void release();

    bool holding() const { return cookie_.has_value(); }

  private:
    QString applicationName_;
    std::optional<quint32> cookie_;
};

}  // namespace nwmp::linux_platform
