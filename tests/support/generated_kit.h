#pragma once

// Include only from targets that link quorvane_datakit.
#include "kit.h"
#include "temp_dir.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace quorvane::test {

// A small sample kit generated from the real outlines, in a scratch folder whose
// "program" folder plays the executable's folder (its "data" is the map folder);
// nothing when the outlines are not unpacked at `mapdataFolder`.
inline std::unique_ptr<TempDir> GenerateSmallKit(const std::string& mapdataFolder, int siteCount,
                                                 std::uint64_t seed) {
    if (!std::filesystem::exists(std::filesystem::path(mapdataFolder) / "japan.L")) {
        return nullptr;
    }
    auto dir = std::make_unique<TempDir>();
    datakit::KitOptions options;
    options.mapdataFolder = mapdataFolder;
    options.paths.root = dir->path() / "program";
    options.siteCount = siteCount;
    options.seed = seed;
    options.verbose = false;
    datakit::GenerateKit(options);
    return dir;
}

} // namespace quorvane::test
