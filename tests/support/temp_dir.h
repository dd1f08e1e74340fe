#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvane::test {

// A fresh folder for one test, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    // Writes `bytes` to `relative` (creating folders) and returns the full path.
    std::string Write(std::string_view relative, std::string_view bytes) const;
    // The bytes of `relative`, empty when it cannot be read.
    std::string Read(std::string_view relative) const;

private:
    std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& file);

} // namespace quorvane::test
