#pragma once

// Include only from targets that link quorvane_datakit and define
// QUORVANE_MAPDATA_FILES.
#include "generated_kit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace quorvane::test {

// A suite whose tests share one generated kit of `SiteCount` sites; they skip when the
// outlines are not unpacked.
template <int SiteCount, std::uint64_t Seed>
class GeneratedKitSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        kit = GenerateSmallKit(QUORVANE_MAPDATA_FILES, SiteCount, Seed).release();
    }
    static void TearDownTestSuite() {
        delete kit;
        kit = nullptr;
    }
    void SetUp() override {
        if (kit == nullptr) {
            GTEST_SKIP() << "r-cran-mapdata is not unpacked at " << QUORVANE_MAPDATA_FILES;
        }
    }
    // A folder of the kit's program folder ("data", "HORIX-11", "KALVERA-11").
    static std::string Folder(const char* name) {
        return (kit->path() / "program" / name).string();
    }

    inline static TempDir* kit = nullptr;
};

} // namespace quorvane::test
