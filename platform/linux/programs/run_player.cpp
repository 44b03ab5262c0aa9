#include "platform/linux/programs/run_player.hpp"

#include <malloc.h>

#include <QApplication>
#include <QString>
#include <chrono>
#include <memory>
#include <optional>

#include "common/located_settings_file.hpp"
#include "platform/linux/engine/mpv_media_engine.hpp"
#include "platform/linux/player/lazy_url_dialog.hpp"
#include "platform/linux/player/player_directory.hpp"
#include "platform/linux/player/qt_main_window.hpp"
#include "platform/linux/player/qt_platform_services.hpp"
#include "platform/linux/player/session_end_signals.hpp"
#include "platform/linux/shared/file_name_bytes.hpp"
#include "platform/linux/shared/qt_open_file_dialog.hpp"
#include "platform/linux/shared/window_system.hpp"
#include "player/nwmp.hpp"

namespace nwmp::linux_platform {

namespace {

using namespace std::chrono_literals;

// A start waits this long for one that is starting at the same moment, then goes on: a start
// that hangs cannot stop the next. Long enough for a start that closes a running player.
constexpr auto kStartLockWait = 20s;

// glibc gives each thread that allocates an arena of its own, up to eight per core; libmpv's
// demuxer, decoder, audio and output threads each keep one, with its free space, for the whole
// run. Two arenas are enough to keep those threads from waiting on each other's allocations.
constexpr int kMallocArenas = 2;
// By default glibc keeps what is freed: blocks below a threshold that grows to whatever size was
// last given back (up to 32 MiB), 128 KiB of free space atop each heap, and the same again added
// to every growth. Packets and frames come and go all the time a clip plays; blocks from 64 KiB
// up get pages of their own that go back to the system when freed, and heaps give back what
// they no longer use. Frame pools keep their frames, so this costs no measurable time.
constexpr int kMallocOwnPagesFrom = 64 * 1024;
constexpr int kMallocKeptAtop = 64 * 1024;
constexpr int kMallocGrowthPad = 0;

void limitKeptFreeMemory() {
    // Before any other thread starts: the settings are read as arenas are made.
    mallopt(M_ARENA_MAX, kMallocArenas);
    mallopt(M_MMAP_THRESHOLD, kMallocOwnPagesFrom);
    mallopt(M_TRIM_THRESHOLD, kMallocKeptAtop);
    mallopt(M_TOP_PAD, kMallocGrowthPad);
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int runPlayer(const EditionProfile& profile, int argc, char** argv) {
    limitKeptFreeMemory();
    preferXWayland();
    // The engine moves its picture into a window of its own for the entire screen; sharing
    // contexts lets the picture move without reopening the video. Without a graphics processor
    // the picture is drawn in software and no context is wanted at all.
    if (engine::graphicsProcessorPresent()) {
        QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    }
    QApplication app(argc, argv);
    rememberArguments(argc, argv);
    QApplication::setApplicationName(fromUtf8(profile.version.programName));
    QApplication::setApplicationVersion(fromUtf8(profile.version.versionText));
    QApplication::setQuitOnLastWindowClosed(false);  // the core decides when the program ends

    // Looking for a running player and listing this one are one step under the start lock, so
    // that of players started at the same moment each later one finds and replaces an earlier
    // one. The answer is kept for the whole run.
    std::optional<PlayerDirectory::StartLock> startLock(std::in_place, kStartLockWait);
    const bool previousInstance = anotherPlayerRunning();

    engine::MpvMediaEngine engine(profile.controlBar, nullptr);
    QtMainWindow window(profile, engine.widget());
    std::unique_ptr<LazyUrlDialog> urlDialog;
    if (profile.window.hasUrlDialog) {
        urlDialog = std::make_unique<LazyUrlDialog>();
    }
    LocatedSettingsFile settings;
    QtOpenFileDialog openFileDialog(&window);

    bool ending = false;
    const auto end = [&ending] {
        if (!ending) {
            ending = true;
            QCoreApplication::exit(0);
        }
    };
    QtPlatformServices services(previousInstance, end);

    NWMP core(profile,
              PlayerPorts{
                  .engine = engine,
                  .settings = settings,
                  .window = window,
                  .platform = services,
                  .urlWindow = urlDialog.get(),
                  .openFileDialog = profile.features.openFileDialog ? &openFileDialog : nullptr,
              });
    engine.setEventSink(&core);
    window.setCore(&core);
    window.setOnClosed(end);
    if (urlDialog) {
        urlDialog->setCore(core.Url());
        urlDialog->setOnActivated([&window] { window.noteUrlDialogActive(); });
    }

    PlayerDirectory directory({
        .startTitle = fromUtf8(profile.applicationTitle),
        .applicationTitle = [&window] { return fromUtf8(window.applicationTitle()); },
        .caption = [&window] { return fromUtf8(window.Caption()); },
        // A close request from another player's hand-off closes this one as its user would.
        .onCloseRequest = [&window] { window.close(); },
        .onEnded = end,
    });
    window.setOnActivated([&directory] { directory.noteActivated(); });
    // The end of the session, by a signal or by the session's own request to quit, closes the
    // player as its user would, so that what a close saves is saved then too.
    SessionEndSignals sessionEnd([&window] { window.close(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] { window.close(); });

    core.Form_Load();
    window.show();
    directory.registerSelf();
    // Held until the player this one replaces is gone too, so that starts at the same moment
    // take turns, each after the hand-off of the one before has ended.
    services.afterRunningPlayerClosed([&startLock] { startLock.reset(); });
    const int status = QApplication::exec();
    engine.setEventSink(nullptr);
    return status;
}

}  // namespace nwmp::linux_platform
