#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

// "folder/name", with one slash between them; `name` alone for an empty folder.
std::string JoinPath(const std::string& folder, std::string_view name);

// True for a file name made of `prefix`, exactly `digits` decimal digits and
// `suffix`, such as "mea47412.txt" (the names the data files are found by).
bool IsNumberedName(std::string_view name, std::string_view prefix, int digits,
                    std::string_view suffix = {});

// Whether `folder` holds a regular file (links followed) with such a name.
bool FolderHoldsNumberedFile(const std::string& folder, std::string_view prefix, int digits,
                             std::string_view suffix = {});

// Size limits of the data files, each well above what its format can hold: a
// reader never takes in more, whatever the path names.
inline constexpr std::uint64_t kMaxTableFileBytes = 16u << 20; // site, area, mesh tables
inline constexpr std::uint64_t kMaxSmallFileBytes = 1u << 20;  // monthly, sunrise/sunset, settings
inline constexpr std::uint64_t kMaxOutlineFileBytes = 64u << 20;  // outlines
inline constexpr std::uint64_t kMaxArchiveFileBytes = 256u << 20; // search archives

// True for a regular file (links followed) of at most `maxBytes`. A FIFO would
// block the open and a device (/dev/zero) never end, so readers ask this first.
bool IsReadableDataFile(const std::string& path, std::uint64_t maxBytes);

// Opens a data file for reading without blocking: -1 unless it is a regular file of
// at most `maxBytes`.
int OpenDataFile(const std::string& path, std::uint64_t maxBytes);

// The whole file; false when it is not a regular file of at most `maxBytes` or
// cannot be read to its end.
bool ReadWholeFile(const std::string& path, std::string& bytes,
                   std::uint64_t maxBytes = kMaxTableFileBytes);
// Creates missing folders, then writes through AtomicFileWriter: the target is
// replaced only when every byte was written.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

} // namespace quorvane
