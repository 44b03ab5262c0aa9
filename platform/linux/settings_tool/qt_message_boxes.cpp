#include "platform/linux/settings_tool/qt_message_boxes.hpp"

#include <QMessageBox>

namespace nwmp::linux_platform {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None:
            return QMessageBox::NoIcon;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtMessageBoxes::show(std::string_view title, std::string_view text, MessageIcon icon) {
    QMessageBox box(qtIcon(icon), fromUtf8(title), fromUtf8(text), QMessageBox::Ok, owner_);
    // Modal for the whole tool, also while its window is not shown yet (at start).
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

}  // namespace nwmp::linux_platform
