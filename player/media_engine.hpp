#pragma once

// The media engine control, MediaPlayer1, as the player uses it: thirteen members, three events,
// the control's size in twips and the keyboard focus. Member names follow the control's own type
// library (Pause halts running playback, Stop halts the current media before another is opened).
//
// Any member may fail, for example when nothing is loaded or the media cannot seek; a failing
// member throws EngineError and leaves the engine as it was.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace nwmp {

class EngineError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Play states reported by PlayState(); other values are transitional.
enum PlayStateValue : std::int32_t {
    kStopped = 0,
    kPaused = 1,
    kPlaying = 2,
};

// Display sizes taken by SetDisplaySize().
enum DisplaySizeValue : std::int32_t {
    kDisplayOwnSize = 0,
    kDisplayHalfSize = 1,
    kDisplayDoubleSize = 2,
    kDisplayFullScreen = 3,
    kDisplayFitToControl = 4,
    kDisplaySixteenthScreen = 5,
    kDisplayQuarterScreen = 6,
    kDisplayHalfScreen = 7,
};

// Clip information asked of GetMediaInfoString().
enum MediaInfoValue : std::int32_t {
    kMediaInfoTitle = 8,
    kMediaInfoAuthor = 9,
};

// Receiver of the engine's three events; the main window implements it.
class MediaEngineEvents {
  public:
    virtual ~MediaEngineEvents() = default;
    // keyCode is a Windows virtual-key code; the receiver sets it to 0 once acted on.
    virtual void MediaPlayer1_KeyDown(std::int16_t& keyCode, std::int16_t shift) = 0;
    virtual void MediaPlayer1_PlayStateChange(std::int32_t oldState, std::int32_t newState) = 0;
    // Raised at the real end of the media, not at each round of a repeat.
    virtual void MediaPlayer1_EndOfStream(std::int32_t result) = 0;
};

class MediaEngine {
  public:
    virtual ~MediaEngine() = default;

    virtual void setEventSink(MediaEngineEvents* sink) = 0;

    // 1026: the path or URL of the current media, empty text when none. Setting it opens that
    // media and starts playing it; empty text closes the current media.
    virtual std::string FileName() const = 0;
    virtual void SetFileName(const std::string& fileName) = 0;

    // 1027: the current position in seconds; setting it seeks.
    virtual double CurrentPosition() const = 0;
    virtual void SetCurrentPosition(double seconds) = 0;

    // 1003: the duration of the current media in seconds, 0 when unknown.
    virtual double Duration() const = 0;

    // 1030: 1 plays once (the value at start), 0 repeats without end.
    virtual std::int32_t PlayCount() const = 0;
    virtual void SetPlayCount(std::int32_t count) = 0;

    // 1032: one of DisplaySizeValue.
    virtual void SetDisplaySize(std::int32_t displaySize) = 0;

    // 1068: one of PlayStateValue, or a transitional state.
    virtual std::int32_t PlayState() const = 0;

    // -500: true makes the control take the size it needs for the picture at the current
    // display size.
    virtual void SetAutoSize(bool autoSize) = 0;

    virtual void Play() = 0;   // 2001: starts or resumes
    virtual void Pause() = 0;  // 2002: halts running playback; the state then reads 0 or 1
    virtual void Stop() = 0;   // 2003: halts the current media before another is opened

    // 2016: clip information (MediaInfoValue); empty text when absent.
    virtual std::string GetMediaInfoString(std::int32_t infoType) const = 0;

    virtual void Previous() = 0;  // 2022: previous entry of the current play list
    virtual void Next() = 0;      // 2023: next entry of the current play list

    // The control's place and size on its host window, in twips.
    virtual void SetLeft(double twips) = 0;
    virtual void SetTop(double twips) = 0;
    virtual double Width() const = 0;
    virtual void SetWidth(double twips) = 0;
    virtual double Height() const = 0;
    virtual void SetHeight(double twips) = 0;

    // Gives the control the keyboard focus so that keys reach it; fails while its window is not
    // visible.
    virtual void SetFocus() = 0;
};

}  // namespace nwmp
