// The settings tool's window on a real display: what it shows, where, in which tab order, and
// which user actions it reports.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "common/screen_modes.hpp"
#include "expected_pixels.hpp"
#include "platform/linux/settings_tool/qt_settings_window.hpp"
#include "wait_for.hpp"

namespace nwmp::linux_platform {
namespace {

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

using testing::expectedPixels;

class SettingsWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window.setEvents({
            [this](std::size_t index) {
                checkClicks.push_back(index);
                checkedWhenReported.push_back(window.isCheckChecked(index));
            },
            [this] { comboChanges.push_back(window.comboText()); },
            [this](int number) { commands.push_back(number); },
        });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <typename Widget>
    Widget* control(const char* name) {
        auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QComboBox* combo() { return control<QComboBox>("Combo1"); }

    // Text as an input method hands it over, the way Japanese text is typed.
    static void commitText(QWidget* target, const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(target, &event);
    }

    QtSettingsWindow window;
    std::vector<std::size_t> checkClicks;
    std::vector<bool> checkedWhenReported;
    std::vector<std::string> comboChanges;
    std::vector<int> commands;
};

TEST_F(SettingsWindowTest, FrameTitleIconAndPlaceFollowTheDesign) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Norvalent WMP 3 TE 設定ツール"));
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_FALSE(window.windowIcon().pixmap(32, 32).isNull());

    // 4665 x 4965 twips at 3645, 2910: the client area, not centred, and not resizable.
    const QRect client = expectedPixels(TwipRect{3645, 2910, 4665, 4965});
    EXPECT_EQ(window.geometry(), client);
    EXPECT_EQ(window.minimumSize(), client.size());
    EXPECT_EQ(window.maximumSize(), client.size());
}

TEST_F(SettingsWindowTest, OptionBoxesShowCaptionTooltipAndPlace) {
    for (std::size_t i = 0; i < kOptionBoxCount; ++i) {
        SCOPED_TRACE(i);
        const OptionBox& layout = kOptionBoxes[i];
        auto* box = control<QCheckBox>(("Check" + std::to_string(i)).c_str());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), q(layout.caption));
        EXPECT_EQ(box->toolTip(), q(layout.tooltip));
        EXPECT_EQ(box->geometry(), expectedPixels(layout.position));
        EXPECT_FALSE(box->isChecked());
    }
}

TEST_F(SettingsWindowTest, AssociationBoxesStandByListIndexNotByPlace) {
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        SCOPED_TRACE(i);
        const AssociationSlot& layout = kAssociationSlots[i];
        auto* box = control<QCheckBox>(("kanren1_" + std::to_string(i)).c_str());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), q(layout.caption));
        EXPECT_EQ(box->toolTip(), q(layout.tooltip));
        EXPECT_EQ(box->geometry(), expectedPixels(layout.position));
        EXPECT_FALSE(box->isChecked());
    }
    // "asx" is list index 10 but stands third in the first row.
    auto* asx = control<QCheckBox>("kanren1_10");
    EXPECT_EQ(asx->text(), QStringLiteral("asx"));
    EXPECT_EQ(asx->geometry(), expectedPixels(TwipRect{1560, 3900, 615, 255}));
}

TEST_F(SettingsWindowTest, OtherControlsShowTextTooltipAndPlace) {
    for (const ControlLayout& layout : kOtherControls) {
        SCOPED_TRACE(std::string(layout.name));
        auto* widget = control<QWidget>(std::string(layout.name).c_str());
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->toolTip(), q(layout.tooltip));
        EXPECT_EQ(widget->geometry(), expectedPixels(layout.position));
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text(), q(layout.caption));
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text(), q(layout.caption));
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_TRUE(edit->text().isEmpty());
        } else {
            ASSERT_NE(qobject_cast<QComboBox*>(widget), nullptr);
        }
    }
    EXPECT_EQ(control<QPushButton>("Command1")->text(), QStringLiteral("設定"));
    EXPECT_EQ(control<QPushButton>("Command2")->text(), QStringLiteral("閉じる"));
    EXPECT_EQ(control<QPushButton>("Command5")->text(), QStringLiteral("..."));
    EXPECT_EQ(control<QLineEdit>("Text2")->toolTip(), control<QCheckBox>("kanren1_11")->toolTip());
}

TEST_F(SettingsWindowTest, TabKeyVisitsControlsInDesignOrder) {
    const QStringList expected = {
        "Check0",    "Check1",    "Check2",     "Check3",    "Combo1",     "Text1",     "Command5",
        "kanren1_0", "kanren1_1", "kanren1_10", "kanren1_3", "kanren1_2",  "kanren1_4", "kanren1_5",
        "kanren1_6", "kanren1_7", "kanren1_8",  "kanren1_9", "kanren1_11", "Text2",     "Command1",
        "Command3",  "Command4",  "Command2",   "Check4",    "Check5",     "Check6",    "Check7",
    };
    // The focus chain as the Tab key follows it, from the first box, once round.
    QStringList visited;
    QWidget* first = control<QWidget>("Check0");
    QWidget* widget = first;
    do {
        QWidget* named = widget;
        while (named != nullptr && named != &window && named->objectName().isEmpty()) {
            named = named->parentWidget();  // the combo's own line edit stands for the combo
        }
        if (named != nullptr && (widget->focusPolicy() & Qt::TabFocus) && widget->isVisible() &&
            (visited.isEmpty() || visited.back() != named->objectName())) {
            visited << named->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != first && visited.size() <= expected.size());
    EXPECT_EQ(visited, expected);
}

TEST_F(SettingsWindowTest, ComboIsEditableWithTheEightModesAndStartsAtFitToScreen) {
    QComboBox* box = combo();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isEditable());
    ASSERT_EQ(box->count(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(box->itemText(i), q(kScreenModes[static_cast<std::size_t>(i)].text));
    }
    EXPECT_EQ(window.comboText(), "画面にフィット(標準)");

    // Typed text is never added to the list, nor completed from it.
    box->lineEdit()->setFocus();
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), "abc");
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box->count(), 8);
    EXPECT_EQ(window.comboText(), "abc");
}

