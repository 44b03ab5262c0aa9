#include "platform/linux/shared/qt_open_file_dialog.hpp"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QStringList>

#include "platform/linux/shared/file_name_bytes.hpp"

namespace nwmp::linux_platform {

namespace {

constexpr std::string_view kProgramPattern = "*.exe";

bool offersPrograms(const ParsedFileFilter& filter) {
    return filter.patterns.size() == 1 && filter.patterns.front() == kProgramPattern;
}

// "プログラムファイル(*.exe)" names a pattern that means nothing here; the name alone stays.
std::string programDescription(std::string_view description) {
    const std::string shownPattern = std::string("(").append(kProgramPattern).append(")");
    if (description.ends_with(shownPattern)) {
        description.remove_suffix(shownPattern.size());
    }
    while (description.ends_with(' ')) {
        description.remove_suffix(1);
    }
    return std::string(description);
}

// Folders, to walk through, and files this user may run. QDir's Executable filter cannot say
// this in the dialog's file model: there it hides every readable entry.
class ProgramsOnly : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files == nullptr) {
            return true;
        }
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || (info.isFile() && info.isExecutable());
    }
};

}  // namespace

QStringList nameFiltersFor(std::string_view filterText) {
    QStringList nameFilters;
    for (const ParsedFileFilter& filter : parseFilterText(filterText)) {
        QStringList patterns;
        std::string description = filter.description;
        if (offersPrograms(filter)) {
            patterns << QStringLiteral("*");
            description = programDescription(description);
        } else {
            for (const std::string& pattern : filter.patterns) {
                patterns << QString::fromStdString(pattern);
            }
        }
        nameFilters << QString::fromStdString(description) + QStringLiteral(" (") +
                           patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return nameFilters;
}

void setUpOpenDialog(QFileDialog& dialog, std::string_view filterText) {
    dialog.setWindowTitle(QString::fromUtf8(kOpenDialogTitle.data(),
                                            static_cast<qsizetype>(kOpenDialogTitle.size())));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Qt's own dialog, so that the programs-only filter below applies and the look is the same on
    // every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    const QStringList filters = nameFiltersFor(filterText);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) {
        dialog.selectNameFilter(filters.front());
    }
    const auto parsed = parseFilterText(filterText);
    if (!parsed.empty() && offersPrograms(parsed.front())) {
        // The "(*)" behind the name would only say "every file", which is not what is offered.
        dialog.setOption(QFileDialog::HideNameFilterDetails, true);
        dialog.setProxyModel(new ProgramsOnly(&dialog));
    }
}

std::string QtOpenFileDialog::ShowOpenDialog(WindowId owner, std::string_view filterText) {
    QWidget* parent = owner != 0 ? reinterpret_cast<QWidget*>(owner) : owner_;
    QFileDialog dialog(parent);
    setUpOpenDialog(dialog, filterText);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString chosen = dialog.selectedFiles().front();
    if (!QFileInfo(chosen).isFile()) {
        return {};
    }
    std::string path = pathBytesOf(QFileInfo(chosen).absoluteFilePath());
    // The caller's buffer holds the path and its closing NUL.
    if (path.size() >= kOpenDialogBufferLength) {
        return {};
    }
    return path;
}

}  // namespace nwmp::linux_platform
