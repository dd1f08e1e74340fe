#include "data/program_inputs.h"

#include "data/atomic_file.h"
#include "data/file_io.h"

#include <filesystem>
#include <mutex>
#include <system_error>
#include <vector>

namespace quorvane {

namespace fs = std::filesystem;

namespace {

// The path with every symbolic link resolved, as far as the path exists; the rest is
// kept lexically normal.
fs::path Canonical(const std::string& path) {
    std::error_code error;
    fs::path full = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? fs::path(path).lexically_normal() : full;
}

bool IsUnder(const fs::path& path, const fs::path& folder) {
    auto p = path.begin();
    for (const fs::path& part : folder) {
        if (part.empty()) {
            continue; // the trailing separator of "dir/"
        }
        if (p == path.end() || *p != part) {
            return false;
        }
        ++p;
    }
    return p != path.end();
}

bool SameFolder(const fs::path& a, const fs::path& b) {
    return a.lexically_normal() == b.lexically_normal();
}

std::mutex guardMutex;
std::vector<ProgramInputs> protectedInputs;

} // namespace

bool IsProgramInput(const ProgramInputs& inputs, const std::string& path) {
    if (path.empty()) {
        return false;
    }
    const fs::path target = Canonical(ResolveWriteTarget(path));
    if (!inputs.mapFolder.empty() && IsUnder(target, Canonical(inputs.mapFolder))) {
        return true;
    }
    const std::string name = target.filename().string();
    // "<hourly folder>/<year folder>/mea12345.txt" (max, min), whatever the year
    // folder's spelling.
    const bool hourlyName = IsNumberedName(name, "mea", 5, ".txt") ||
                            IsNumberedName(name, "max", 5, ".txt") ||
                            IsNumberedName(name, "min", 5, ".txt");
    if (!inputs.hourlyFolder.empty() && hourlyName &&
        SameFolder(target.parent_path().parent_path(), Canonical(inputs.hourlyFolder))) {
        return true;
    }
    // "<monthly folder>/m12345", and "12345" of the older edition.
    const bool monthlyName = IsNumberedName(name, "m", 5) || IsNumberedName(name, "", 5);
    return !inputs.monthlyFolder.empty() && monthlyName &&
           SameFolder(target.parent_path(), Canonical(inputs.monthlyFolder));
}

void ProtectProgramInputs(const ProgramInputs& inputs) {
    std::lock_guard lock(guardMutex);
    protectedInputs.push_back(inputs);
}

bool IsProtectedInput(const std::string& path) {
    std::lock_guard lock(guardMutex);
    for (const ProgramInputs& inputs : protectedInputs) {
        if (IsProgramInput(inputs, path)) {
            return true;
        }
    }
    return false;
}

void ClearProtectedInputs() {
    std::lock_guard lock(guardMutex);
    protectedInputs.clear();
}

} // namespace quorvane
