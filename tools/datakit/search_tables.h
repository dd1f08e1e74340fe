#pragma once

#include "geography.h"
#include "output.h"

#include <cstdint>

namespace quorvane::datakit {

// The address tables ga_addp1_%02d / ga_addp2_%02d of the 47 prefectures (sample
// municipalities and districts at places on land) and the facility tables
// kensaku/001..014 (the real prefectural offices; sample entries otherwise).
void WriteSearchTables(const Geography& geo, std::uint64_t seed, const KitPaths& paths);

} // namespace quorvane::datakit
