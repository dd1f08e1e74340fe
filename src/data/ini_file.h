#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// A small INI reader and writer in the manner of the Windows profile functions:
// section and key names match without regard to ASCII case, values are trimmed of
// surrounding blanks and of one pair of matching quotes. Writing one key leaves
// every other line of the file byte for byte as it was.

// The value of `key` in the first `[section]` of `text`, or nothing.
std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// `text` with `key` set to `value`: the key's line is replaced in place, or the key
// is added at the end of its section, or the section is added at the end. New lines
// use the line end the text already uses (LF for an empty text). False, with `text`
// untouched, for a value holding a line break (it could not be read back).
bool SetIniValue(std::string& text, std::string_view section, std::string_view key,
                 std::string_view value);

// Reads one value from the file at `path`; `fallback` when the file, section or key is missing.
std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view fallback = {});

// Writes one value, creating the file if needed; the file is replaced only when
// completely written. False when the value cannot be stored or the file not written.
bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

} // namespace quorvane
