// The real window wired to the real NWMPset over in-memory ports, and the Qt message boxes: the
// user's actions in the window reach the right handlers and the boxes look as they must.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "fakes/memory_settings_file.hpp"
#include "platform/linux/settings_tool/qt_message_boxes.hpp"
#include "platform/linux/settings_tool/qt_settings_window.hpp"
#include "platform/linux/settings_tool/settings_tool_events.hpp"
#include "settings_tool/fakes/fake_tool_services.hpp"
#include "settings_tool/nwmpset.hpp"

namespace nwmp::linux_platform {
namespace {

using testing::FakeFileAssociation;
using testing::FakeMessageBoxes;
using testing::FakeOpenFileDialog;
using testing::FakeToolFolder;
using testing::FakeToolProcess;

class WiredWindowTest : public ::testing::Test {
  protected:
    void open(const std::string& fileText) {
        settings.content = fileText;
        core.Form_Load();
        window.setEvents(eventsOf(core));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <typename Widget>
    Widget* control(const char* name) {
        return window.findChild<Widget*>(QString::fromLatin1(name));
    }

    void click(const char* name) { QTest::mouseClick(control<QWidget>(name), Qt::LeftButton); }

    std::optional<std::string> stored(std::string_view section, std::string_view key) const {
        return settings.value(section, key);
    }

    QtSettingsWindow window;
    testing::Journal journal;
    FakeMessageBoxes messages{journal};
    FakeToolProcess process{journal};
    FakeToolFolder folder;
    testing::MemorySettingsFile settings;
    FakeFileAssociation association;
    FakeOpenFileDialog dialog = [] {
        FakeOpenFileDialog answering;
        answering.answer = "/opt/other/player";
        return answering;
    }();
    NWMPset core{{window, messages, process, folder, settings, association, dialog}};
};

TEST_F(WiredWindowTest, OpeningShowsTheStoredSwitchesModeAndTicks) {
    open(
        "[Norvalent WMP 3]\nOriginalFit=1\nNotMultiStart=2\nScreenMode=200\n"
        "[KeepConnect]\n.mp3=1\n");
    EXPECT_TRUE(control<QCheckBox>("Check1")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("Check4")->isChecked());
    EXPECT_EQ(control<QComboBox>("Combo1")->currentText(), QStringLiteral("動画サイズの２倍"));
    EXPECT_TRUE(control<QCheckBox>("kanren1_4")->isChecked());
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("/opt/nwmp/NorvalentWMP3TE"));
}

TEST_F(WiredWindowTest, TypingFullScreenUnchecksAlwaysOnTopButPickingItDoesNot) {
    open("");
    click("Check0");
    QComboBox* combo = control<QComboBox>("Combo1");
    combo->setCurrentIndex(7);  // as a pick from the list sets it
    EXPECT_TRUE(control<QCheckBox>("Check0")->isChecked());
    EXPECT_TRUE(messages.texts().empty());

    combo->lineEdit()->selectAll();
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("フルスクリーン"));
    QApplication::sendEvent(combo->lineEdit(), &typed);
    EXPECT_FALSE(control<QCheckBox>("Check0")->isChecked());
    EXPECT_EQ(
        messages.texts(),
        std::vector<std::string>{"フルスクリーンにするときは常に手前はチェックしないでください。"});
}

TEST_F(WiredWindowTest, CheckingMultiStartByHandChecksTheTitleInfoBoxToo) {
    open("");
    click("Check4");
    EXPECT_TRUE(control<QCheckBox>("Check5")->isChecked());
    EXPECT_EQ(messages.texts().size(), 1U);
}

TEST_F(WiredWindowTest, ApplyWritesTheBoxesAndModeAndCloses) {
    open("[Norvalent WMP 3]\nScreenMode=150\n");
    click("Check2");
    click("Command1");
    EXPECT_EQ(stored("Norvalent WMP 3", "ScreenSaverOFF"), "1");
    EXPECT_EQ(stored("Norvalent WMP 3", "AlwaysFront"), "0");
    EXPECT_EQ(stored("Norvalent WMP 3", "ScreenMode"), "0");
    EXPECT_FALSE(window.isVisible());
}

TEST_F(WiredWindowTest, CloseButtonWritesNothing) {
    open("[Norvalent WMP 3]\nAlwaysFront=1\n");
    click("Check3");
    click("Command2");
    EXPECT_TRUE(settings.writes.empty());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(WiredWindowTest, AssociationButtonsActOnTheTickedSlots) {
    open("");
    click("kanren1_4");
    click("Command3");
    ASSERT_EQ(association.registered.size(), 1U);
    EXPECT_EQ(association.registered[0].extension, "mp3");
    EXPECT_EQ(stored("KeepConnect", ".mp3"), "1");
    click("Command4");
    EXPECT_EQ(association.removed, std::vector<std::string>{"mp3"});
    EXPECT_EQ(stored("KeepConnect", ".mp3"), "0");
}

TEST_F(WiredWindowTest, ChoosingTheProgramAsksTheDialogOwnedByTheWindow) {
    open("");
    click("Command5");
    ASSERT_EQ(dialog.owners.size(), 1U);
    EXPECT_EQ(reinterpret_cast<QWidget*>(dialog.owners[0]), static_cast<QWidget*>(&window));
    EXPECT_EQ(control<QLineEdit>("Text1")->text(), QStringLiteral("/opt/other/player"));
}

// The box that is up while show() waits: its looks are read, then its OK button is pressed.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool modal = false;
    int buttons = 0;
};

SeenBox showAndDismiss(MessageBoxes& boxes, MessageIcon icon) {
    SeenBox seen;
    bool found = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        poll.stop();
        found = true;
        seen = {box->windowTitle(), box->text(), box->icon(), box->isModal(),
                static_cast<int>(box->buttons().size())};
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            QTest::mouseClick(ok, Qt::LeftButton);
        }
    });
    poll.start(20);
    // Should the box never appear, the test fails here rather than hanging.
    QTimer::singleShot(10000, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->reject();
        }
    });
    boxes.show("Norvalent WMP 3 設定ツール", "既に起動されています。", icon);
    EXPECT_TRUE(found);
    return seen;
}

TEST(QtMessageBoxesTest, BoxIsModalWithOneOkButtonTheTitleTextAndIconAskedFor) {
    QWidget owner;
    QtMessageBoxes boxes(&owner);
    const struct {
        MessageIcon icon;
        QMessageBox::Icon shown;
    } cases[] = {
        {MessageIcon::Information, QMessageBox::Information},
        {MessageIcon::None, QMessageBox::NoIcon},
        {MessageIcon::Warning, QMessageBox::Warning},
    };
    for (const auto& c : cases) {
        const SeenBox seen = showAndDismiss(boxes, c.icon);
        EXPECT_EQ(seen.title, QStringLiteral("Norvalent WMP 3 設定ツール"));
        EXPECT_EQ(seen.text, QStringLiteral("既に起動されています。"));
        EXPECT_EQ(seen.icon, c.shown);
        EXPECT_TRUE(seen.modal);
        EXPECT_EQ(seen.buttons, 1);
    }
}

}  // namespace
}  // namespace nwmp::linux_platform
