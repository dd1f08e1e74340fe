#include "cli/command.h"
#include "cli/graph_output.h"
#include "data/atomic_file.h"
#include "data/settings.h"
#include "data/site_catalogue.h"
#include "monthly/monthly_table.h"
#include "monthly/monthly_table_print.h"
#include "ui/text.h"

#include <QApplication>
#include <QPrinter>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage =
    "quorvane-cli monthly-table [--data-root DIR] [--kalvera DIR]\n"
    "    (--site N | --sites N,M,... | --all) [--pdf FILE] [--csv FILE]\n"
    "    --pdf prints the monthly data table of each site on two portrait A4 pages, as\n"
    "    the table's batch printing does (--all: every site of the catalogue); --csv\n"
    "    writes one site's 129 rows of values with their captions (UTF-8 with a BOM)";

constexpr int kProgressEvery = 25;

int UsageError(const std::string& error) {
    return ReportUsageError("monthly-table", kUsage, error);
}

// The PDF goes to a temporary file renamed into place when complete, so an
// interrupted batch never leaves a half-written file under the user's name.
bool PrintTables(const std::string& path, const std::vector<int>& siteNumbers,
                 const std::vector<CAmedasPoint>& sites, const std::string& folder,
                 bool& allLoaded) {
    const std::string target = ResolveWriteTarget(path);
    const std::string partial = target + ".partial";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromLocal8Bit(partial.c_str()));
    PrinterTablePages pages(printer);
    if (!pages.Begin()) {
        return false;
    }
    const int scale = TablePrintScale(pages.Printable().Width(), kTableFrameWidth);
    auto record = std::make_unique<MonthlyRecord>();
    StderrReporter reporter;
    const int total = static_cast<int>(siteNumbers.size());
    for (int i = 0; i < total; ++i) {
        const int index = FindSiteIndex(sites, siteNumbers[static_cast<std::size_t>(i)]);
        const CAmedasPoint& site = sites[static_cast<std::size_t>(index)];
        MonthlyTableInput in;
        if (LoadMonthlyData(folder, site.siteNumber, *record, reporter) != LoadStatus::Ok) {
            // The loader's message does not say which site of a batch it was.
            PrintMessage("地点 " + std::to_string(site.siteNumber) +
                         " のデータが読み込めないため、読み込み失敗と記したページを出力しました。");
            allLoaded = false;
            in.loadFailed = true;
        }
        in.record = record.get();
        in.siteFound = true;
        in.siteName = ToQString(site.name);
        PrintSiteTable(pages, in, scale);
        if (total > kProgressEvery && ((i + 1) % kProgressEvery == 0 || i + 1 == total)) {
            std::fprintf(stderr, "monthly-table: %d / %d sites\n", i + 1, total);
        }
    }
    std::error_code ignored;
    if (!pages.End()) {
        std::filesystem::remove(partial, ignored);
        return false;
    }
    std::error_code renamed;
    std::filesystem::rename(partial, target, renamed);
    if (renamed) {
        std::filesystem::remove(partial, ignored);
        return false;
    }
    return true;
}

int RunMonthlyTable(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!ParseOptionsOnly(argc, argv, {"all"}, args, error)) {
        return UsageError(error);
    }
    const int choices = int{args.Has("site")} + int{args.Has("sites")} + int{args.Has("all")};
    if (choices != 1) {
        return UsageError("give exactly one of --site, --sites and --all");
    }
    if (!args.Has("pdf") && !args.Has("csv")) {
        return UsageError("--pdf or --csv is required");
    }
    if (args.Has("csv") && !args.Has("site")) {
        return UsageError("--csv writes one site's table: use --site");
    }
    std::vector<int> requested;
    int single = 0;
    if (args.Has("site")) {
        if (!args.GetInt("site", single, error)) {
            return UsageError(error);
        }
        requested.push_back(single);
    } else if (!ReadIntList(args, "sites", 0, 99999, requested, error)) {
        return UsageError(error);
    }

    const AppLocations locations = AppLocations::FromEnvironment();
    const std::string dataRoot = args.Get("data-root").value_or(locations.MapFolder());
    const std::string folder =
        args.Get("kalvera").value_or(ReadDataFolders(locations.SettingsFile()).monthly);
    std::vector<CAmedasPoint> sites;
    if (LoadSiteTable(dataRoot, sites) != LoadStatus::Ok) {
        PrintMessage("地点一覧が読み込めません。");
        return kExitFailure;
    }
    if (args.Has("all")) {
        for (const CAmedasPoint& site : sites) {
            requested.push_back(site.siteNumber);
        }
    }
    bool ok = true;
    std::vector<int> printable;
    for (const int number : requested) {
        if (FindSiteIndex(sites, number) < 0) {
            PrintMessage("地点一覧にない地点です: " + std::to_string(number));
            ok = false;
        } else {
            printable.push_back(number);
        }
    }

    if (const auto csv = args.Get("csv"); csv && !printable.empty()) {
        const CAmedasPoint& site = sites[static_cast<std::size_t>(FindSiteIndex(sites, single))];
        auto record = std::make_unique<MonthlyRecord>();
        StderrReporter reporter;
        ok &= LoadMonthlyData(folder, single, *record, reporter) == LoadStatus::Ok;
        if (const WriteStatus status = WriteMonthlyTableCsv(*csv, *record, site.name);
            status != WriteStatus::Completed) {
            PrintMessage(WriteStatusMessage(status));
            return kExitFailure;
        }
    }
    if (const auto pdf = args.Get("pdf"); pdf && !printable.empty()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        int qtArgc = 1;
        char name[] = "quorvane-cli";
        char* qtArgv[] = {name, nullptr};
        QApplication application(qtArgc, qtArgv);
        if (!PrintTables(*pdf, printable, sites, folder, ok)) {
            PrintMessage("出力ファイルが開けません。");
            return kExitFailure;
        }
    }
    return ok ? kExitOk : kExitFailure;
}

const CommandRegistration kRegistration({"monthly-table", kUsage, RunMonthlyTable});

} // namespace

} // namespace quorvane::cli
