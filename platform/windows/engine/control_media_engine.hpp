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

// The control is not installed: its name is unknown, or its server cannot be loaded (its file
// is gone, or it is registered only for the other architecture). Every other failure at start is
// a plain EngineError: the control is there but could not be started. Either way the player says
// so and ends before it writes anything.
class EngineMissing : public EngineError {
  public:
    EngineMissing(const std::string& what, HRESULT result) : EngineError(what), result_(result) {}
    HRESULT result() const { return result_; }

  private:
    HRESULT result_;
};

// What the player shows when the control is not installed. On Windows 10 and 11 the media player
// the control comes with is an optional feature, added in Settings.
inline constexpr char kEngineMissingMessage[] =
    "メディア再生コントロール (MediaPlayerCtl.MediaPlayer) が見つかりません。"
    "Windows Media Player を追加してください。Windows 10 と Windows 11 では、"
    "「設定」の「オプション機能」(「アプリ」または「システム」の中) の「機能を追加する」から"
    "「Windows Media Player」(Windows 11 では「Windows Media Player レガシ」) を追加できます。"
    "プレーヤーを終了します。";

// What the player shows when the control is there but does not start as the player needs it.
inline constexpr char kEngineNotStartedMessage[] =
    "メディア再生コントロール (MediaPlayerCtl.MediaPlayer) はありますが、開始できませんでした"
    "(設定を受け付けないか、イベントを知らせません)。"
    "Windows Media Player を入れ直すと直ることがあります。プレーヤーを終了します。";

// The message for a failure to make the control.
inline const char* engineFailureMessage(const EngineError& error) {
    return dynamic_cast<const EngineMissing*>(&error) != nullptr ? kEngineMissingMessage
                                                                 : kEngineNotStartedMessage;
}

class ControlMediaEngine final : public MediaEngine {
  public:
    // Creates and hosts the control in parent (COM must be initialised on this thread as a
    // single-threaded apartment). Throws EngineMissing when the control is not installed, and
    // EngineError when it is but cannot be made, hosted, set up or heard.
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
