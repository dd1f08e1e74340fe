#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane::datakit {

// Where a kit goes: <root>/data (the program's map folder), <root>/HORIX-11 and
// <root>/KALVERA-11 (the two databases).
struct KitPaths {
    std::filesystem::path root;
    std::filesystem::path MapFolder() const { return root / "data"; }
    std::filesystem::path Map() const { return root / "data" / "map"; }
    std::filesystem::path Hourly() const { return root / "HORIX-11"; }
    std::filesystem::path Monthly() const { return root / "KALVERA-11"; }
};

// Writes `bytes` to `path`, creating its folders. Throws std::runtime_error on failure.
void WriteFile(const std::filesystem::path& path, std::string_view bytes);

// printf into a std::string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace quorvane::datakit
