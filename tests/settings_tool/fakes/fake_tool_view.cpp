#include "fakes/fake_tool_view.hpp"

namespace nwmp::testing {

void FakeToolView::setCheckChecked(std::size_t index, bool checked) {
    checks.at(index) = checked;
    journal_.push_back("Check(" + std::to_string(index) + ")=" + (checked ? "1" : "0"));
}

void FakeToolView::setComboText(std::string_view text) {
    combo = text;
    journal_.push_back("Combo1=" + combo);
}

void FakeToolView::setText1(std::string_view text) {
    text1Value = text;
    journal_.push_back("Text1=" + text1Value);
}

void FakeToolView::hideWindow() {
    hidden = true;
    journal_.push_back("hide");
}

void FakeToolView::closeWindow() {
    closed = true;
    journal_.push_back("close");
}

void FakeToolView::userClicksCheck(NWMPset& form, std::size_t index) {
    checks.at(index) = !checks.at(index);
    form.Check_Click(index);
}

void FakeToolView::userTypes(NWMPset& form, std::string_view text) {
    combo = text;
    form.Combo1_Change();
}

void FakeToolView::userPicks(std::size_t item) {
    combo = kScreenModes.at(item).text;
}

std::string FakeToolView::checkPattern() const {
    std::string pattern;
    for (bool checked : checks) {
        pattern += checked ? '1' : '0';
    }
    return pattern;
}

}  // namespace nwmp::testing
