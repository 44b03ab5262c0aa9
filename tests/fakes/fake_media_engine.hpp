#pragma once

// A media engine that plays nothing: it keeps its properties, records every member called, can
// be told to fail any member, and raises the three events on request.

#include <set>
#include <string>
#include <vector>

#include "player/media_engine.hpp"

namespace nwmp::testing {

class FakeMediaEngine : public MediaEngine {
  public:
    // Members by the names they are recorded under.
    enum class Member {
        FileName,
        SetFileName,
        CurrentPosition,
        SetCurrentPosition,
        Duration,
        PlayCount,
        SetPlayCount,
        SetDisplaySize,
        PlayState,
        SetAutoSize,
        Play,
        Pause,
        Stop,
        GetMediaInfoString,
        Previous,
        Next,
        SetLeft,
        SetTop,
        Width,
        SetWidth,
        Height,
        SetHeight,
        SetFocus,
    };

    struct Call {
        Member member;
        std::string argument;  // the value given, as text; empty for calls without one
        bool operator==(const Call&) const = default;
    };

    // The engine's state, open to tests.
    std::string fileName;
    double position = 0.0;
    double duration = 0.0;
    std::int32_t playCount = 1;
    std::int32_t displaySize = kDisplayFitToControl;
    std::int32_t playState = kStopped;
    bool autoSize = false;
    std::string clipTitle;
    std::string clipAuthor;
    double left = 0.0;
    double top = 0.0;
    double width = 6720.0;
    double height = 5040.0;
    // Size the control takes when auto size is switched on.
    double autoWidth = 6720.0;
    double autoHeight = 5040.0;

    mutable std::vector<Call> calls;

    void failMember(Member member) { failing_.insert(member); }
    void failEveryMember();
    void succeedAgain() { failing_.clear(); }

    // Calls recorded for one member, in order.
    std::vector<Call> callsOf(Member member) const;
    void clearCalls() { calls.clear(); }

    // Raising events, as the engine would.
    void raiseKeyDown(std::int16_t& keyCode, std::int16_t shift = 0);
    std::int16_t raiseKeyDown(std::int16_t keyCode);  // returns the code after handling
    void raisePlayStateChange(std::int32_t oldState, std::int32_t newState);
    void raiseEndOfStream(std::int32_t result = 0);

    void setEventSink(MediaEngineEvents* sink) override { sink_ = sink; }
    std::string FileName() const override;
    void SetFileName(const std::string& name) override;
    double CurrentPosition() const override;
    void SetCurrentPosition(double seconds) override;
    double Duration() const override;
    std::int32_t PlayCount() const override;
    void SetPlayCount(std::int32_t count) override;
    void SetDisplaySize(std::int32_t size) override;
    std::int32_t PlayState() const override;
    void SetAutoSize(bool on) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    std::string GetMediaInfoString(std::int32_t infoType) const override;
    void Previous() override;
    void Next() override;
    void SetLeft(double twips) override;
    void SetTop(double twips) override;
    double Width() const override;
    void SetWidth(double twips) override;
    double Height() const override;
    void SetHeight(double twips) override;
    void SetFocus() override;

  private:
    // Records the call, then throws EngineError when the member is set to fail.
    void enter(Member member, std::string argument = {}) const;

    std::set<Member> failing_;
    MediaEngineEvents* sink_ = nullptr;
};

}  // namespace nwmp::testing
