#pragma once

// UrlDialogWindow: the URL dialog `URL` as the platform shows it. Its logic is the core's class
// URL (player/url_dialog.hpp).
//
// Make-up the platform builds (constants in player/url_dialog.hpp): a separate top-level window
// with an empty caption, a fixed dialog border, no minimise or maximise box, no taskbar entry,
// no owner, never modal; client area one line high (kUrlDialogClientWidth x
// kUrlDialogClientHeight twips). It holds the text box Text1 (initial text kUrlPrompt, tab
// index 1) and, right of it, the button Command1 (caption kCommand1Caption, tooltip
// kCommand1ToolTip, tab index 0).
//
// Who calls what:
// - The core calls the members below from NWMP's and URL's handlers.
// - The platform calls URL::Text1_GotFocus when Text1 gets the keyboard focus,
//   URL::Text1_KeyDown for every key pressed in Text1 (Windows virtual-key codes; Enter is 13),
//   URL::Command1_Click when the button is clicked, and NWMP::Form_Activate when the focus goes
//   from this dialog back to the main window. URL::Form_Load is run by the core itself.
// The dialog may be created lazily; Unload destroys it when the player shuts down.

#include <string>
#include <string_view>

namespace nwmp {

class UrlDialogWindow {
  public:
    virtual ~UrlDialogWindow() = default;

    virtual bool Visible() const = 0;
    // Shows the dialog without owner and not modal.
    virtual void Show() = 0;
    virtual void Hide() = 0;

    // Outer geometry in twips.
    virtual void SetLeft(double twips) = 0;
    virtual void SetTop(double twips) = 0;
    virtual double Width() const = 0;
    virtual void SetWidth(double twips) = 0;

    virtual std::string Text1Text() const = 0;
    virtual void SetText1Text(std::string_view text) = 0;
    virtual void SetText1Width(double twips) = 0;
    virtual void SetCommand1Left(double twips) = 0;

    // Destroys the dialog; the program can then end.
    virtual void Unload() = 0;
};

}  // namespace nwmp
