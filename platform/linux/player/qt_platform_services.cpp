#include "platform/linux/player/qt_platform_services.hpp"

#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <utility>

#include "platform/linux/shared/file_name_bytes.hpp"
#include "platform/linux/shared/qt_units.hpp"
#include "player/hand_off_search.hpp"

namespace nwmp::linux_platform {

namespace {

using namespace std::chrono_literals;

// How long one running player may take to say who it is.
constexpr auto kAskTimeout = 2000ms;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::string joinedArguments() {
    return rememberedArguments();
}

bool anotherPlayerRunning() {
    std::vector<RunningPlayer> players;
    // Whether anyone listens is enough; asking a player that is busy playing would wait for it.
    for (const qint64 pid : PlayerDirectory::listeningPlayers(kAskTimeout)) {
        players.push_back({pid, {}, {}});
    }
    return anotherPlayerRuns(players, QCoreApplication::applicationPid());
}

QtPlatformServices::QtPlatformServices(bool previousInstance, std::function<void()> endProgram)
    : previousInstance_(previousInstance),
      endProgram_(std::move(endProgram)),
      screenSaver_(QCoreApplication::applicationName()) {}

std::string QtPlatformServices::CommandLineText() const {
    return joinedArguments();
}

std::string QtPlatformServices::Unquote(std::string_view text) const {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        return std::string(text.substr(1, text.size() - 2));
    }
    return std::string(text);
}

std::optional<std::string> QtPlatformServices::LongPathName(std::string_view path) const {
    if (path.empty()) {
        return std::nullopt;
    }
    // The bytes themselves: a name in another encoding than UTF-8 must name the same file.
    const std::string name(path);
    const std::unique_ptr<char, decltype(&std::free)> canonical(::realpath(name.c_str(), nullptr),
                                                                &std::free);
    if (!canonical) {
        return std::nullopt;  // nothing by that name exists
    }
    return std::string(canonical.get());
}

PlatformVersion QtPlatformServices::Version() const {
    // Linux window frames have the modern title-bar height; this version counts as such.
    return {6, 2};
}

bool QtPlatformServices::CloseRunningPlayer(std::string_view title,
                                            std::chrono::milliseconds wait) {
    AwaitClosedPlayer();
    closing_ =
        std::make_unique<PlayerDirectory::PendingClose>(fromUtf8(title), kAskTimeout, wait, [this] {
            for (const auto& then : std::exchange(afterClose_, {})) {
                then();
            }
        });
    // Whether one is found is known only once it answers; until then one may be closing.
    return !closing_->done() || closing_->closed();
}

void QtPlatformServices::AwaitClosedPlayer() {
    if (closing_) {
        closing_->wait();
    }
}

void QtPlatformServices::afterRunningPlayerClosed(std::function<void()> then) {
    if (closing_ && !closing_->done()) {
        afterClose_.push_back(std::move(then));
    } else {
        then();
    }
}

void QtPlatformServices::StartProgram(std::string_view programName) {
    const QString name = fromUtf8(programName);
    // The player's own folder first, where the settings tool is installed beside it.
    QString program = QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
    if (!QFileInfo(program).isExecutable()) {
        program = QStandardPaths::findExecutable(name);
    }
    if (program.isEmpty() || !QProcess::startDetached(program, {})) {
        throw std::runtime_error("program could not be started");
    }
}

void QtPlatformServices::ShowPointer(bool show) {
    if (!show) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
        ++hiddenPointers_;
    } else if (hiddenPointers_ > 0) {
        QGuiApplication::restoreOverrideCursor();
        --hiddenPointers_;
    }
}

double QtPlatformServices::ScreenWidthTwips() const {
    return primaryScreenPixels().width() * twipsPerPixelX();
}

double QtPlatformServices::ScreenHeightTwips() const {
    return primaryScreenPixels().height() * twipsPerPixelY();
}

double QtPlatformServices::TwipsPerPixelX() const {
    return twipsPerPixelX();
}

double QtPlatformServices::TwipsPerPixelY() const {
    return twipsPerPixelY();
}

}  // namespace nwmp::linux_platform
