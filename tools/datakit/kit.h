#pragma once

#include "output.h"

#include <cstdint>
#include <string>

namespace quorvane::datakit {

struct KitOptions {
    std::string mapdataFolder; // holds japan.L, japan.G, japan.N
    KitPaths paths;
    std::uint64_t seed = 1;
    int siteCount = 837;
    int threads = 2;
    // Off: only the "data" folder (the databases are still simulated, since the
    // colour maps summarise them, but not written).
    bool databases = true;
    bool verbose = true;
};

// Writes the whole kit. Throws std::runtime_error when something cannot be done.
void GenerateKit(const KitOptions& options);

} // namespace quorvane::datakit
