// The real players' window geometry on desktops of the test's own: an X display with and without
// a window manager (openbox) and a headless Wayland compositor (weston) with and without
// XWayland. What a user sees is the window's outer rectangle, frame included, and what the next
// run restores must be that rectangle again.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <iostream>

#include "platform/linux/player/player_directory.hpp"
#include "player_install.hpp"
#include "private_display.hpp"
#include "tests/platform/linux/support/wait_for.hpp"

namespace nwmp::linux_platform::testing {
namespace {

const QString kStandard = QStringLiteral(STANDARD_PROGRAM);
const QString kKovex = QStringLiteral(KOVEX_PROGRAM);
const QString kPemra = QStringLiteral(PEMRA_PROGRAM);

// A display of the test's own, with openbox on it when asked.
class Desktop {
  public:
    explicit Desktop(bool windowManager) {
        if (!windowManager) {
            ready_ = true;
            return;
        }
        manager_.setProcessChannelMode(QProcess::MergedChannels);
        manager_.start(QStringLiteral("openbox"), {});
        // A window manager is there once it names its check window on the root window.
        ready_ = waitFor(
            [] {
                return runCommand(
                           QStringLiteral("xprop"),
                           {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                    .output.contains(QStringLiteral("window id"));
            },
            10s);
        if (!ready_) {
            std::cerr << "openbox: " << manager_.readAll().toStdString() << "\n";
        }
    }
    ~Desktop() {
        if (manager_.state() != QProcess::NotRunning) {
            manager_.terminate();
            manager_.waitForFinished(5000);
        }
    }
    bool ready() const { return ready_; }

  private:
    nwmp::testing::PrivateDisplay display_;
    QProcess manager_;
    bool ready_ = false;
};

// The window's outer rectangle: its own, grown by the frame its window manager reports.
std::optional<QRect> outerGeometry(const QString& window) {
    const QString info =
        runCommand(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window}).output;
    const auto number = [&](const char* label) {
        const auto match =
            QRegularExpression(QString::fromLatin1(label) + QStringLiteral(":\\s+(-?\\d+)"))
                .match(info);
        return match.hasMatch() ? std::optional(match.captured(1).toInt()) : std::nullopt;
    };
    const auto x = number("Absolute upper-left X");
    const auto y = number("Absolute upper-left Y");
    const auto width = number("Width");
    const auto height = number("Height");
    if (!x || !y || !width || !height) {
        return std::nullopt;
    }
    int left = 0, right = 0, top = 0, bottom = 0;
    const auto extents =
        QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)"))
            .match(runCommand(QStringLiteral("xprop"),
                              {QStringLiteral("-id"), window, QStringLiteral("_NET_FRAME_EXTENTS")})
                       .output);
    if (extents.hasMatch()) {
        left = extents.captured(1).toInt();
        right = extents.captured(2).toInt();
        top = extents.captured(3).toInt();
        bottom = extents.captured(4).toInt();
    }
    return QRect(*x - left, *y - top, *width + left + right, *height + top + bottom);
}

// The visible window of the process, whatever its size and title.
std::optional<QString> anyWindowOf(qint64 pid) {
    std::optional<QString> window;
    waitFor(
        [&] {
            const QString found =
                xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--pid"), QString::number(pid)});
            if (!found.isEmpty()) {
                window = found.section(QLatin1Char('\n'), 0, 0);
            }
            return window.has_value();
        },
        15s);
    return window;
}

// Once the window shows this outer rectangle (or the wait ends), what it shows.
QRect settledAt(const QString& window, const QRect& expected) {
    QRect shown;
    waitFor(
        [&] {
            shown = outerGeometry(window).value_or(QRect());
            return shown == expected;
        },
        5s);
    return shown;
}

QRect storedRect(const PlayerInstall& player) {
    const auto number = [&](const char* key) {
        return std::stoi(player.stored("Screen", key).value_or("-99999"));
    };
    return {number("Left") / 15, number("Top") / 15, number("Width"), number("Height")};
}

std::string show(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
           "x" + std::to_string(r.height());
}

class OnADisplay : public ::testing::TestWithParam<bool> {
  protected:
    bool windowManager() const { return GetParam(); }
};

std::string displayName(const ::testing::TestParamInfo<bool>& info) {
    return info.param ? "UnderOpenbox" : "WithoutWindowManager";
}

// Without a window manager the same is checked among the programs' own cases.
TEST(UnderOpenbox, TheDefaultSizeIsTheOuterSize) {
    Desktop display(true);
    ASSERT_TRUE(display.ready());
    PlayerInstall player(kStandard, "");
    player.start({media("sample.mkv")});
    const auto window = anyWindowOf(player.pid());
    ASSERT_TRUE(window) << player.errorOutput().toStdString();
    const QRect shown = settledAt(*window, QRect(QPoint(4095 / 15, 3165 / 15), QSize(480, 409)));
    EXPECT_EQ(shown.size(), QSize(480, 409)) << show(shown);
    pressKey(*window, QStringLiteral("Escape"));
    EXPECT_TRUE(player.waitForEnd(10s));
}

TEST_P(OnADisplay, AStoredWindowComesBackAsItWasOverThreeRuns) {
    Desktop display(windowManager());
    ASSERT_TRUE(display.ready());
    const QRect stored(100, 200, 500, 400);
    PlayerInstall player(kPemra,
                         "[Norvalent WMP 3]\nScreenInfoSave=1\n[Screen]\nWidth=500\n"
                         "Height=400\nLeft=1500\nTop=3000\n");
    for (int run = 1; run <= 3; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        player.start({media("sample.mkv")});
        const auto window = anyWindowOf(player.pid());
        ASSERT_TRUE(window) << player.errorOutput().toStdString();
        const QRect shown = settledAt(*window, stored);
        std::cout << "run " << run << ": shown " << show(shown) << "\n";
        EXPECT_EQ(shown, stored) << show(shown);
        pressKey(*window, QStringLiteral("Escape"));
        ASSERT_TRUE(player.waitForEnd(10s));
        EXPECT_EQ(storedRect(player), stored) << player.settingsText().toStdString();
    }
}

// Hand-edited or stale stored geometry: the window fits the screen, its title bar can be
// reached, Esc ends it whatever its size, what is stored is what was shown, and the next run
// shows that again.
TEST_P(OnADisplay, BadStoredGeometryEndsOnTheScreenAndEscStillEndsThePlayer) {
    Desktop display(windowManager());
    ASSERT_TRUE(display.ready());
    const QPoint design(4095 / 15, 3165 / 15);
    struct Case {
        const QString* program;
        const char* screen;
        bool atDesignPlace;
    } const cases[] = {
        {&kPemra, "Width=-500\nHeight=-500\nLeft=1500\nTop=1500", false},
        {&kKovex, "Width=-500\nHeight=-500\nLeft=4095\nTop=3045", false},
        {&kPemra, "Width=0\nHeight=0\nLeft=1500\nTop=1500", false},
        {&kPemra, "Width=abc\nHeight=abc\nLeft=abc\nTop=abc", false},
        {&kPemra, "Width=99999999\nHeight=99999999\nLeft=0\nTop=0", false},
        {&kPemra, "Top=-2147483648\nLeft=-2147483648", true},
        {&kPemra, "Top=900000\nLeft=900000", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        PlayerInstall player(*c.program, std::string("[Norvalent WMP 3]\nScreenInfoSave=1\n"
                                                     "[Screen]\n") +
                                             c.screen + "\n");
        std::optional<QRect> first;
        for (int run = 1; run <= 2; ++run) {
            SCOPED_TRACE("run " + std::to_string(run));
            player.start({media("sample.mkv")});
            const auto window = anyWindowOf(player.pid());
            ASSERT_TRUE(window) << player.errorOutput().toStdString();
            // Playing for a second: long enough for a frame to come and the sizes to settle.
            ASSERT_TRUE(waitFor(
                [&] {
                    return windowTitle(*window).contains(
                        QRegularExpression(QStringLiteral("\\[00:0[1-9]/")));
                },
                15s));
            const QRect shown = outerGeometry(*window).value_or(QRect());
            if (first) {
                EXPECT_EQ(shown, *first) << show(shown);
            }
            // No larger than the screen and a maximised window's invisible borders, and on it.
            EXPECT_LE(shown.width(), 1280 + 20) << show(shown);
            EXPECT_LE(shown.height(), 1024 + 20) << show(shown);
            EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(shown.topLeft())) << show(shown);
            if (c.atDesignPlace) {
                EXPECT_EQ(shown.topLeft(), design) << show(shown);
            }
            pressKey(*window, QStringLiteral("Escape"));
            ASSERT_TRUE(player.waitForEnd(5s)) << "Esc did not end the player";
            EXPECT_EQ(storedRect(player), shown) << player.settingsText().toStdString();
            first = first.value_or(shown);
        }
    }
}

// The title bar shows the caption as set: KOVEX's is empty, and so is the entire-screen window's.
TEST_P(OnADisplay, EmptyTitlesStayEmpty) {
    Desktop display(windowManager());
    ASSERT_TRUE(display.ready());
    const auto names = [](const QString& window) {
        return runCommand(QStringLiteral("xprop"),
                          {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_NAME"),
                           QStringLiteral("WM_NAME")})
            .output;
    };
    const QRegularExpression bothEmpty(
        QStringLiteral("^_NET_WM_NAME\\(UTF8_STRING\\) = (\"\")?\\s*WM_NAME\\(STRING\\) = "
                       "(\"\")?\\s*$"));
    PlayerInstall kovex(kKovex, "[Norvalent WMP 3]\nNotPlayInfoDisplay=1\n");
    kovex.start({media("sample.mkv")});
    const auto window = anyWindowOf(kovex.pid());
    ASSERT_TRUE(window);
    QString seen;
    EXPECT_TRUE(waitFor([&] { return bothEmpty.match(seen = names(*window)).hasMatch(); }, 5s))
        << seen.toStdString();

    // S: the picture covers the entire screen in a window of its own.
    pressKey(*window, QStringLiteral("s"));
    std::optional<QString> whole;
    ASSERT_TRUE(waitFor(
        [&] {
            const QString found =
                xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                         QStringLiteral("--pid"), QString::number(kovex.pid())});
            for (const QString& id : found.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                if (id != *window) {
                    whole = id;
                }
            }
            return whole.has_value();
        },
        10s));
    EXPECT_TRUE(bothEmpty.match(seen = names(*whole)).hasMatch()) << seen.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Desktops, OnADisplay, ::testing::Bool(), displayName);

