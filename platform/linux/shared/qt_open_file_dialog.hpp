#pragma once

// ShowOpenDialog with the desktop's file chooser.

#include <QStringList>

#include "common/open_file_dialog.hpp"

class QFileDialog;
class QWidget;

namespace nwmp::linux_platform {

class QtOpenFileDialog : public OpenFileDialog {
  public:
    // owner: the window the dialog belongs to when the caller's WindowId is not one of ours.
    explicit QtOpenFileDialog(QWidget* owner) : owner_(owner) {}

    // Offers the filters in order with the first selected, accepts only an existing file, and
    // gives back its complete path, or empty text on cancel or for a path the caller's buffer
    // could not hold. A "*.exe" pattern means program files: on Linux those are executables,
    // which carry no suffix, so that filter offers executable files (and folders to walk
    // through) under its description alone, "プログラムファイル".
    std::string ShowOpenDialog(WindowId owner, std::string_view filterText) override;

  private:
    QWidget* owner_;
};

// The chooser's name filters for a filter text, e.g. "ムービーファイル (*.mpg) (*.mpg *.mpeg)".
QStringList nameFiltersFor(std::string_view filterText);

// Sets up a dialog for ShowOpenDialog: title, an existing file to open, the filters.
void setUpOpenDialog(QFileDialog& dialog, std::string_view filterText);

}  // namespace nwmp::linux_platform
