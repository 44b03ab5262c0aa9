#pragma once

// The settings tool's window as the core sees it: a passive view of its controls.
//
// Who raises the events (the Qt and Win32 adapters must keep to this):
//  - Setters never call back into the core. An adapter that sets a control from code blocks its
//    own change notifications while doing so.
//  - Check_Click(i): the adapter calls it only after the USER changed box i (mouse or keyboard),
//    once the new state is visible through isCheckChecked(i). When the core itself checks or
//    unchecks one of the eight boxes it calls its own Check_Click right after the change, just
//    as a live check box would; the adapter must not raise it for those changes (Qt: connect
//    QAbstractButton::clicked, not toggled or stateChanged).
//  - Combo1_Change(): the adapter calls it only when the user TYPES into the combo's text field
//    (Qt: the line edit's textEdited). Picking an item from the drop-down list and setting the
//    text from code never raise it. Where the core changes the text itself and the rule must
//    run (while opening), the core runs Combo1_Change on its own.
//  - The association boxes kanren1(0..11) and the text boxes raise nothing.
//  - Closing by the title bar needs no call into the core: nothing is written then.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/open_file_dialog.hpp"

namespace nwmp {

class SettingsToolView {
  public:
    virtual ~SettingsToolView() = default;

    // Check(0..7), the eight option boxes.
    virtual bool isCheckChecked(std::size_t index) const = 0;
    virtual void setCheckChecked(std::size_t index, bool checked) = 0;

    // Combo1: an editable combo box whose eight list items are the screen-mode texts in list
    // order (the adapter fills them once from kScreenModes). Its text may be anything typed.
    virtual std::string comboText() const = 0;
    virtual void setComboText(std::string_view text) = 0;

    // Text1, the program to associate; Text2, the user's own extension.
    virtual std::string text1() const = 0;
    virtual void setText1(std::string_view text) = 0;
    virtual std::string text2() const = 0;
    virtual void setText2(std::string_view text) = 0;

    // kanren1(0..11), the association boxes, by list index (not by place on the screen).
    virtual bool isKanrenChecked(std::size_t index) const = 0;
    virtual void setKanrenChecked(std::size_t index, bool checked) = 0;

    // Hides the window; then closes it. Closing the only window ends the tool once the current
    // handler has returned.
    virtual void hideWindow() = 0;
    virtual void closeWindow() = 0;

    // The window's handle, as the owner of the open-file dialog.
    virtual WindowId windowId() const = 0;
};

}  // namespace nwmp
