#pragma once

// The user's own extension, typed into Text2, is checked before anything is registered or
// removed for it: it becomes a registry key, a class key, an icon file name and (on Linux) a
// MIME glob, so it must be one harmless extension and nothing else.

#include <array>
#include <string>
#include <string_view>

namespace nwmp {

enum class ExtensionProblem {
    None,
    Empty,         // nothing left once the leading dot is taken off
    BadCharacter,  // blank, path separator, control character, a further dot or the like
    RunsProgram,   // a program, script or shortcut type: opening it must not be redirected
};

struct ExtensionCheck {
    std::string extension;  // the typed text without its one leading dot
    ExtensionProblem problem = ExtensionProblem::None;
};

// Types that start programs or change the system when opened, compared without letter case.
inline constexpr auto kProgramExtensions = std::to_array<std::string_view>({
    "exe",         "com",      "bat",       "cmd",    "lnk",  "pif", "scr",     "msi", "msp",
    "mst",         "reg",      "dll",       "sys",    "ocx",  "drv", "cpl",     "inf", "ins",
    "vb",          "vbs",      "vbe",       "js",     "jse",  "wsf", "wsh",     "wsc", "ws",
    "ps1",         "psm1",     "psd1",      "ps1xml", "msc",  "hta", "jar",     "scf", "url",
    "application", "gadget",   "appref-ms", "sh",     "bash", "csh", "ksh",     "zsh", "fish",
    "desktop",     "appimage", "run",       "py",     "pl",   "rb",  "command",
});

// Takes off one leading dot and checks what is left. Letters, digits and "-", "_", "+", "~"
// are allowed (ASCII only, so the name means the same in every code page).
ExtensionCheck checkCustomExtension(std::string_view typed);

// The message that refuses a checked extension; empty for ExtensionProblem::None.
std::string extensionRefusalMessage(const ExtensionCheck& check);

}  // namespace nwmp
