#pragma once

// The settings tool's window on Qt, built from the layout tables: the eight option boxes, the
// screen-mode combo, the association half and the four buttons, each at its design place.
//
// The window is passive (see settings_tool/settings_view.hpp): code that sets a control raises
// nothing, and only the user's own actions are reported through SettingsToolEvents.

#include <QWidget>
#include <array>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "settings_tool/nwmpset_layout.hpp"
#include "settings_tool/settings_view.hpp"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace nwmp::linux_platform {

// What the user did. Empty members are simply not called.
struct SettingsToolEvents {
    std::function<void(std::size_t)> checkClick;  // the user changed option box i
    std::function<void()> combo1Change;           // the user typed into Combo1
    std::function<void(int)> commandClick;        // the user pressed CommandN, N = 1..5
};

class QtSettingsWindow final : public QWidget, public SettingsToolView {
  public:
    QtSettingsWindow();
    ~QtSettingsWindow() override;

    void setEvents(SettingsToolEvents events) { events_ = std::move(events); }

    // Called when the core has closed the window. Qt does not count a window that was hidden
    // before it was closed as the last window closing, so the program ends through this.
    void setOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }

    // SettingsToolView
    bool isCheckChecked(std::size_t index) const override;
    void setCheckChecked(std::size_t index, bool checked) override;
    std::string comboText() const override;
    void setComboText(std::string_view text) override;
    std::string text1() const override;
    void setText1(std::string_view text) override;
    std::string text2() const override;
    void setText2(std::string_view text) override;
    bool isKanrenChecked(std::size_t index) const override;
    void setKanrenChecked(std::size_t index, bool checked) override;
    void hideWindow() override;
    void closeWindow() override;
    WindowId windowId() const override;

  private:
    // A control and its place in the tab order, collected while the controls are made.
    struct TabStop {
        int tabIndex;
        QWidget* control;
    };
    void buildOptionBoxes(std::vector<TabStop>& stops);
    void buildAssociationBoxes(std::vector<TabStop>& stops);
    void buildOtherControls(std::vector<TabStop>& stops);
    void chainTabOrder(std::vector<TabStop> stops);

    SettingsToolEvents events_;
    std::function<void()> onClosed_;
    std::array<QCheckBox*, kOptionBoxCount> checks_{};
    std::array<QCheckBox*, kSlotCount> kanren_{};
    QComboBox* combo1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
};

}  // namespace nwmp::linux_platform
