// NorvalentWMP3set: the settings tool. One window over the settings file the players use.

#include <QApplication>

#include "common/located_settings_file.hpp"
#include "platform/linux/association/xdg_file_association.hpp"
#include "platform/linux/settings_tool/qt_message_boxes.hpp"
#include "platform/linux/settings_tool/qt_settings_window.hpp"
#include "platform/linux/settings_tool/qt_tool_folder.hpp"
#include "platform/linux/settings_tool/settings_tool_events.hpp"
#include "platform/linux/settings_tool/single_copy_lock.hpp"
#include "platform/linux/shared/qt_open_file_dialog.hpp"
#include "settings_tool/nwmpset.hpp"

int main(int argc, char* argv[]) {
    using namespace nwmp;
    using namespace nwmp::linux_platform;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("NorvalentWMP3set"));

    QtSettingsWindow window;
    QtMessageBoxes messages(&window);
    SingleCopyLock process;
    QtToolFolder folder;
    LocatedSettingsFile settings;
    xdg::XdgFileAssociation association;
    QtOpenFileDialog openDialog(&window);
    NWMPset core({window, messages, process, folder, settings, association, openDialog});
    window.setEvents(eventsOf(core));
    // Once the handler that closed the window has returned.
    window.setOnClosed(
        [] { QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection); });

    core.Form_Load();
    window.show();
    return QApplication::exec();
}
