// Shows one of the program's windows on its own, for screenshots and reviews:
//   quorvane_dialog_preview menu|data-setting|about|wind-legend|digit-input|
//       save-horizontal|save-slope
// or renders the site selection map offscreen in a given state:
//   quorvane_dialog_preview map --level 0|1|2|3 [--area A | --block B | --sheet S]
//       [--site N] [--search LON,LAT[,NAME]] [--hover X,Y] [--pick-sheets]
//       [--slide west|east|south|north,STEP] [--balloon] [--print] [--find TEXT] OUT.png
// and the two searches with Tokyo chosen:
//   quorvane_dialog_preview address-search|facility-search OUT.png
// and the viewers on the databases of the settings (XDG_CONFIG_HOME, as the program):
//   quorvane_dialog_preview hourly-viewer [--site N] [--slope] [--mode 0|1|2]
//       [--view 0..4] [--month M] [--day D] OUT.png
//   quorvane_dialog_preview monthly-viewer [--site N] [--display 0|1|2] [--month M] OUT.png
//   quorvane_dialog_preview monthly-table [--site N] [--scroll S] OUT.png
//   quorvane_dialog_preview colormap [--kind 0|1|2] [--zoom STEPS] OUT.png
// Everything renders offscreen (QT_QPA_PLATFORM=offscreen) at QT_SCALE_FACTOR.
#include "app/about_dlg.h"
#include "app/app_data.h"
#include "app/chorix_app.h"
#include "app/dlg_data_setting.h"
#include "app/dlg_main_menu.h"
#include "app/viewer_factory.h"
#include "colormap/dlg_color_map.h"
#include "graph/dlg_wind_hanrei.h"
#include "hourly/dlg_file_save.h"
#include "hourly/dlg_graph.h"
#include "map/dlg_kensaku.h"
#include "map/dlg_map.h"
#include "map/find_site_panel.h"
#include "map/site_selection.h"
#include "monthly/dlg_kalvera.h"
#include "monthly/dlg_kalvera_table.h"
#include "ui/dlg_digit_input.h"
#include "ui/my_list_box.h"
#include "ui/qt_platform.h"
#include "ui/site_picker.h"
#include "ui/text.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <cstdio>
#include <cstring>
#include <map>
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
    std::string search, hover, slide, find, out;
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
        } else if (arg == "--find") {
            find = next();
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
    if (!find.empty()) {
        dialog.Finder()->Field()->setText(QString::fromStdString(find));
    }
    dialog.ensurePolished();
    const QImage image = dialog.grab().toImage();
    return image.save(QString::fromLocal8Bit(out.c_str())) ? 0 : 1;
}

// The options of a viewer preview (--name value) and its output file.
struct ViewerOptions {
    std::map<std::string, std::string> values;
    std::string out;
    int Int(const std::string& name, int fallback) const {
        const auto it = values.find(name);
        return it == values.end() ? fallback : std::atoi(it->second.c_str());
    }
    bool Has(const std::string& name) const { return values.count(name) != 0; }
};

ViewerOptions ParseViewerOptions(int argc, char** argv) {
    ViewerOptions options;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--slope") {
            options.values[arg] = "1";
        } else if (arg.rfind("--", 0) == 0 && i + 1 < argc) {
            options.values[arg] = argv[++i];
        } else {
            options.out = arg;
        }
    }
    return options;
}

// Qt's platform on a desktop of a fixed size: the colour map sizes itself from the
// desktop, and the offscreen screen's size does not follow QT_SCALE_FACTOR.
class FixedDesktopPlatform final : public Platform {
public:
    void ShowMessage(QWidget* parent, const QString& text) override {
        qt_.ShowMessage(parent, text);
    }
    bool AskYesNo(QWidget* parent, const QString& text) override {
        return qt_.AskYesNo(parent, text);
    }
    std::optional<QString> BrowseFolder(QWidget* parent, const QString& title,
                                        const QString& initialFolder) override {
        return qt_.BrowseFolder(parent, title, initialFolder);
    }
    std::optional<QString> SaveFileName(QWidget* parent, const SaveFileRequest& request) override {
        return qt_.SaveFileName(parent, request);
    }
    std::unique_ptr<QPrinter> ChoosePrinter(QWidget* parent, const PrintRequest& request) override {
        return qt_.ChoosePrinter(parent, request);
    }
    int RunModal(QDialog& dialog) override { return qt_.RunModal(dialog); }
    void PushWaitCursor() override { qt_.PushWaitCursor(); }
    void PopWaitCursor() override { qt_.PopWaitCursor(); }
    void Pause(int milliseconds) override { qt_.Pause(milliseconds); }
    std::unique_ptr<PlatformTimer> CreateTimer(std::function<void()> onTimeout) override {
        return qt_.CreateTimer(std::move(onTimeout));
    }
    QRect WorkArea(const QWidget*) const override { return {0, 0, 1280, 1000}; }
    int PopupMenu(QWidget* parent, QPoint screenPosition, const QStringList& items) override {
        return qt_.PopupMenu(parent, screenPosition, items);
    }
    void CopyImage(const QImage& image) override { qt_.CopyImage(image); }
    bool RunWithProgress(QWidget* parent, const QString& label, WorkProgress& progress,
                         const std::function<void()>& work) override {
        return qt_.RunWithProgress(parent, label, progress, work);
    }
    void CopyText(const QString& text) override { qt_.CopyText(text); }

private:
    QtPlatform qt_;
};

