#pragma once

#include "app/app_data.h"
#include "generated_kit.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace quorvane {

// A generated kit of 120 sites shared by the dialog benchmarks, with its hourly
// database set as the application's, and a site of Tokyo's area.
struct Kit {
    std::unique_ptr<test::TempDir> dir;
    std::unique_ptr<CAppData> app;
    int site = -1;

    Kit() : dir(test::GenerateSmallKit(QUORVANE_MAPDATA_FILES, 120, 1)) {
        if (!dir) {
            return; // the benchmarks then report that they have no kit
        }
        app = std::make_unique<CAppData>(
            AppLocations{(dir->path() / "program").string(), (dir->path() / "config").string()});
        app->WriteHourlyFolder((dir->path() / "program" / "HORIX-11").string());
        app->WriteMonthlyFolder((dir->path() / "program" / "KALVERA-11").string());
        // Tokyo's area map holds several neighbours' outlines.
        for (int i = 0; i < app->SiteCount(); ++i) {
            if (app->SiteAt(i)->areaCode == 27) {
                site = i;
                break;
            }
        }
        if (site < 0) {
            site = 0;
        }
    }
};

inline Kit& SharedKit() {
    static Kit kit;
    return kit;
}

// The shared kit, or nothing (the benchmark marked skipped) without the outlines.
inline Kit* SharedKitOrSkip(benchmark::State& state) {
    Kit& kit = SharedKit();
    if (!kit.app) {
        state.SkipWithError("r-cran-mapdata is not unpacked: no kit to draw");
        return nullptr;
    }
    return &kit;
}

} // namespace quorvane