TEST_F(SettingsWindowTest, TypingIntoTheComboReportsEachChange) {
    QLineEdit* edit = combo()->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    commitText(edit, QStringLiteral("フルスクリーン"));
    QTest::keyClick(edit, Qt::Key_Space);

    ASSERT_EQ(comboChanges.size(), 3U);
    EXPECT_EQ(comboChanges[0], "");
    // No completion from the list: the text is what was typed, nothing more.
    EXPECT_EQ(comboChanges[1], "フルスクリーン");
    EXPECT_EQ(comboChanges[2], "フルスクリーン ");
}

TEST_F(SettingsWindowTest, PickingFromTheListReportsNothing) {
    QComboBox* box = combo();
    // With the keyboard.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(window.comboText(), "動画サイズの半分");

    // With the mouse, in the opened list.
    box->showPopup();
    QAbstractItemView* list = box->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    const QRect item = list->visualRect(list->model()->index(7, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    // QTRY_ macros would report to QTestLib, which no one reads here.
    EXPECT_TRUE(testing::waitFor([&] { return !list->window()->isVisible(); }));
    EXPECT_EQ(window.comboText(), "フルスクリーン");

    EXPECT_TRUE(comboChanges.empty());
}

TEST_F(SettingsWindowTest, SettingControlsFromCodeReportsNothing) {
    window.setComboText("フルスクリーン");
    window.setCheckChecked(4, true);
    window.setKanrenChecked(10, true);
    window.setText1("/opt/nwmp/NorvalentWMP3TE");
    window.setText2("ogg");

    // The widgets themselves show what was set.
    EXPECT_EQ(combo()->currentText(), QStringLiteral("フルスクリーン"));
    EXPECT_TRUE(control<QCheckBox>("Check4")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("kanren1_10")->isChecked());
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("/opt/nwmp/NorvalentWMP3TE"));
    EXPECT_EQ(control<QLineEdit>("Text2")->text(), QStringLiteral("ogg"));
    EXPECT_TRUE(checkClicks.empty());
    EXPECT_TRUE(comboChanges.empty());
}

TEST_F(SettingsWindowTest, UserChangesOfOptionBoxesAreReportedWithTheNewState) {
    // A click in the middle of the box's rectangle, well right of its short caption, counts.
    QTest::mouseClick(control<QCheckBox>("Check4"), Qt::LeftButton);
    control<QCheckBox>("Check6")->setFocus();
    QTest::keyClick(control<QCheckBox>("Check6"), Qt::Key_Space);
    QTest::mouseClick(control<QCheckBox>("Check4"), Qt::LeftButton);

    EXPECT_EQ(checkClicks, (std::vector<std::size_t>{4, 6, 4}));
    EXPECT_EQ(checkedWhenReported, (std::vector<bool>{true, true, false}));
}

TEST_F(SettingsWindowTest, AssociationBoxesAndTextBoxesReportNothing) {
    QTest::mouseClick(control<QCheckBox>("kanren1_4"), Qt::LeftButton);
    QTest::keyClicks(control<QLineEdit>("Text2"), "ogg");
    QTest::keyClicks(control<QLineEdit>("Text1"), "/x");

    EXPECT_TRUE(window.isKanrenChecked(4));
    EXPECT_EQ(window.text2(), "ogg");
    EXPECT_EQ(window.text1(), "/x");
    EXPECT_TRUE(checkClicks.empty());
    EXPECT_TRUE(comboChanges.empty());
    EXPECT_TRUE(commands.empty());
}

TEST_F(SettingsWindowTest, EachButtonReportsItsOwnNumber) {
    for (const char* name : {"Command1", "Command2", "Command3", "Command4", "Command5"}) {
        QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton);
    }
    EXPECT_EQ(commands, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(SettingsWindowTest, ClosingByTheTitleBarReportsNothing) {
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(commands.empty());
    EXPECT_TRUE(checkClicks.empty());
}

TEST_F(SettingsWindowTest, ClosingFromTheCoreTakesTheWindowAwayAndEndsTheTool) {
    int ends = 0;
    window.setOnClosed([&ends] { ++ends; });
    window.hideWindow();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ends, 0);
    window.closeWindow();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(reinterpret_cast<QWidget*>(window.windowId()), static_cast<QWidget*>(&window));
}

}  // namespace
}  // namespace nwmp::linux_platform
