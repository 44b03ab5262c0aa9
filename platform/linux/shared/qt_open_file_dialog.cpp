#include "platform/linux/shared/qt_open_file_dialog.hpp"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace nwmp::linux_platform {

namespace {

constexpr char kProgramPattern[] = "*.exe";

bool offersPrograms(const ParsedFileFilter& filter) {
    return filter.patterns.size() == 1 && filter.patterns.front() == kProgramPattern;
}

}  // namespace

QStringList nameFiltersFor(std::string_view filterText) {
    QStringList nameFilters;
    for (const ParsedFileFilter& filter : parseFilterText(filterText)) {
        QStringList patterns;
        if (offersPrograms(filter)) {
            patterns << QStringLiteral("*");
        } else {
            for (const std::string& pattern : filter.patterns) {
                patterns << QString::fromStdString(pattern);
            }
        }
        nameFilters << QString::fromStdString(filter.description) + QStringLiteral(" (") +
                           patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return nameFilters;
}

std::string QtOpenFileDialog::ShowOpenDialog(WindowId owner, std::string_view filterText) {
    QWidget* parent = owner != 0 ? reinterpret_cast<QWidget*>(owner) : owner_;
    QFileDialog dialog(parent, QString::fromUtf8(kOpenDialogTitle.data(),
                                                 static_cast<qsizetype>(kOpenDialogTitle.size())));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Qt's own dialog, so that the executables-only filter below applies and the look is the
    // same on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    const QStringList filters = nameFiltersFor(filterText);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) {
        dialog.selectNameFilter(filters.front());
    }
    const auto parsed = parseFilterText(filterText);
    if (!parsed.empty() && offersPrograms(parsed.front())) {
        dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString chosen = dialog.selectedFiles().front();
    if (!QFileInfo(chosen).isFile()) {
        return {};
    }
    std::string path = QFileInfo(chosen).absoluteFilePath().toStdString();
    // The caller's buffer holds the path and its closing NUL.
    if (path.size() >= kOpenDialogBufferLength) {
        return {};
    }
    return path;
}

}  // namespace nwmp::linux_platform
