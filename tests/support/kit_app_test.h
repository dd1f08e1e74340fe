#pragma once

// Include only from tests that link quorvane_app and quorvane_datakit and define
// QUORVANE_MAPDATA_FILES.
#include "app/app_data.h"
#include "kit_suite.h"

#include <gtest/gtest.h>
#include <memory>

namespace quorvane::test {

// A fixture whose suite shares one generated kit of `SiteCount` sites; each test
// gets the program's data on it, with both databases set. Tests skip when the
// outlines are not unpacked.
template <int SiteCount, std::uint64_t Seed>
class KitAppTest : public GeneratedKitSuite<SiteCount, Seed> {
protected:
    using GeneratedKitSuite<SiteCount, Seed>::kit;

    void SetUp() override {
        GeneratedKitSuite<SiteCount, Seed>::SetUp();
        if (kit == nullptr) {
            return;
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

    std::unique_ptr<CAppData> app;
};

} // namespace quorvane::test
