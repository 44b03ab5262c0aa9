// The player's main window on Qt under a real X display, driven by the core over fakes: each
// edition's make-up, geometry in twips, stacking, window states, Timer1, Label1's click and the
// drops, and the shut-down a close request runs.

#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <memory>

#include "commands.hpp"
#include "expected_pixels.hpp"
#include "platform/linux/shared/file_name_bytes.hpp"
#include "platform/linux/shared/qt_units.hpp"
#include "player/editions/editions.hpp"
#include "player/fakes/every_edition.hpp"
#include "window_rig.hpp"

namespace nwmp::linux_platform::testing {
namespace {

using Member = nwmp::testing::FakeMediaEngine::Member;

using nwmp::testing::editionName;
using nwmp::testing::EveryEdition;

class WindowedEdition : public EveryEdition {};

TEST_P(EveryEdition, WindowIsMadeUpAsTheEditionIsDesigned) {
    WindowRig rig(edition());
    const QtMainWindow& window = *rig.window;
    const WindowMakeup& makeup = edition().window;

    EXPECT_EQ(window.windowTitle().toStdString(), makeup.caption);
    // A tool window has no taskbar entry; every other top-level window has one.
    EXPECT_EQ(window.windowType() != Qt::Tool, makeup.inTaskbar);
    const Qt::WindowFlags flags = window.windowFlags();
    switch (makeup.frame) {
        case FrameKind::Sizable:
            EXPECT_EQ(window.windowType(), Qt::Window);
            EXPECT_FALSE(flags.testFlag(Qt::FramelessWindowHint));
            break;
        case FrameKind::SizableToolWindow:
            EXPECT_EQ(window.windowType(), Qt::Tool);
            EXPECT_FALSE(flags.testFlag(Qt::FramelessWindowHint));
            EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
            EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
            break;
        case FrameKind::None:
            EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
            break;
    }
    EXPECT_EQ(window.geometry(), expectedPixels(makeup.client));
    EXPECT_EQ(window.acceptDrops(), makeup.acceptsDrops);
    EXPECT_EQ(window.label1() != nullptr, makeup.hasLabel1);
    EXPECT_EQ(rig.control->parentWidget(), &window);
    EXPECT_EQ(rig.control->pos(), QPoint(0, 0));
    if (window.label1() != nullptr) {
        EXPECT_EQ(window.label1()->acceptDrops(), makeup.acceptsDrops);
    }
}

TEST_P(WindowedEdition, StartsAtTheDesignPlaceWithTheDefaultSizeAndLabel1OverTheControl) {
    WindowRig rig(edition());
    ASSERT_TRUE(rig.start());
    QtMainWindow& window = *rig.window;
    const PixelSize size = *edition().defaultSize;
    const QRect design = expectedPixels(edition().window.client);

    ASSERT_TRUE(waitFor([&] {
        return window.frameGeometry().size() == QSize(size.width, size.height);
    })) << "outer size "
        << window.frameGeometry().width() << "x" << window.frameGeometry().height();
    EXPECT_EQ(window.frameGeometry().topLeft(), design.topLeft());
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.WindowState(), kWindowNormal);

