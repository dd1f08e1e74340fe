#include "run_process.h"

#include <cstdlib>
#include <sys/wait.h>

namespace quorvane::test {

std::string ShellQuote(std::string_view text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

ProcessResult RunProcess(const std::filesystem::path& binary, const std::string& arguments,
                         const TempDir& scratch, const ProcessOptions& options) {
    const std::filesystem::path outPath = scratch.path() / "stdout";
    const std::filesystem::path errPath = scratch.path() / "stderr";
    std::string command = options.environment + " " + ShellQuote(binary.string()) + " " + arguments;
    if (options.input) {
        command += " <" + ShellQuote(scratch.Write("stdin", *options.input));
    }
    command += " >" + ShellQuote(outPath.string()) + " 2>" + ShellQuote(errPath.string());
    const int status = std::system(command.c_str());
    ProcessResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFileBytes(outPath);
    result.err = ReadFileBytes(errPath);
    return result;
}

} // namespace quorvane::test
