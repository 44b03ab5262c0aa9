#include "platform/linux/association/helper_programs.hpp"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace nwmp::xdg {
namespace {

constexpr int kStartTimeoutMs = 10'000;
constexpr int kFinishTimeoutMs = 60'000;

}  // namespace

ToolResult runTool(const std::string& name, const std::vector<std::string>& arguments) {
    const QString program = QStandardPaths::findExecutable(QString::fromStdString(name));
    if (program.isEmpty()) {
        return ToolResult::Missing;
    }
    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(list);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(kStartTimeoutMs)) {
        return ToolResult::Failed;
    }
    if (!process.waitForFinished(kFinishTimeoutMs)) {
        process.kill();
        process.waitForFinished(kStartTimeoutMs);
        return ToolResult::Failed;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0
               ? ToolResult::Succeeded
               : ToolResult::Failed;
}

}  // namespace nwmp::xdg
