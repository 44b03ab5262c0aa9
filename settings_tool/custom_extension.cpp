#include "settings_tool/custom_extension.hpp"

#include <algorithm>

namespace nwmp {

namespace {

bool isAllowedCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '+' || c == '~';
}

std::string asciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower;
}

bool runsProgram(std::string_view extension) {
    const std::string lower = asciiLower(extension);
    return std::find(kProgramExtensions.begin(), kProgramExtensions.end(), lower) !=
           kProgramExtensions.end();
}

}  // namespace

ExtensionCheck checkCustomExtension(std::string_view typed) {
    if (!typed.empty() && typed.front() == '.') {
        typed.remove_prefix(1);
    }
    ExtensionCheck check{std::string(typed), ExtensionProblem::None};
    if (typed.empty()) {
        check.problem = ExtensionProblem::Empty;
    } else if (!std::all_of(typed.begin(), typed.end(), isAllowedCharacter)) {
        check.problem = ExtensionProblem::BadCharacter;
    } else if (runsProgram(typed)) {
        check.problem = ExtensionProblem::RunsProgram;
    }
    return check;
}

std::string extensionRefusalMessage(const ExtensionCheck& check) {
    switch (check.problem) {
        case ExtensionProblem::None:
            return {};
        case ExtensionProblem::Empty:
            return "関連付けする拡張子を入力してください。";
        case ExtensionProblem::BadCharacter:
            // The typed text is not repeated: it may hold control characters.
            return "入力された拡張子には使えない文字が含まれています。"
                   "拡張子には半角の英字、数字と - _ + ~ だけが使えます"
                   "（空白、区切り文字、途中のドットは使えません）。";
        case ExtensionProblem::RunsProgram:
            return "拡張子「" + check.extension +
                   "」はプログラムやスクリプトの種類なので関連付けできません。";
    }
    return {};
}

}  // namespace nwmp
