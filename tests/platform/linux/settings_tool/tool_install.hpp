#pragma once

// The real NorvalentWMP3set copied into a temporary folder of its own, beside its own
// nwmpset.ini and a stand-in for the player, with home, XDG and runtime folders that are
// temporary too. Nothing of the user's is read or written.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace nwmp::linux_platform::testing {

class ToolInstall {
  public:
    ToolInstall();  // fails the current test when the folder cannot be made
    ~ToolInstall();

    QString folder() const;  // where the tool's program file lies
    QString settingsFile() const { return folder() + QStringLiteral("/nwmpset.ini"); }
    QString playerProgram() const { return folder() + QStringLiteral("/NorvalentWMP3TE"); }
    QString dataHome() const;

    void writeSettings(const std::string& text) const;
    std::optional<std::string> readSettings() const;

    // Starts one more copy of the tool; it is stopped, if still running, when the install goes.
    QProcess& start();

    // Runs a command with the tool's environment and gives its standard output.
    QString run(const QString& program, const QStringList& arguments) const;

  private:
    QTemporaryDir root_;
    QProcessEnvironment environment_;
    std::vector<std::unique_ptr<QProcess>> copies_;
};

}  // namespace nwmp::linux_platform::testing
