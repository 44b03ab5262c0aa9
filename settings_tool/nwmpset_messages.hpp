#pragma once

// Every message the settings tool shows. All are modal boxes with an OK button and the tool's
// application title.

#include <string>
#include <string_view>
#include <vector>

namespace nwmp {

inline constexpr std::string_view kToolMessageTitle = "Norvalent WMP 3 設定ツール";

inline constexpr std::string_view kAlreadyRunningMessage = "既に起動されています。";

inline constexpr std::string_view kMultiStartMessage =
    "多重起動を防止する場合はタイトルバー再生情報を非表示に設定する必要があります。";

// Typing the whole-screen mode while "always on top" is checked.
inline constexpr std::string_view kFullScreenTypedMessage =
    "フルスクリーンにするときは常に手前はチェックしないでください。";

// Saving the whole-screen mode while "always on top" is checked.
inline constexpr std::string_view kFullScreenApplyMessage =
    "フルスクリーンにするときは画面を常に手前はチェックしないでください。チェックを解除して設定"
    "します。";

// Shown without an icon.
inline constexpr std::string_view kInvalidScreenModeMessage =
    "画面モードの設定が正しくないです。スキップしますので後から設定し直してください。";

inline constexpr std::string_view kChooseProgramMessage = "関連付けするプログラムを選んでください";
inline constexpr std::string_view kAssociationSetMessage = "関連付け設定しました";
inline constexpr std::string_view kAssociationRemovedMessage = "関連付け解除しました";

// Some ticked extensions could not be registered or removed; names them, separated by "、".
std::string associationSetFailedMessage(const std::vector<std::string>& failedExtensions);
std::string associationRemoveFailedMessage(const std::vector<std::string>& failedExtensions);

}  // namespace nwmp
