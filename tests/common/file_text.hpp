#pragma once

// A file's whole content as bytes, read and written in one go.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace nwmp::testing {

// Empty text when the file cannot be read.
inline std::string readAll(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// Makes the folders on the way as needed.
inline void writeAll(const std::filesystem::path& file, const std::string& text) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    std::ofstream(file, std::ios::binary) << text;
}

}  // namespace nwmp::testing
