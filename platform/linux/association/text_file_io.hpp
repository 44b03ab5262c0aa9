#pragma once

// Whole-file reads and crash-safe writes of the small text files the association keeps.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace nwmp::xdg {

// The file's bytes; nothing when it does not exist or cannot be read.
std::optional<std::string> readTextFile(const std::filesystem::path& file);

// Writes through a temporary file in the same folder, flushed to disk and renamed over the
// target, so a crash leaves either the old file or the new one, never half of one. An existing
// file keeps its permission bits. Reads the file back and reports success only when it holds
// exactly `text`.
bool writeTextFileAtomically(const std::filesystem::path& file, std::string_view text);

// Whether the folder (created when missing) and, when it exists, the file may be written.
// A folder or file without any write bit counts as read-only even for the superuser: someone
// made it so on purpose, and the superuser's access check would ignore that.
bool mayWrite(const std::filesystem::path& folder, const std::filesystem::path& file = {});

// Removes the file; true when it is gone afterwards.
bool removeFile(const std::filesystem::path& file);

}  // namespace nwmp::xdg
