#include "tool_install.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>

#include "tests/platform/linux/support/commands.hpp"

namespace nwmp::linux_platform::testing {

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

}  // namespace

ToolInstall::ToolInstall() : environment_(QProcessEnvironment::systemEnvironment()) {
    const QDir root(root_.path());
    for (const char* sub : {"app", "home", "config", "data", "run"}) {
        EXPECT_TRUE(root.mkpath(QString::fromLatin1(sub)));
    }
    // A runtime folder must be private to its user.
    chmod(root.filePath("run").toLocal8Bit().constData(), 0700);
    EXPECT_TRUE(QFile::copy(QStringLiteral(TOOL_PROGRAM), root.filePath("app/NorvalentWMP3set")));
    // The association needs a program that exists and runs; the player's stand-in does nothing.
    EXPECT_TRUE(writeFile(playerProgram(), "#!/bin/sh\nexit 0\n"));
    chmod(playerProgram().toLocal8Bit().constData(), 0755);

    environment_.insert(QStringLiteral("HOME"), root.filePath("home"));
    environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath("config"));
    environment_.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath("data"));
    environment_.insert(QStringLiteral("XDG_CACHE_HOME"), root.filePath("home/.cache"));
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath("run"));
    environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
}

ToolInstall::~ToolInstall() {
    for (auto& copy : copies_) {
        if (copy->state() != QProcess::NotRunning) {
            copy->kill();
            copy->waitForFinished(10000);
        }
    }
}

QString ToolInstall::folder() const {
    return QDir(root_.path()).filePath(QStringLiteral("app"));
}

QString ToolInstall::dataHome() const {
    return QDir(root_.path()).filePath(QStringLiteral("data"));
}

void ToolInstall::writeSettings(const std::string& text) const {
    EXPECT_TRUE(writeFile(settingsFile(), QByteArray::fromStdString(text)));
}

std::optional<std::string> ToolInstall::readSettings() const {
    QFile file(settingsFile());
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll().toStdString();
}

QProcess& ToolInstall::start() {
    auto copy = std::make_unique<QProcess>();
    copy->setProcessEnvironment(environment_);
    copy->setWorkingDirectory(root_.path());
    copy->setProcessChannelMode(QProcess::ForwardedChannels);
    copy->start(QDir(folder()).filePath(QStringLiteral("NorvalentWMP3set")), {});
    EXPECT_TRUE(copy->waitForStarted(10000)) << copy->errorString().toStdString();
    copies_.push_back(std::move(copy));
    return *copies_.back();
}

QString ToolInstall::run(const QString& program, const QStringList& arguments) const {
    const CommandRun run = runCommand(program, arguments, 30s, environment_);
    if (!run.finished) {
        ADD_FAILURE() << program.toStdString() << " did not finish";
    }
    return run.output.trimmed();
}

}  // namespace nwmp::linux_platform::testing
