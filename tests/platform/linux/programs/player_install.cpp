#include "player_install.hpp"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QThread>

#include "tests/common/file_text.hpp"
#include "x_window_state.hpp"

namespace nwmp::linux_platform::testing {

namespace {

constexpr int kPollMs = 50;

}  // namespace

QString media(const std::string& name) {
    return QFileInfo(QStringLiteral(NWMP_TEST_MEDIA "/") + QString::fromStdString(name))
        .canonicalFilePath();
}

QString windowTitle(const QString& window) {
    return xdotool({QStringLiteral("getwindowname"), window});
}

std::optional<QRect> windowGeometry(const QString& window) {
    const QString shell =
        xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    int x = -1, y = -1, width = -1, height = -1;
    for (const QString& line : shell.split(QLatin1Char('\n'))) {
        const QString name = line.section(QLatin1Char('='), 0, 0);
        const int value = line.section(QLatin1Char('='), 1).toInt();
        if (name == QStringLiteral("X")) {
            x = value;
        } else if (name == QStringLiteral("Y")) {
            y = value;
        } else if (name == QStringLiteral("WIDTH")) {
            width = value;
        } else if (name == QStringLiteral("HEIGHT")) {
            height = value;
        }
    }
    if (width < 0 || height < 0) {
        return std::nullopt;
    }
    return QRect(x, y, width, height);
}

UserFolders::UserFolders() {
    QDir().mkpath(runtime());
    QFile::setPermissions(runtime(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QDir().mkpath(home());
}

PlayerInstall::PlayerInstall(const QString& program, const std::string& settingsText,
                             std::shared_ptr<UserFolders> folders)
    : folders_(std::move(folders)) {
    program_ = folder_.path() + QLatin1Char('/') + QFileInfo(program).fileName();
    QFile::copy(program, program_);
    QFile::setPermissions(program_, QFile::permissions(program) | QFileDevice::ExeOwner);
    nwmp::testing::writeAll(settingsFile(), settingsText);
}

PlayerInstall::~PlayerInstall() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void PlayerInstall::start(const QStringList& arguments) {
    launch(program_, arguments);
}

void PlayerInstall::startWithBytes(const std::string& argument) {
    // QProcess passes arguments as UTF-8; a shell's printf passes any byte.
    QString escaped;
    for (const char c : argument) {
        escaped += QString::asprintf("\\0%03o", static_cast<unsigned char>(c));
    }
    launch(QStringLiteral("/bin/sh"),
           {QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$(printf '%b' \"$1\")\""), program_,
            escaped});
}

void PlayerInstall::launch(const QString& program, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folders_->runtime());
    environment.insert(QStringLiteral("HOME"), folders_->home());
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"}) {
        environment.remove(QString::fromLatin1(name));
    }
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));
    // Mesa and libmpv keep allocations until the process ends; leaks there say nothing here.
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    for (const auto& [name, value] : environment_) {
        if (value) {
            environment.insert(name, *value);
        } else {
            environment.remove(name);
        }
    }
    process_.setProcessEnvironment(environment);
    process_.setWorkingDirectory(folder_.path());
    process_.start(program, arguments);
    process_.waitForStarted(5000);
    pid_ = process_.processId();
    window_.clear();
}

std::optional<QString> PlayerInstall::window(std::chrono::milliseconds timeout) {
    if (!window_.isEmpty()) {
        return window_;
    }
    QElapsedTimer timer;
    timer.start();
    do {
        const QString found =
            xdotool({QStringLiteral("search"), QStringLiteral("--all"),
                     QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                     QString::number(pid_), QStringLiteral("--name"), QStringLiteral(".*")});
        // The main window; a shown URL dialog has an empty title and is never the first, and the
        // engine's whole-screen window asks for the entire screen.
        for (const QString& id : found.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (windowGeometry(id).value_or(QRect()).height() > 100 &&
                !coversTheEntireScreen(id.toULong())) {
                window_ = id;
                return window_;
            }
        }
        QThread::msleep(kPollMs);
    } while (timer.elapsed() < timeout.count() && process_.state() != QProcess::NotRunning);
    return std::nullopt;
}

std::optional<QString> PlayerInstall::waitForTitle(const QRegularExpression& pattern,
                                                   std::chrono::milliseconds timeout) {
    QElapsedTimer timer;
    timer.start();
    const auto found = window(timeout);
    if (!found) {
        return std::nullopt;
    }
    do {
        const QString title = windowTitle(*found);
        if (!title.isEmpty() || lastTitle_.isEmpty()) {
            lastTitle_ = title;
        }
        if (pattern.match(title).hasMatch()) {
            return title;
        }
        QThread::msleep(kPollMs);
    } while (timer.elapsed() < timeout.count() && process_.state() != QProcess::NotRunning);
    return std::nullopt;
}

void PlayerInstall::press(const QString& key) {
    if (const auto found = window()) {
        pressKey(*found, key);
    }
}

bool PlayerInstall::waitForEnd(std::chrono::milliseconds timeout) {
    if (process_.state() == QProcess::NotRunning) {
        return true;
    }
    return process_.waitForFinished(static_cast<int>(timeout.count()));
}

bool PlayerInstall::endedNormally() const {
    return process_.state() == QProcess::NotRunning &&
           process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

QString PlayerInstall::settingsText() const {
    return QString::fromStdString(settingsBytes());
}

std::string PlayerInstall::settingsBytes() const {
    return nwmp::testing::readAll(settingsFile());
}

std::optional<std::string> PlayerInstall::stored(const std::string& section,
                                                 const std::string& key) const {
    const QString wantedSection = QStringLiteral("[%1]").arg(QString::fromStdString(section));
    bool inSection = false;
    // One character a byte: a stored path need not be UTF-8.
    for (QString line : QString::fromLatin1(settingsBytes()).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line.compare(wantedSection, Qt::CaseInsensitive) == 0;
        } else if (inSection &&
                   line.section(QLatin1Char('='), 0, 0)
                           .trimmed()
                           .compare(QString::fromStdString(key), Qt::CaseInsensitive) == 0) {
            return line.section(QLatin1Char('='), 1).trimmed().toLatin1().toStdString();
        }
    }
    return std::nullopt;
}

QString PlayerInstall::errorOutput() {
    QString text = QString::fromUtf8(process_.readAllStandardError());
    // Sound libraries that find no sound server say so at length; keep the rest.
    QStringList kept;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QStringLiteral("ALSA lib")) &&
            !line.contains(QStringLiteral("pw.conf"))) {
            kept.push_back(line);
        }
    }
    return kept.join(QLatin1Char('\n'));
}

}  // namespace nwmp::linux_platform::testing