    // Label1 covers the window less the frame allowances and the bottom 700 twips, where the
    // engine's control bar lies.
    const FrameAllowances allowances = *edition().allowances;
    ASSERT_NE(window.label1(), nullptr);
    EXPECT_EQ(window.label1()->geometry(),
              QRect(0, 0, expectedPixelsX(twipsOfPixelsX(size.width) - allowances.horizontal),
                    expectedPixelsY(twipsOfPixelsY(size.height) - allowances.vertical - 700)));
    EXPECT_TRUE(window.label1()->isVisible());
}

TEST_P(WindowedEdition, Label1FollowsTheControlWhenTheWindowIsResized) {
    WindowRig rig(edition());
    ASSERT_TRUE(rig.start());
    QtMainWindow& window = *rig.window;
    ASSERT_NE(window.label1(), nullptr);
    rig.engine.clearCalls();
    window.SetWidth(twipsOfPixelsX(640));
    window.SetHeight(twipsOfPixelsY(480));
    const FrameAllowances allowances = *edition().allowances;
    const QRect expected(0, 0, expectedPixelsX(twipsOfPixelsX(640) - allowances.horizontal),
                         expectedPixelsY(twipsOfPixelsY(480) - allowances.vertical - 700));
    EXPECT_TRUE(waitFor([&] {
        return window.frameGeometry().size() == QSize(640, 480) &&
               window.label1()->geometry() == expected;
    })) << "Label1 "
        << window.label1()->width() << "x" << window.label1()->height();

    // Label1 lies over the control, so clicks on the picture reach it, and takes no focus from
    // the control, which the resize hands the keyboard.
    EXPECT_EQ(window.childAt(window.label1()->geometry().center()), window.label1());
    EXPECT_EQ(window.label1()->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(rig.engine.callsOf(Member::SetFocus).empty());
}

TEST(DaskWindow, CoversTheScreenTopmostWithoutLabel1AndWithThePointerHidden) {
    WindowRig rig(editions::kDask);
    ASSERT_TRUE(rig.start());
    QtMainWindow& window = *rig.window;
    const QRect screen = primaryScreenPixels();
    ASSERT_TRUE(waitFor([&] { return window.frameGeometry() == screen; }))
        << "window at " << window.frameGeometry().x() << "," << window.frameGeometry().y() << " "
        << window.frameGeometry().width() << "x" << window.frameGeometry().height();
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.label1(), nullptr);
    EXPECT_EQ(rig.platform.pointerHides, 1);
}

TEST_P(WindowedEdition, GeometryInTwipsReadsBackAsSetBeforeAndAfterShowing) {
    WindowRig rig(edition());
    QtMainWindow& window = *rig.window;
    const double tx = twipsOfPixelsX(1);
    const double ty = twipsOfPixelsY(1);
    const auto setAndCheck = [&](int left, int top, int width, int height) {
        window.SetLeft(left * tx);
        window.SetTop(top * ty);
        window.SetWidth(width * tx);
        window.SetHeight(height * ty);
        EXPECT_TRUE(waitFor([&] {
            return window.frameGeometry() == QRect(left, top, width, height);
        })) << "at "
            << window.frameGeometry().x() << "," << window.frameGeometry().y();
        EXPECT_DOUBLE_EQ(window.Left(), left * tx);
        EXPECT_DOUBLE_EQ(window.Top(), top * ty);
        EXPECT_DOUBLE_EQ(window.Width(), width * tx);
        EXPECT_DOUBLE_EQ(window.Height(), height * ty);
    };
    setAndCheck(100, 120, 500, 400);  // hidden, as the start-up sequence sets it
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 5000));
    setAndCheck(40, 30, 640, 480);
}

// A window manager can name its frame after the window's last move or resize (openbox does
// under load): a place asked for from then on puts the frame there, not the inside.
TEST(LateFrame, APlaceAskedForOnceTheFrameIsNamedIsTheFramesPlace) {
    WindowRig rig(editions::kStandard);
    ASSERT_TRUE(rig.start());
    QtMainWindow& window = *rig.window;
    const QString id = QString::number(window.winId());
    const auto run = [](const char* program, const QStringList& arguments) {
        return runCommand(QString::fromLatin1(program), arguments).exitCode == 0;
    };
    const std::shared_ptr<void> noWindowManagerAfter(nullptr, [&](void*) {
        run("xprop", {"-root", "-remove", "_NET_SUPPORTED"});
    });
    ASSERT_TRUE(run("xprop", {"-root", "-f", "_NET_SUPPORTED", "32a", "-set", "_NET_SUPPORTED",
                              "_NET_FRAME_EXTENTS"}));
    ASSERT_TRUE(run("xprop", {"-id", id, "-f", "_NET_FRAME_EXTENTS", "32c", "-set",
                              "_NET_FRAME_EXTENTS", "1, 1, 20, 5"}));
    // Then its word that the window stays where it is: a configure without a move or resize.
    const QPoint inside = window.geometry().topLeft();
    ASSERT_TRUE(run("xdotool",
                    {"windowmove", id, QString::number(inside.x()), QString::number(inside.y())}));
    ASSERT_TRUE(waitFor([&] { return window.windowHandle()->frameMargins().top() == 20; }));

    window.SetLeft(twipsOfPixelsX(50));
    window.SetTop(twipsOfPixelsY(60));
    EXPECT_TRUE(waitFor([&] { return window.geometry().topLeft() == QPoint(51, 80); }))
        << "inside at " << window.geometry().x() << "," << window.geometry().y();
}

