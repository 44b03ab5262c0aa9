#include "platform/windows/settings_file/ansi_text.hpp"

#include <windows.h>

#include <limits>

namespace nwmp::windows {

namespace {

// The conversion functions count in int; settings files are far smaller.
bool fitsInt(std::size_t length) {
    return length <= static_cast<std::size_t>(std::numeric_limits<int>::max() / 4);
}

std::optional<std::wstring> wideFrom(UINT codePage, DWORD flags, std::string_view bytes) {
    if (bytes.empty()) {
        return std::wstring();
    }
    if (!fitsInt(bytes.size())) {
        return std::nullopt;
    }
    const int inLength = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(codePage, flags, bytes.data(), inLength, nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, flags, bytes.data(), inLength, wide.data(), length);
    return wide;
}

std::optional<std::string> bytesFrom(UINT codePage, DWORD flags, std::wstring_view wide) {
    if (wide.empty()) {
        return std::string();
    }
    if (!fitsInt(wide.size())) {
        return std::nullopt;
    }
    const int inLength = static_cast<int>(wide.size());
    const int length =
        ::WideCharToMultiByte(codePage, flags, wide.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, flags, wide.data(), inLength, bytes.data(), length, nullptr,
                          nullptr);
    return bytes;
}

}  // namespace

std::optional<std::wstring> wideFromUtf8(std::string_view text) {
    return wideFrom(CP_UTF8, MB_ERR_INVALID_CHARS, text);
}

std::string utf8FromWide(std::wstring_view text) {
    return bytesFrom(CP_UTF8, 0, text).value_or(std::string());
}

std::string utf8FromAnsi(std::string_view bytes) {
    const std::optional<std::wstring> wide = wideFrom(CP_ACP, 0, bytes);
    return wide ? utf8FromWide(*wide) : std::string();
}

std::optional<std::string> ansiFromUtf8(std::string_view text) {
    const std::optional<std::wstring> wide = wideFromUtf8(text);
    if (!wide) {
        return std::nullopt;
    }
    // A system whose ANSI code page is UTF-8 takes no best-fit flag.
    const DWORD flags = ::GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    std::optional<std::string> bytes = bytesFrom(CP_ACP, flags, *wide);
    // Only a conversion that comes back to the same characters held them all; this also catches
    // the default character, which the UTF-8 code page cannot report.
    if (!bytes || wideFrom(CP_ACP, MB_ERR_INVALID_CHARS, *bytes) != wide) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace nwmp::windows
