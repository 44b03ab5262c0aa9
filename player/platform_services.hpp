#pragma once

// PlatformServices: what the player asks of the operating system beyond its windows.
// The core calls every member on the GUI thread; none of them calls back into the core, except
// that CloseRunningPlayer and AwaitClosedPlayer may wait while another process runs its own
// shut-down.
// A member that fails may throw any std::exception; the calling handler then ends quietly.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nwmp {

struct PlatformVersion {
    std::uint32_t major;
    std::uint32_t minor;
};

class PlatformServices {
  public:
    virtual ~PlatformServices() = default;

    // The argument text after the program name, as one text, in UTF-8 like every text here.
    virtual std::string CommandLineText() const = 0;

    // The text without one pair of double quotes enclosing the whole text; text that does not
    // both start and end with a quote comes back unchanged.
    virtual std::string Unquote(std::string_view text) const = 0;

    // The long form of an existing file or folder (Linux: the canonical absolute path), or
    // nothing when the text names nothing that exists (a URL, several arguments, trailing
    // blanks). The core itself refuses a long form of 260 characters or more.
    virtual std::optional<std::string> LongPathName(std::string_view path) const = 0;

    // The characters that separate folders in a path as the engine reports it ("\\" on
    // Windows, "/" on Linux).
    virtual std::string_view PathSeparators() const = 0;

    virtual PlatformVersion Version() const = 0;

    // Whether a player of any edition was already running when this program started
    // (anotherPlayerRuns in player/hand_off_search.hpp). Asked once per run; the answer must not
    // change.
    virtual bool PreviousInstance() const = 0;

    // Finds the first running player (most recently active first) that a search for `title`
    // reaches (handOffTarget in player/hand_off_search.hpp: by the application title it started
    // with or by its caption, never this program itself) and asks it to close, as if its user
    // closed it; it then runs its own shut-down and ends. Reaches only players, never other
    // programs' windows (the empty title included). Returns whether a player was found. It may
    // return while that player is still closing, so that this start goes on with its own work
    // meanwhile; AwaitClosedPlayer then waits for the close, which takes at most `wait`.
    virtual bool CloseRunningPlayer(std::string_view title, std::chrono::milliseconds wait) = 0;

    // Returns once the player that CloseRunningPlayer asked to close has run its shut-down
    // sequence, and so stored what it saves, or once the wait given there has passed; at once
    // when no player is closing. Where CloseRunningPlayer itself waits, there is nothing to do.
    virtual void AwaitClosedPlayer() {}

    // Holds the screen saver (and display sleep) off while the player runs, and releases that
    // hold. Neither changes the user's own screen-saver setting; a hold must also end with the
    // process, however it ends. The core never holds twice without a release in between.
    virtual void HoldScreenSaverOff() = 0;
    virtual void ReleaseScreenSaver() = 0;

    // Starts a program by its bare name (no folder, no platform suffix: the platform adds
    // ".exe" where programs have one), looking in the player's own folder first and then the
    // search path, in a normal window that takes the focus. Detached; never waits for it.
    virtual void StartProgram(std::string_view programName) = 0;

    // Hides or shows the mouse pointer over the player (one step of the platform's display
    // count each; the core pairs them).
    virtual void ShowPointer(bool show) = 0;

    // The primary screen's size in twips.
    virtual double ScreenWidthTwips() const = 0;
    virtual double ScreenHeightTwips() const = 0;

    // Twips per screen pixel (15 at 96 dots per inch); read afresh at each use, because the
    // factors can change while the player runs.
    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;

    // Ends the program at once: no further window-closing handling, Form_Unload is not run
    // again. The core does nothing after calling it (test fakes return here).
    virtual void EndProgram() = 0;
};

}  // namespace nwmp