TEST_P(WindowedEdition, StackingGoesOnAndOffAndKeepsTheWindowShownWhereItWasPut) {
    WindowRig rig(edition());
    ASSERT_TRUE(rig.start());
    QtMainWindow& window = *rig.window;

    window.ApplyStacking(true, PixelRect{50, 60, 500, 400});
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(waitFor([&] { return window.frameGeometry() == QRect(50, 60, 500, 400); }));

    window.ApplyStacking(false, PixelRect{70, 80, 520, 420});
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(waitFor([&] { return window.frameGeometry() == QRect(70, 80, 520, 420); }));
    // The caption and Label1 survive the re-creation that a change of flags means.
    EXPECT_EQ(window.windowTitle().toStdString(), edition().window.caption);
    EXPECT_TRUE(window.label1()->isVisible());
}

TEST_P(WindowedEdition, AlwaysFrontOnMakesTheStartedWindowTopmost) {
    WindowRig rig(edition(), "[Norvalent WMP 3]\nAlwaysFront=1\n");
    ASSERT_TRUE(rig.start());
    EXPECT_TRUE(rig.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(rig.window->isVisible());
}

TEST_P(WindowedEdition, WindowStatesFollowTheKeys) {
    WindowRig rig(edition());
    ASSERT_TRUE(rig.start());
    QtMainWindow& window = *rig.window;

    rig.press('P');
    EXPECT_EQ(window.WindowState(), kWindowMaximised);
    EXPECT_TRUE(window.windowState().testFlag(Qt::WindowMaximized));
    rig.press('P');
    EXPECT_EQ(window.WindowState(), kWindowNormal);
    EXPECT_FALSE(window.windowState().testFlag(Qt::WindowMaximized));

    window.SetWindowState(kWindowMinimised);
    EXPECT_EQ(window.WindowState(), kWindowMinimised);
    window.SetWindowState(kWindowNormal);
    EXPECT_EQ(window.WindowState(), kWindowNormal);
    EXPECT_TRUE(window.isVisible());
}

TEST_P(WindowedEdition, Timer1TicksOncePlayingIsReportedAndShowsThePlayInformation) {
    WindowRig rig(edition());
    ASSERT_TRUE(rig.start());
    rig.engine.fileName = "/media/videos/clip.avi";
    rig.engine.clipTitle = "Title";
    rig.engine.clipAuthor = "Author";
    rig.engine.duration = 3725;
    rig.engine.position = 65.4;
    rig.engine.playState = kPlaying;
    rig.engine.raisePlayStateChange(kStopped, kPlaying);

    const std::string expected = edition().titleNameRule == TitleNameRule::ClipInfoThenFileName
                                     ? "Title/Author [01:05/62:05]"
                                     : "clip.avi [01:05/62:05]";
    EXPECT_TRUE(waitFor([&] { return rig.window->windowTitle().toStdString() == expected; }, 4s))
        << "caption: " << rig.window->windowTitle().toStdString();
    EXPECT_EQ(rig.window->Caption(), expected);
}

TEST_P(WindowedEdition, AClickOnLabel1TogglesBetweenPlayingAndHalted) {
    WindowRig rig(edition());
    ASSERT_TRUE(rig.start());
    QWidget* label = rig.window->label1();
    ASSERT_NE(label, nullptr);
    rig.engine.fileName = "/media/clip.avi";
    rig.engine.playState = kPlaying;

    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    EXPECT_EQ(rig.engine.callsOf(Member::Pause).size(), 1u);
    EXPECT_EQ(rig.engine.playState, kPaused);

    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    EXPECT_EQ(rig.engine.callsOf(Member::Play).size(), 1u);
    EXPECT_EQ(rig.engine.playState, kPlaying);

    // The right button is no click on the picture.
    QTest::mouseClick(label, Qt::RightButton, {}, label->rect().center());
    EXPECT_EQ(rig.engine.callsOf(Member::Pause).size(), 1u);
}

// Sends a drag-enter and then a drop of this data to the widget, as a drag from a file manager
// delivers them; returns whether the drag was accepted.
bool drop(QWidget* target, const QMimeData& data) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
    return true;
}

// A file manager's list of file URLs: each path's bytes, escaped, whatever their encoding.
std::unique_ptr<QMimeData> fileList(std::initializer_list<std::string> paths) {
    auto data = std::make_unique<QMimeData>();
    QByteArray list;
    for (const std::string& path : paths) {
        list += "file://" + QByteArray::fromStdString(path).toPercentEncoding("/") + "\r\n";
    }
    data->setData(QStringLiteral("text/uri-list"), list);
    return data;
}

