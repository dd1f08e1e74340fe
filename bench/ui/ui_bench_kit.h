#pragma once

#include "app/app_data.h"
#include "kit.h"
#include "temp_dir.h"

#include <memory>

namespace quorvane {

// A generated kit of 120 sites shared by the dialog benchmarks, with its hourly
// database set as the application's, and a site of Tokyo's area.
struct Kit {
    test::TempDir dir;
    std::unique_ptr<CAppData> app;
    int site = -1;

    Kit() {
        datakit::KitOptions options;
        options.mapdataFolder = QUORVANE_MAPDATA_FILES;
        options.paths.root = dir.path() / "program";
        options.siteCount = 120;
        options.verbose = false;
        datakit::GenerateKit(options);
        app = std::make_unique<CAppData>(
            AppLocations{(dir.path() / "program").string(), (dir.path() / "config").string()});
        app->WriteHourlyFolder((dir.path() / "program" / "HORIX-11").string());
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

} // namespace quorvane
