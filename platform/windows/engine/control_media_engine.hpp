#pragma once

// The media engine control on Windows: the system's media player control, made from its ProgID
// and hosted as a real OLE control in a child window of the player's main window. Members are
// called by dispatch identifier, the design settings of the edition are applied once at
// creation, and the control's events reach the host through our own sink on its connection
// point. The control is apartment-threaded and lives on the window's thread, so its events arrive
// there, between other window messages.
//
// The control is hosted by atl.dll's control-hosting window (AtlAxWin), which every Windows
// since 2000 carries and Wine has too: it is a complete control site (ambient properties,
// in-place activation, focus and keyboard handling) that we need not write and test ourselves.

#include <windows.h>

#include <memory>
#include <string>

#include "player/editions/edition_profile.hpp"
#include "player/media_engine.hpp"

namespace nwmp::windows {

inline constexpr wchar_t kEngineProgId[] = L"MediaPlayerCtl.MediaPlayer";

// The control is not installed, or cannot be made or hosted. The player says so and ends
// before it writes anything.
class EngineMissing : public EngineError {
  public:
    EngineMissing(const std::string& what, HRESULT result) : EngineError(what), result_(result) {}
    HRESULT result() const { return result_; }

  private:
    HRESULT result_;
};

// What the player shows in its message box when the control cannot be made.
inline constexpr char kEngineMissingMessage[] =
    "メディア再生コントロール (MediaPlayerCtl.MediaPlayer) を作成できません。"
    "メディアプレーヤーのコントロールがインストールされているか確認してください。"
    "プレーヤーを終了します。";

class ControlMediaEngine final : public MediaEngine {
  public:
    // Creates and hosts the control in parent (COM must be initialised on this thread as a
    // single-threaded apartment). Throws EngineMissing when the control cannot be made, and
    // EngineError when it does not take the design settings.
    ControlMediaEngine(HWND parent, const ControlBar& controlBar);
    ~ControlMediaEngine() override;
    ControlMediaEngine(const ControlMediaEngine&) = delete;
    ControlMediaEngine& operator=(const ControlMediaEngine&) = delete;

    // The hosting child window; the control's own window lies inside it.
    HWND window() const;

    void setEventSink(MediaEngineEvents* sink) override;

    std::string FileName() const override;
    void SetFileName(const std::string& fileName) override;
    double CurrentPosition() const override;
    void SetCurrentPosition(double seconds) override;
    double Duration() const override;
    std::int32_t PlayCount() const override;
    void SetPlayCount(std::int32_t count) override;
    void SetDisplaySize(std::int32_t displaySize) override;
    std::int32_t PlayState() const override;
    void SetAutoSize(bool autoSize) override;
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
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace nwmp::windows
