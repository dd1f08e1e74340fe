#pragma once

#include "temp_dir.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane::test {

// Wraps `text` in single quotes so a POSIX shell takes it as one word.
std::string ShellQuote(std::string_view text);

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

struct ProcessOptions {
    // Shell assignments put before the command, e.g. "LANG=C HOME='/x'".
    std::string environment;
    // Bytes fed to standard input; without it the child inherits ours.
    std::optional<std::string> input;
};

// Runs `binary` with `arguments` (shell words, quoted by the caller where needed) through the
// shell, capturing standard output and error in files inside `scratch`.
ProcessResult RunProcess(const std::filesystem::path& binary, const std::string& arguments,
                         const TempDir& scratch, const ProcessOptions& options = {});

} // namespace quorvane::test
