#pragma once

// A player program copied into a folder of its own with its own nwmpset.ini, started and watched
// as a user would see it: its window's title and place on the X display (through xdotool), the
// settings it leaves behind. Every wait is bounded.

#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "tests/platform/linux/support/commands.hpp"

namespace nwmp::linux_platform::testing {

// The user's private folders a player sees: its runtime folder (where running players list
// themselves) and its home. Players that are to find each other share one.
class UserFolders {
  public:
    UserFolders();
    QString runtime() const { return root_.path() + QStringLiteral("/run"); }
    QString home() const { return root_.path() + QStringLiteral("/home"); }

  private:
    QTemporaryDir root_;
};

class PlayerInstall {
  public:
    // program: the built program file, copied into a new folder with this nwmpset.ini text.
    PlayerInstall(const QString& program, const std::string& settingsText,
                  std::shared_ptr<UserFolders> folders = std::make_shared<UserFolders>());
    ~PlayerInstall();
    PlayerInstall(const PlayerInstall&) = delete;
    PlayerInstall& operator=(const PlayerInstall&) = delete;

    // Sets (or, with nothing, removes) an environment variable of later starts, over what
    // start() itself sets.
    void setEnvironment(const QString& name, std::optional<QString> value) {
        environment_[name] = std::move(value);
    }
    // Starts the copy with these arguments; the window is then looked for with window().
    void start(const QStringList& arguments = {});
    void startWithBytes(const std::string& argument);  // one argument, any bytes
    // The shown window of the running program, waited for.
    std::optional<QString> window(std::chrono::milliseconds timeout = 15s);
    // The first title of the window that matches, waited for; nothing on time-out.
    std::optional<QString> waitForTitle(const QRegularExpression& pattern,
                                        std::chrono::milliseconds timeout = 15s);
    // Presses a key (xdotool's name) with the keyboard focus on the window.
    void press(const QString& key);
    // Whether the program ended within the timeout; then its exit code and status are known.
    bool waitForEnd(std::chrono::milliseconds timeout = 15s);
    bool endedNormally() const;
    int exitCode() const { return process_.exitCode(); }
    qint64 pid() const { return pid_; }

    // A value of the copy's nwmpset.ini, or nothing when the key is absent.
    std::optional<std::string> stored(const std::string& section, const std::string& key) const;
    QString settingsText() const;
    std::string settingsBytes() const;
    QString lastTitle() const { return lastTitle_; }
    QString errorOutput();

  private:
    std::string settingsFile() const { return folder_.path().toStdString() + "/nwmpset.ini"; }
    void launch(const QString& program, const QStringList& arguments);
    std::shared_ptr<UserFolders> folders_;
    QTemporaryDir folder_;
    QString program_;
    QProcess process_;
    qint64 pid_ = 0;
    QString window_;
    QString lastTitle_;
    std::map<QString, std::optional<QString>> environment_;
};

// xdotool's view of a window.
QString windowTitle(const QString& window);
std::optional<QRect> windowGeometry(const QString& window);

// A file of the committed test media, by its name there.
QString media(const std::string& name);

}  // namespace nwmp::linux_platform::testing
