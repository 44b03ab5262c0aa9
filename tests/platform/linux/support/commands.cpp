#include "commands.hpp"

#include <QProcess>

namespace nwmp::linux_platform::testing {

CommandRun runCommand(const QString& program, const QStringList& arguments,
                      std::chrono::milliseconds timeout, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForFinished(static_cast<int>(timeout.count()))) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    return {true, process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput())};
}

QString xdotool(const QStringList& arguments) {
    return runCommand(QStringLiteral("xdotool"), arguments).output.trimmed();
}

void pressKey(const QString& window, const QString& key) {
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    xdotool({QStringLiteral("key"), key});
}

}  // namespace nwmp::linux_platform::testing
