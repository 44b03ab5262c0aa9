// The URL dialog on Qt under a real X display: its make-up, its place below the main window, and
// Enter or Play handing the typed text to the engine.

#include "player/url_dialog.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "expected_pixels.hpp"
#include "player/editions/editions.hpp"
#include "window_rig.hpp"

namespace nwmp::linux_platform::testing {
namespace {

constexpr std::int16_t kKeyU = 'U';

TEST(UrlDialog, IsMadeUpAsDesigned) {
    QtUrlDialog dialog;
    EXPECT_TRUE(dialog.windowTitle().isEmpty());
    // A tool window has no taskbar entry.
    EXPECT_EQ(dialog.windowType(), Qt::Tool);
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.parentWidget(), nullptr);
    EXPECT_EQ(dialog.height(), expectedPixelsY(255));
    EXPECT_EQ(dialog.width(), expectedPixelsX(4455));

    dialog.show();  // the prompt goes into the text box (and loads its font) only then
    EXPECT_EQ(dialog.text1()->text(), QStringLiteral("ここにURLを入力してください。"));
    EXPECT_EQ(dialog.command1()->text(), QStringLiteral("Play"));
    EXPECT_EQ(dialog.command1()->toolTip(), QStringLiteral("URLを再生"));
    EXPECT_GE(dialog.command1()->x(), dialog.text1()->geometry().right());
}

class UrlDialogOfPlayer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(rig.start());
        ASSERT_NE(rig.urlDialog, nullptr);
    }
    QtUrlDialog& dialog() { return rig.urlDialog->dialog(); }
    void showByKey() {
        EXPECT_EQ(rig.press(kKeyU), 0);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog(), 5000));
    }

    WindowRig rig{editions::kStandard};
};

TEST_F(UrlDialogOfPlayer, TabGoesFromCommand1ToText1AndRoundAgain) {
    showByKey();
    dialog().activateWindow();
    ASSERT_TRUE(waitFor([&] { return dialog().isActiveWindow(); }));
    dialog().command1()->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(waitFor([&] { return dialog().command1()->hasFocus(); }));
    QTest::keyClick(&dialog(), Qt::Key_Tab);
    EXPECT_TRUE(waitFor([&] { return dialog().text1()->hasFocus(); }))
        << "focus on "
        << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className()
                                        : "nothing");
    QTest::keyClick(dialog().text1(), Qt::Key_Tab);
    EXPECT_TRUE(waitFor([&] { return dialog().command1()->hasFocus(); }));
}

TEST_F(UrlDialogOfPlayer, StaysHiddenAtStartAndKeyUShowsItBelowTheMainWindow) {
    EXPECT_FALSE(rig.urlDialog->Visible());
    rig.urlDialog->SetText1Text("/media/before.avi");  // kept until the dialog is made
    showByKey();
    EXPECT_EQ(dialog().text1()->text(), QStringLiteral("/media/before.avi"));
    const QRect main = rig.window->frameGeometry();
    EXPECT_TRUE(waitFor([&] {
        const QRect placed = dialog().frameGeometry();
        return placed.topLeft() == QPoint(main.left(), main.bottom() + 1) &&
               placed.width() == main.width();
    })) << "dialog at "
        << dialog().frameGeometry().x() << "," << dialog().frameGeometry().y() << " width "
        << dialog().frameGeometry().width();
    // The text box ends and the button starts 700 twips before the dialog's right edge.
    const int textWidth = expectedPixelsX(twipsOfPixelsX(main.width()) - 700);
    EXPECT_EQ(dialog().command1()->x(), textWidth);
    EXPECT_EQ(dialog().text1()->width(), textWidth);

    EXPECT_EQ(rig.press(kKeyU), 0);
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(UrlDialogOfPlayer, EnterInText1HandsTheTypedTextToTheEngineAndHidesTheDialog) {
    showByKey();
    QLineEdit* text1 = dialog().text1();
    // The focus coming to the text box clears the prompt.
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(text1, &focusIn);
    EXPECT_TRUE(text1->text().isEmpty());

    QTest::keyClicks(text1, QStringLiteral("http://example.com/"));
    text1->insert(QStringLiteral("曲 1.mp3 "));
    QSignalSpy textBoxEnter(text1, &QLineEdit::returnPressed);
    QTest::keyClick(text1, Qt::Key_Return);
    EXPECT_EQ(rig.engine.fileName, "http://example.com/曲 1.mp3 ");
    EXPECT_EQ(textBoxEnter.count(), 0) << "the handled Enter reached the text box as well";
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(UrlDialogOfPlayer, EnterOnTheKeypadPlaysAndOtherKeysStayInTheTextBox) {
    showByKey();
    QLineEdit* text1 = dialog().text1();
    text1->clear();
    QTest::keyClicks(text1, QStringLiteral("/media/a.mp3"));
    QTest::keyClick(text1, Qt::Key_Backspace);
    EXPECT_EQ(text1->text(), QStringLiteral("/media/a.mp"));
    EXPECT_TRUE(rig.engine.fileName.empty());
    QTest::keyClick(text1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(rig.engine.fileName, "/media/a.mp");
}

TEST_F(UrlDialogOfPlayer, PlayButtonHandsTheTextOverAsTyped) {
    showByKey();
    dialog().text1()->setText(QStringLiteral("  rtsp://host/stream  "));
    QTest::mouseClick(dialog().command1(), Qt::LeftButton);
    EXPECT_EQ(rig.engine.fileName, "  rtsp://host/stream  ");
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(UrlDialogOfPlayer, FocusOnText1RefillsItWithTheLoadedMediaShownReadably) {
    const std::string codePage932 = "/media/now \203e\203X\203g.avi";
    rig.engine.fileName = codePage932;
    showByKey();
    dialog().text1()->setText(QStringLiteral("typed"));
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(dialog().text1(), &focusIn);
    EXPECT_EQ(dialog().text1()->text(), QStringLiteral("/media/now テスト.avi"));
    // Played again as it stands, the name is the file's own bytes.
    rig.engine.fileName.clear();
    QTest::mouseClick(dialog().command1(), Qt::LeftButton);
    EXPECT_EQ(rig.engine.fileName, codePage932);
}

TEST_F(UrlDialogOfPlayer, ClosingThePlayerUnloadsTheDialog) {
    showByKey();
    rig.window->close();
    EXPECT_FALSE(dialog().isVisible());
    // An unloaded dialog reaches the core no more.
    dialog().text1()->setText(QStringLiteral("/media/late.mp3"));
    QTest::keyClick(dialog().text1(), Qt::Key_Return);
    EXPECT_TRUE(rig.engine.fileName.empty());
}

}  // namespace
}  // namespace nwmp::linux_platform::testing
