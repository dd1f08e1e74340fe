// Shows one of the program's windows on its own, for screenshots and reviews:
//   quorvane_dialog_preview menu|data-setting|about|wind-legend|digit-input|
//       save-horizontal|save-slope
// or renders the site selection map offscreen in a given state:
//   quorvane_dialog_preview map --level 0|1|2|3 [--area A | --block B | --sheet S]
//       [--site N] [--search LON,LAT[,NAME]] [--hover X,Y] [--pick-sheets]
//       [--slide west|east|south|north,STEP] [--balloon] [--print] OUT.png
// and the two searches with Tokyo chosen:
//   quorvane_dialog_preview address-search|facility-search OUT.png
#include "app/about_dlg.h"
#include "app/app_data.h"
#include "app/chorix_app.h"
#include "app/dlg_data_setting.h"
#include "app/dlg_main_menu.h"
#include "app/viewer_factory.h"
#include "graph/dlg_wind_hanrei.h"
#include "hourly/dlg_file_save.h"
#include "map/dlg_kensaku.h"
#include "map/dlg_map.h"
#include "map/site_selection.h"
#include "ui/dlg_digit_input.h"
#include "ui/my_list_box.h"
#include "ui/text.h"

#include <QLineEdit>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace quorvane;

namespace {

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t comma = text.find(','); comma != std::string::npos;
         comma = text.find(',', start)) {
        parts.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

int MapPreview(CAppData& appData, int argc, char** argv) {
    int level = 0, area = -1, block = -1, sheet = -1, site = -1, slideStep = 0;
    std::string search, hover, slide, out;
    bool pickSheets = false, balloon = false, print = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : std::string(); };
        if (arg == "--level") {
            level = std::atoi(next().c_str());
        } else if (arg == "--area") {
            area = std::atoi(next().c_str());
        } else if (arg == "--block") {
            block = std::atoi(next().c_str());
        } else if (arg == "--sheet") {
            sheet = std::atoi(next().c_str());
        } else if (arg == "--site") {
            site = std::atoi(next().c_str());
        } else if (arg == "--search") {
            search = next();
        } else if (arg == "--hover") {
            hover = next();
        } else if (arg == "--slide") {
            slide = next();
        } else if (arg == "--pick-sheets") {
            pickSheets = true;
        } else if (arg == "--balloon") {
            balloon = true;
        } else if (arg == "--print") {
            print = true;
        } else {
            out = arg;
        }
    }
    if (out.empty()) {
        std::fputs("usage: quorvane_dialog_preview map --level L [options] OUT.png\n", stderr);
        return 2;
    }
    AppSelection& selection = appData.Selection();
    const int siteIndex = appData.FindSiteIndex(site);
    if (siteIndex >= 0) {
        selection.siteNumber = site;
        selection.areaCode = appData.Sites()[static_cast<std::size_t>(siteIndex)].areaCode;
    }
    CDlgMap dialog(appData, appData.Outlines());
    dialog.SetPrintMode(print);
    SiteSelectionModel& model = dialog.Model();
    model.SetBalloon(balloon || print);
    if (!search.empty()) {
        const std::vector<std::string> parts = Split(search);
        const std::string name = parts.size() > 2 ? parts[2] : "検索地点";
        model.SetBalloon(false);
        if (!model.OpenSearchResult(name, std::atof(parts[0].c_str()),
                                    parts.size() > 1 ? std::atof(parts[1].c_str()) : 0.0)) {
            std::fputs("the search point lies on no sheet with a picture\n", stderr);
            return 1;
        }
    } else if (level == 1 && block > 0) {
        model.OpenBlock(block);
    } else if (level == 2 && area > 0) {
        model.OpenArea(area);
    } else if (level == 3 && sheet > 0) {
        model.OpenSheet(sheet);
    } else if (level == 0) {
        model.OpenNational();
    }
    if (pickSheets) {
        model.ToggleSheetPicking();
    }
    dialog.Model().SetBalloon(balloon || print);
    dialog.RefreshFromModel();
    if (!hover.empty()) {
        const std::vector<std::string> xy = Split(hover);
        dialog.PaneMouseMove(QPoint(std::atoi(xy[0].c_str()), std::atoi(xy.at(1).c_str())));
    }
    if (!slide.empty()) {
        const std::vector<std::string> parts = Split(slide);
        static const char* const kNames[] = {"west", "east", "south", "north"};
        int direction = 0;
        for (int d = 0; d < 4; ++d) {
            direction = parts[0] == kNames[d] ? d : direction;
        }
        slideStep = parts.size() > 1 ? std::atoi(parts[1].c_str()) : 10;
        if (!dialog.StartSlide(static_cast<ArrowDirection>(direction))) {
            std::fputs("no sheet with a picture in that direction\n", stderr);
            return 1;
        }
        for (int step = 0; step < slideStep; ++step) {
            dialog.SlideTick();
        }
    }
    dialog.ensurePolished();
    const QImage image = dialog.grab().toImage();
    return image.save(QString::fromLocal8Bit(out.c_str())) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    CHORIXApp app(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "map") == 0) {
        CAppData appData(AppLocations::FromEnvironment());
        return MapPreview(appData, argc, argv);
    }
    if (argc == 3 && (std::strcmp(argv[1], "address-search") == 0 ||
                      std::strcmp(argv[1], "facility-search") == 0)) {
        // Tokyo chosen, with its first municipality and district or its office.
        CAppData appData(AppLocations::FromEnvironment());
        QImage image;
        if (argv[1][0] == 'a') {
            CDlgKensaku1 search(appData.MapFolder());
            search.PrefectureList()->setCurrentRow(12);
            search.MunicipalityList()->setCurrentRow(0);
            search.DistrictList()->setCurrentRow(0);
            image = search.grab().toImage();
        } else {
            CDlgKensaku2 search(appData.MapFolder());
            search.PrefectureList()->setCurrentRow(12);
            image = search.grab().toImage();
        }
        return image.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    if (argc != 2) {
        std::fputs("usage: quorvane_dialog_preview "
                   "menu|data-setting|about|wind-legend|digit-input|\n"
                   "    save-horizontal|save-horizontal-year|save-slope\n",
                   stderr);
        return 2;
    }
    CAppData appData(AppLocations::FromEnvironment());
    std::unique_ptr<ViewerFactory> viewers = CreateViewerFactory(appData);
    std::unique_ptr<QDialog> dialog;
    const std::string_view name = argv[1];
    if (name == "menu") {
        dialog = std::make_unique<CDlgMainMenu>(appData, *viewers);
    } else if (name == "data-setting") {
        dialog = std::make_unique<CDlgDataSetting>(QStringLiteral("/home/user/データ/HORIX-11"),
                                                   QStringLiteral("/home/user/データ/KALVERA-11"));
    } else if (name == "about") {
        dialog = std::make_unique<CAboutDlg>();
    } else if (name == "wind-legend") {
        dialog = std::make_unique<CDlgWindHanrei>();
    } else if (name == "save-horizontal") {
        dialog = std::make_unique<CDlgFileSaveH>(ExportKind::Day);
    } else if (name == "save-horizontal-year") {
        dialog = std::make_unique<CDlgFileSaveH>(ExportKind::WholeYear);
    } else if (name == "save-slope") {
        dialog = std::make_unique<CDlgFileSaveS>(ExportKind::WholeYear, HourlyAngleMode::Orientation,
                                                 30, 45);
    } else if (name == "digit-input") {
        auto digits = std::make_unique<CDlgDigitInput>();
        digits->SetPosition(QPoint(200, 200));
        digits->SetValue(30);
        dialog = std::move(digits);
    } else {
        std::fprintf(stderr, "unknown window: %s\n", argv[1]);
        return 2;
    }
    QObject::connect(dialog.get(), &QDialog::finished, &QApplication::quit);
    dialog->show();
    return QApplication::exec();
}