TEST_P(WindowedEdition, FilesDroppedOnLabel1OrOnTheWindowAreHandedOverInOrder) {
    WindowRig rig(edition());
    ASSERT_TRUE(rig.start());
    QWidget* targets[] = {rig.window->label1(), rig.window.get()};
    for (QWidget* target : targets) {
        ASSERT_NE(target, nullptr);
        rig.engine.clearCalls();
        // UTF-8, code page 932, no encoding, a line break
        const std::initializer_list<std::string> paths = {
            "/media/曲 b.avi", "/media/\203e\203X\203g.mp3", "/media/\xff.wav", "/m/a\nb.mpg"};
        ASSERT_TRUE(drop(target, *fileList(paths))) << target->metaObject()->className();
        EXPECT_EQ(rig.engine.callsOf(Member::Stop).size(), paths.size());
        const auto names = rig.engine.callsOf(Member::SetFileName);
        ASSERT_EQ(names.size(), paths.size());
        for (std::size_t i = 0; i < paths.size(); ++i) {
            EXPECT_EQ(names[i].argument, std::data(paths)[i]);
        }
    }
}

// The file chooser answers with the names it showed, decoded; they lead back to the files.
TEST(ChosenPath, IsTheBytesOfTheFileThatWasShown) {
    QTemporaryDir root;
    const std::string folder = QFile::encodeName(root.path()).toStdString() + "/\203t\203H";
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    for (const std::string& path :
         {folder + "/曲.mp3", folder + "/\203e\203X.mp3", folder + "/\377"}) {
        std::ofstream(path).put('x');
        EXPECT_EQ(pathBytesOf(QFile::decodeName(path.c_str())), path);
    }
}

TEST_P(WindowedEdition, ADropWithoutLocalFilesIsRefusedAndChangesNothing) {
    WindowRig rig(edition());
    ASSERT_TRUE(rig.start());
    rig.engine.fileName = "/media/kept.mp3";
    QMimeData text;
    text.setText(QStringLiteral("/media/other.mp3"));
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("http://example.com/x.mp3"))});
    for (QWidget* target : {rig.window->label1(), static_cast<QWidget*>(rig.window.get())}) {
        EXPECT_FALSE(drop(target, text));
        EXPECT_FALSE(drop(target, web));
    }
    EXPECT_EQ(rig.engine.fileName, "/media/kept.mp3");
    EXPECT_TRUE(rig.engine.callsOf(Member::Stop).empty());
}

TEST_P(WindowedEdition, ACloseRequestRunsTheShutDownOnceAndStoresTheWindowAsShown) {
    WindowRig rig(edition(), "[Norvalent WMP 3]\nScreenInfoSave=1\nResumePlay=1\n");
    int closed = 0;
    rig.window->setOnClosed([&] { ++closed; });
    ASSERT_TRUE(rig.start());
    rig.window->SetLeft(twipsOfPixelsX(150));
    rig.window->SetTop(twipsOfPixelsY(90));
    ASSERT_TRUE(waitFor([&] { return rig.window->frameGeometry().topLeft() == QPoint(150, 90); }));
    rig.engine.fileName = "/media/clip.avi";
    rig.engine.position = 83.5;

    rig.window->close();
    rig.window->close();  // a second request does not run the shut-down again
    EXPECT_EQ(closed, 1);
    const QRect outer = rig.window->frameGeometry();
    EXPECT_EQ(rig.settings.value("Screen", "Height"), std::to_string(outer.height()));
    EXPECT_EQ(rig.settings.value("Screen", "Width"), std::to_string(outer.width()));
    EXPECT_EQ(rig.settings.value("Screen", "Left"),
              std::to_string(static_cast<int>(twipsOfPixelsX(150))));
    EXPECT_EQ(rig.settings.value("Screen", "Top"),
              std::to_string(static_cast<int>(twipsOfPixelsY(90))));
    EXPECT_EQ(rig.settings.value("ResumeInfo", "FilePath"), "/media/clip.avi");
    EXPECT_EQ(rig.settings.value("ResumeInfo", "Position"), "84");
    EXPECT_FALSE(rig.urlDialog->Visible());
}

NWMP_FOR_EVERY_EDITION(EveryEdition);
INSTANTIATE_TEST_SUITE_P(Editions, WindowedEdition,
                         ::testing::Values(&editions::kStandard, &editions::kKovex,
                                           &editions::kPemra),
                         editionName);

}  // namespace
}  // namespace nwmp::linux_platform::testing
