#pragma once

// Include only from tests that link quorvane_app and quorvane_datakit and define
// QUORVANE_MAPDATA_FILES.
#include "app/app_data.h"
#include "generated_kit.h"

#include <gtest/gtest.h>
#include <memory>

namespace quorvane::test {

// A fixture whose suite shares one generated kit of `SiteCount` sites; each test
// gets the program's data on it, with both databases set. Tests skip when the
// outlines are not unpacked.
template <int SiteCount, std::uint64_t Seed>
class KitAppTest : public ::testing::Test {
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
        const std::filesystem::path program = kit->path() / "program";
        app = std::make_unique<CAppData>(
            AppLocations{program.string(), (kit->path() / "config").string()});
        app->WriteHourlyFolder((program / "HORIX-11").string());
        app->WriteMonthlyFolder((program / "KALVERA-11").string());
        ASSERT_GT(app->SiteCount(), 1);
    }
    // Makes catalogue site `index` the current one.
    void SelectSite(int index) {
        app->Selection().siteNumber = app->SiteAt(index)->siteNumber;
        app->Selection().areaCode = app->SiteAt(index)->areaCode;
    }

    inline static TempDir* kit = nullptr;
    std::unique_ptr<CAppData> app;
};

} // namespace quorvane::test
