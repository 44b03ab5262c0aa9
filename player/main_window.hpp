#pragma once

// MainWindow: the player's main window NWMP as the platform shows it. The core (class NWMP)
// reads and sets it; the platform only reflects what it is told and reports events back.
//
// Who calls what:
// - The core calls every member below, on the GUI thread, from inside its handlers.
// - The platform builds the window from the edition's WindowMakeup (caption, frame, taskbar
//   entry, client area at its design place), hosts the engine control at 0, 0 and Label1 over it,
//   creates Timer1 disabled with a 1000 ms interval, and gives the program an application title
//   (EditionProfile::applicationTitle) searchable by another instance's hand-off.
// - The platform calls into NWMP (see player/nwmp.hpp for the full list):
//     Form_Load once before the window is first shown;
//     Form_Resize on every size change of the shown window and once when it is first shown;
//     Form_Activate whenever the main window becomes active from within the program (first
//       show, focus back from the URL dialog), not on a switch from another program;
//     Timer1_Timer every 1000 ms while the timer is enabled;
//     Label1_Click, Label1_OLEDragDrop and Form_OLEDragDrop (with the dropped file paths);
//     Form_Unload on any close request (the user, another instance's hand-off), then end.
//
// Units: geometry in twips (1/1440 inch), outer size (frame and title bar included).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/open_file_dialog.hpp"

namespace nwmp {

// A rectangle in screen pixels, as handed to the platform's stacking call.
struct PixelRect {
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
    bool operator==(const PixelRect&) const = default;
};

// A rectangle in twips, in the desktop's coordinates.
struct TwipsArea {
    double left;
    double top;
    double width;
    double height;
    bool operator==(const TwipsArea&) const = default;
};

// Window states as the window's WindowState property knows them.
enum WindowStateValue : std::int32_t {
    kWindowNormal = 0,
    kWindowMinimised = 1,
    kWindowMaximised = 2,
};

class MainWindow {
  public:
    virtual ~MainWindow() = default;

    // Outer geometry in twips. Setting the size of a shown window makes the platform call
    // Form_Resize again (nested); the core's sizes settle, so the nesting comes to rest.
    virtual double Left() const = 0;
    virtual void SetLeft(double twips) = 0;
    virtual double Top() const = 0;
    virtual void SetTop(double twips) = 0;
    virtual double Width() const = 0;
    virtual void SetWidth(double twips) = 0;
    virtual double Height() const = 0;
    virtual void SetHeight(double twips) = 0;

    virtual std::string Caption() const = 0;
    virtual void SetCaption(std::string_view caption) = 0;

    virtual bool Visible() const = 0;

    // One of WindowStateValue.
    virtual std::int32_t WindowState() const = 0;
    virtual void SetWindowState(std::int32_t state) = 0;

    // Applies position and size again together with the stacking: above all windows that are
    // not topmost (topmost) or back among them, and activates the window (SetWindowPos with
    // HWND_TOPMOST or HWND_NOTOPMOST and flags 0).
    virtual void ApplyStacking(bool topmost, const PixelRect& outerPixels) = 0;

    // Label1, the transparent picture surface at 0, 0 over the engine control, in twips.
    virtual void SetLabel1Size(double widthTwips, double heightTwips) = 0;

    // Timer1: ticks Timer1_Timer every 1000 ms while enabled.
    virtual void SetTimer1Enabled(bool enabled) = 0;

    // The title of the program's application window (what another instance's hand-off
    // searches besides the caption). It stays as set for the rest of the run.
    virtual void SetApplicationTitle(std::string_view title) = 0;

    // Owner handle for dialogs.
    virtual WindowId Handle() const = 0;

    // Each screen's whole area, the desktop's panels included, in twips. Empty when the platform
    // cannot tell; the core then applies stored geometry as it is.
    virtual std::vector<TwipsArea> ScreenAreas() const { return {}; }

    // Whether Left and Top are where the window really is. A platform that neither reads nor
    // sets a window's place (a Wayland client) says no, and the core stores no place it made up.
    virtual bool PlaceKnown() const { return true; }
};

}  // namespace nwmp
