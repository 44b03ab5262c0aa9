#pragma once

// The settings tool's window without a screen, and the user's hands on it. Every change, message
// and settings write of a test run goes into one journal, so tests can check what came first.

#include <array>
#include <string>
#include <vector>

#include "settings_tool/nwmpset.hpp"

namespace nwmp::testing {

using Journal = std::vector<std::string>;

class FakeToolView : public SettingsToolView {
  public:
    explicit FakeToolView(Journal& journal) : journal_(journal) {}

    std::array<bool, kOptionBoxCount> checks{};
    std::array<bool, kSlotCount> kanren{};
    std::string combo{kScreenModes[0].text};
    std::string text1Value;
    std::string text2Value;
    bool hidden = false;
    bool closed = false;
    WindowId id = 0x5E7;

    bool isCheckChecked(std::size_t index) const override { return checks.at(index); }
    void setCheckChecked(std::size_t index, bool checked) override;
    std::string comboText() const override { return combo; }
    void setComboText(std::string_view text) override;
    std::string text1() const override { return text1Value; }
    void setText1(std::string_view text) override;
    std::string text2() const override { return text2Value; }
    void setText2(std::string_view text) override { text2Value = text; }
    bool isKanrenChecked(std::size_t index) const override { return kanren.at(index); }
    void setKanrenChecked(std::size_t index, bool checked) override { kanren.at(index) = checked; }
    void hideWindow() override;
    void closeWindow() override;
    WindowId windowId() const override { return id; }

    // What the platform adapter does for the user.
    void userClicksCheck(NWMPset& form, std::size_t index);  // toggles, then Check_Click
    void userTypes(NWMPset& form, std::string_view text);    // new text, then Combo1_Change
    void userPicks(std::size_t item);                        // a list item: no event

    // "10010100": box 0 first.
    std::string checkPattern() const;

  private:
    Journal& journal_;
};

}  // namespace nwmp::testing
