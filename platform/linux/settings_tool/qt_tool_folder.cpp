#include "platform/linux/settings_tool/qt_tool_folder.hpp"

#include <QCoreApplication>

namespace nwmp::linux_platform {

std::string QtToolFolder::path() const {
    return QCoreApplication::applicationDirPath().toStdString();
}

std::string QtToolFolder::join(std::string_view folder, std::string_view name) const {
    std::string joined(folder);
    joined += '/';
    joined += name;
    return joined;
}

}  // namespace nwmp::linux_platform
