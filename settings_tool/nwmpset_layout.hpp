#pragma once

// The settings tool's window, NWMPset, as data: every control's caption, tooltip, position and
// tab order. The platform builds the window from these tables; the core takes the keys and the
// association captions from them.

#include <array>
#include <cstddef>
#include <string_view>

#include "common/screen_modes.hpp"
#include "common/settings_keys.hpp"

namespace nwmp {

// Left, top, width, height in twips (15 twips a pixel at 96 dots per inch).
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

// Fixed single border, no minimize and no maximize button. The client area opens at this place
// on the screen (not centred) with this size.
inline constexpr std::string_view kToolWindowTitle = "Norvalent WMP 3 TE 設定ツール";
inline constexpr TwipRect kToolWindowClient = {3645, 2910, 4665, 4965};

// Check(0..7): one box per switch; box i edits kSwitchKeys[i].
struct OptionBox {
    std::string_view key;
    std::string_view caption;
    std::string_view tooltip;
    TwipRect position;
    int tabIndex;
};

inline constexpr std::size_t kOptionBoxCount = 8;

inline constexpr std::array<OptionBox, kOptionBoxCount> kOptionBoxes = {{
    {kSwitchKeys[0], "画面を常に手前", "そのまんまです。", {120, 120, 2655, 255}, 0},
    {kSwitchKeys[1],
     "画面を動画のサイズにあわせる",
     "画面モードと組み合わせて使うことでさまざまなサイズで再生できます。",
     {120, 480, 4455, 255},
     1},
    {kSwitchKeys[2],
     "スクリーンセーバを無効にする",
     "再生時スクリーンセーバを無効にします。",
     {120, 840, 4455, 255},
     2},
    {kSwitchKeys[3],
     "画面サイズ、画面位置を記憶",
     "終了時に自動で画面サイズ、画面位置を記憶するようになります。",
     {120, 1200, 4455, 255},
     3},
    {kSwitchKeys[4], "多重起動防止", "多重起動防止にします。", {120, 1560, 4455, 255}, 26},
    {kSwitchKeys[5],
     "タイトルバー再生情報非表示",
     "タイトルバーに再生情報を表示しません。",
     {120, 1920, 4455, 255},
     27},
    {kSwitchKeys[6],
     "レジューム再生",
     "終了時に再生していたファイルとポジションを記憶し、起動時に自動でロードします。",
     {120, 2280, 4455, 255},
     28},
    {kSwitchKeys[7],
     "再生終了後に閉じる",
     "再生が終わったらNorvalentを終了します。",
     {120, 2640, 4455, 255},
     29},
}};

// kanren1(0..11): the association slots in list index order. The caption is the extension of
// slots 0 to 10; slot 11 has none and takes its extension from Text2. The bookkeeping key names
// the slot's switch in the "KeepConnect" section; slot 11's is the empty name.
struct AssociationSlot {
    std::string_view caption;
    std::string_view bookkeepingKey;
    std::string_view tooltip;
    TwipRect position;
    int tabIndex;
};

inline constexpr std::size_t kSlotCount = 12;
inline constexpr std::size_t kCustomSlot = 11;

inline constexpr std::string_view kCustomExtensionTooltip =
    "任意の拡張子を入力することで一覧に無い拡張子に関連付けできます。";

inline constexpr std::array<AssociationSlot, kSlotCount> kAssociationSlots = {{
    {"avi", ".avi", "Windowsの標準的なビデオファイル形式。", {120, 3900, 615, 255}, 7},
    {"asf",
     ".asf",
     "Microsoft社が提唱するマルチメディアデータをネットワークを通してストリーミングデータとして"
     "提供するための規格。",
     {840, 3900, 615, 255},
     8},
    {"mov",
     ".mov",
     "Apple Computer社のQuickＴimeで作成されたビデオファイル形式。",
     {3000, 3900, 615, 255},
     11},
    {"mid",
     ".mid",
     "ＭＩＤＩ規格に準拠した音源を制御するためのファイルフォーマット形式。",
     {2280, 3900, 615, 255},
     10},
    {"mp3",
     ".mp3",
     "MPEG形式のうちの音声データ部分のみを保管したファイル形式。",
     {3720, 3900, 615, 255},
     12},
    {"mpg", ".mpg", "MPEG形式と呼ばれる圧縮された動画ファイル形式。", {120, 4260, 615, 255}, 13},
    {"wav",
     ".wav",
     "PCM録音されたWAVEファイルというオーディオファイル形式。",
     {840, 4260, 615, 255},
     14},
    {"wma",
     ".wma",
     "Windows Media AudioファイルというMP3と同様な圧縮オーディオファイル形式だがマイクロソフト"
     "独自の音声圧縮技術。オーディオのみ含まれる。",
     {1560, 4260, 735, 255},
     15},
    {"wmv",
     ".wmv",
     "Windows Media AudioファイルというMP3と同様な圧縮オーディオファイル形式だがマイクロソフト"
     "独自の音声圧縮技術。オーディオとビデオが含まれる。",
     {2280, 4260, 735, 255},
     16},
    {"wvx",
     ".wvx",
     "WindowsMediaPlayerで拡張子が .wma、.wmv、.wvx、または .wax の Windows Media "
     "ファイルを参照するメタファイル。",
     {3000, 4260, 735, 255},
     17},
    {"asx",
     ".asx",
     "WindowsMediaPlayerで拡張子が .wma .wax .wmv .wvx .asf または .asxのWindows "
     "Mediaファイルを参照するメタファイル。",
     {1560, 3900, 615, 255},
     9},
    {"", "", kCustomExtensionTooltip, {3720, 4260, 735, 255}, 18},
}};

// Every other control. Text boxes start empty (Text1 is filled at start); Combo1 starts with the
// first screen mode's text and holds the eight screen-mode texts as its list.
enum class ControlKind { Label, ComboBox, TextBox, Button };

struct ControlLayout {
    std::string_view name;
    ControlKind kind;
    std::string_view caption;
    std::string_view tooltip;
    TwipRect position;
    int tabIndex;
};

inline constexpr std::array<ControlLayout, 10> kOtherControls = {{
    {"Label1", ControlKind::Label, "画面モード", "", {120, 2985, 855, 255}, 24},
    {"Combo1",
     ControlKind::ComboBox,
     kScreenModes[0].text,
     "画面モードを選択してください。",
     {1080, 2940, 3495, 300},
     4},
    {"Label3", ControlKind::Label, "■関連付け", "", {120, 3300, 2175, 255}, 25},
    {"Text1",
     ControlKind::TextBox,
     "",
     "関連付けするプログラムのパスを入力するところです。基本的に自動で設定されるので変更する必要は"
     "ありません。",
     {120, 3540, 4095, 270},
     5},
    {"Command5",
     ControlKind::Button,
     "...",
     "関連付けするプログラムを設定できます。",
     {4320, 3540, 255, 225},
     6},
    {"Text2", ControlKind::TextBox, "", kCustomExtensionTooltip, {3960, 4260, 495, 270}, 19},
    {"Command1",
     ControlKind::Button,
     "設定",
     "関連付け以外の設定を確定します。",
     {120, 4620, 1095, 255},
     20},
    {"Command3",
     ControlKind::Button,
     "関連設定",
     "関連付けの設定を行います。",
     {1320, 4620, 975, 255},
     21},
    {"Command4",
     ControlKind::Button,
     "関連解除",
     "関連付けの解除を行います。",
     {2400, 4620, 975, 255},
     22},
    {"Command2", ControlKind::Button, "閉じる", "閉じます。", {3480, 4620, 1095, 255}, 23},
}};

}  // namespace nwmp