// A viewer starts on the given site, or the catalogue's first; the map is never asked.
struct NoSitePicker final : SitePicker {
    std::optional<int> PickSite(QWidget*, bool) override { return std::nullopt; }
};

void ChooseSite(CAppData& appData, const ViewerOptions& options) {
    if (appData.Sites().empty()) {
        return;
    }
    const int index = std::max(0, appData.FindSiteIndex(options.Int("--site", -1)));
    const CAmedasPoint& site = appData.Sites()[static_cast<std::size_t>(index)];
    appData.Selection().siteNumber = site.siteNumber;
    appData.Selection().areaCode = site.areaCode;
    appData.Selection().month = std::clamp(options.Int("--month", 1), 1, 12);
    appData.Selection().day = std::clamp(options.Int("--day", 1), 1, 28);
}

void Click(QWidget& dialog, const std::string& id) {
    if (auto* button = dialog.findChild<QAbstractButton*>(QString::fromStdString(id))) {
        button->click();
    }
}

int SaveGrab(QWidget& dialog, const std::string& out) {
    if (out.empty()) {
        std::fputs("usage: quorvane_dialog_preview MODE [options] OUT.png\n", stderr);
        return 2;
    }
    dialog.ensurePolished();
    dialog.adjustSize();
    return dialog.grab().toImage().save(QString::fromLocal8Bit(out.c_str())) ? 0 : 1;
}

int ViewerPreview(const std::string& mode, int argc, char** argv) {
    const ViewerOptions options = ParseViewerOptions(argc, argv);
    CAppData appData(AppLocations::FromEnvironment());
    appData.ReadDataFolders();
    ChooseSite(appData, options);
    NoSitePicker sites;
    if (mode == "hourly-viewer") {
        CDlgGraph viewer(appData, sites);
        Click(viewer, options.Has("--slope") ? "1060" : "1059");
        static const char* const kModes[] = {"1056", "1057", "1058"};
        static const char* const kViews[] = {"1026", "1010", "1011", "1013", "1027"};
        Click(viewer, kModes[std::clamp(options.Int("--mode", 0), 0, 2)]);
        Click(viewer, kViews[std::clamp(options.Int("--view", 0), 0, 4)]);
        return SaveGrab(viewer, options.out);
    }
    if (mode == "monthly-viewer") {
        CDlgKalvera viewer(appData, sites);
        static const char* const kDisplays[] = {"1059", "1060", "1067"};
        Click(viewer, kDisplays[std::clamp(options.Int("--display", 0), 0, 2)]);
        return SaveGrab(viewer, options.out);
    }
    if (mode == "monthly-table") {
        CDlgKalveraTable table(appData, sites);
        table.SetScrollPosition(options.Int("--scroll", 0));
        return SaveGrab(table, options.out);
    }
    FixedDesktopPlatform desktop;
    const ScopedPlatform installed(desktop);
    CDlgColorMap map(appData.MapFolder());
    if (!map.Opened()) {
        return 1;
    }
    static const char* const kKinds[] = {"1002", "1003", "1004"};
    Click(map, kKinds[std::clamp(options.Int("--kind", 0), 0, 2)]);
    for (int step = options.Int("--zoom", 0); step > 0; --step) {
        Click(map, "1081");
    }
    return SaveGrab(map, options.out);
}

} // namespace

int main(int argc, char** argv) {
    CHORIXApp app(argc, argv);
    if (argc >= 2) {
        const std::string mode = argv[1];
        if (mode == "hourly-viewer" || mode == "monthly-viewer" || mode == "monthly-table" ||
            mode == "colormap") {
            return ViewerPreview(mode, argc, argv);
        }
    }
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
        dialog = std::make_unique<CDlgFileSaveS>(ExportKind::WholeYear,
                                                 HourlyAngleMode::Orientation, 30, 45);
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