// weston's headless compositor in this runtime folder, with XWayland when asked.
class HeadlessWeston {
  public:
    static constexpr const char* kSocket = "wayland-nwmp";

    HeadlessWeston(const QString& runtime, bool xwayland) {
        const QString log = runtime + QStringLiteral("/weston.log");
        QStringList arguments = {QStringLiteral("--backend=headless-backend.so"),
                                 QStringLiteral("--socket=") + QString::fromLatin1(kSocket),
                                 QStringLiteral("--width=1280"),
                                 QStringLiteral("--height=1024"),
                                 QStringLiteral("--idle-time=0"),
                                 QStringLiteral("--no-config"),
                                 QStringLiteral("--log=") + log};
        if (xwayland) {
            arguments.push_back(QStringLiteral("--xwayland"));
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        process_.setProcessEnvironment(environment);
        process_.start(QStringLiteral("weston"), arguments);
        const QString socket = runtime + QLatin1Char('/') + QString::fromLatin1(kSocket);
        ready_ = waitFor(
            [&] {
                if (!QFileInfo::exists(socket)) {
                    return false;
                }
                if (!xwayland) {
                    return true;
                }
                QFile file(log);
                const auto match =
                    QRegularExpression(QStringLiteral("listening on display (:\\d+)"))
                        .match(QString::fromUtf8(file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                                : ""));
                xDisplay_ = match.captured(1);
                return match.hasMatch();
            },
            15s);
    }
    ~HeadlessWeston() {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    bool ready() const { return ready_; }
    QString xDisplay() const { return xDisplay_; }

  private:
    QProcess process_;
    QString xDisplay_;
    bool ready_ = false;
};

const char* const kStoredWindow =
    "[Norvalent WMP 3]\nScreenInfoSave=1\n[Screen]\nWidth=500\nHeight=400\nLeft=1500\nTop=3000\n";

void inWaylandSession(PlayerInstall& player) {
    player.setEnvironment(QStringLiteral("QT_QPA_PLATFORM"), std::nullopt);
    player.setEnvironment(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    player.setEnvironment(QStringLiteral("WAYLAND_DISPLAY"),
                          QString::fromLatin1(HeadlessWeston::kSocket));
}

// Closes the player once it has played for a second (shown and framed by then) through the
// directory of running players, which needs neither keys nor a display.
void closeWhenPlaying(PlayerInstall& player) {
    std::optional<PlayerEntry> playing;
    ASSERT_TRUE(waitFor(
        [&] {
            for (const PlayerEntry& entry : PlayerDirectory::runningPlayers(500ms)) {
                if (entry.caption.contains(QRegularExpression(QStringLiteral("\\[00:0[1-9]/")))) {
                    playing = entry;
                }
            }
            return playing.has_value();
        },
        15s))
        << player.errorOutput().toStdString();
    ASSERT_TRUE(PlayerDirectory::closeSynchronously(*playing, 10s));
    ASSERT_TRUE(player.waitForEnd(10s));
}

// In a Wayland session with XWayland the player is an X11 client: its window is on the X
// display, and its stored place and size come back the same at every run. (weston's own frames
// publish no extents, so the outer rectangle itself is measured under openbox above.)
TEST(WaylandSession, ThePlayerRunsThroughXWaylandAndComesBackAsItWas) {
    auto folders = std::make_shared<UserFolders>();
    HeadlessWeston weston(folders->runtime(), true);
    ASSERT_TRUE(weston.ready());
    const nwmp::testing::ScopedEnvironment environment(
        {{"DISPLAY", weston.xDisplay().toStdString()},
         {"XDG_RUNTIME_DIR", folders->runtime().toStdString()}});
    PlayerInstall player(kPemra, kStoredWindow, folders);
    inWaylandSession(player);
    player.setEnvironment(QStringLiteral("DISPLAY"), weston.xDisplay());
    for (int run = 1; run <= 3; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        player.start({media("sample.mkv")});
        const auto window = anyWindowOf(player.pid());
        ASSERT_TRUE(window) << "not on the X display\n" << player.errorOutput().toStdString();
        std::cout << "run " << run << ": client " << show(outerGeometry(*window).value_or(QRect()))
                  << "\n";
        closeWhenPlaying(player);
        EXPECT_EQ(storedRect(player), QRect(100, 200, 500, 400))
            << player.settingsText().toStdString();
    }
}

// Without an X server the player is a Wayland client: the compositor draws no frame but Qt
// does, so the stored size must not grow by it, and the place, which a Wayland client never
// learns, stays as it was stored.
TEST(WaylandSession, WithoutXWaylandSizesStayAndNoPlaceIsMadeUp) {
    auto folders = std::make_shared<UserFolders>();
    HeadlessWeston weston(folders->runtime(), false);
    ASSERT_TRUE(weston.ready());
    const nwmp::testing::ScopedEnvironment runtime(
        {{"XDG_RUNTIME_DIR", folders->runtime().toStdString()}});
    PlayerInstall player(kPemra, kStoredWindow, folders);
    inWaylandSession(player);
    player.setEnvironment(QStringLiteral("DISPLAY"), std::nullopt);
    for (int run = 1; run <= 3; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        player.start({media("sample.mkv")});
        closeWhenPlaying(player);
        std::cout << "run " << run << ": stored " << show(storedRect(player)) << "\n";
        EXPECT_EQ(storedRect(player), QRect(100, 200, 500, 400))
            << player.settingsText().toStdString();
    }
}

}  // namespace
}  // namespace nwmp::linux_platform::testing
