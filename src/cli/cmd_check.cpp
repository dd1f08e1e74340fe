#include "cli/command.h"
#include "data/file_io.h"
#include "data/hourly_file.h"
#include "data/reporter.h"
#include "data/settings.h"
#include "data/site_catalogue.h"
#include "data/sunrise_sunset.h"
#include "map/area_polygons.h"
#include "map/mesh_layer.h"
#include "map/search_archive.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace quorvane::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "quorvane-cli check [--data-root DIR]\n"
    "    reads every table, outline, search table and sunrise/sunset table of the data\n"
    "    folder as the viewers do; prints 'FILE: reason' on stderr for each one that\n"
    "    cannot be read, then 'N files, M with problems'";

int UsageError(const std::string& error) {
    return ReportUsageError("check", kUsage, error);
}

const char* Reason(LoadStatus status) {
    switch (status) {
    case LoadStatus::Ok:
        return nullptr;
    case LoadStatus::TooLarge:
        return "ファイルが大きすぎます。";
    case LoadStatus::Truncated:
        return "ファイルの終わりを越えて読み込もうとしました。";
    case LoadStatus::UnconvertibleText:
        return "文字コードを変換できない文字があります。";
    case LoadStatus::UnexpectedFormat:
    case LoadStatus::Damaged:
        return "ファイルの形式が正しくありません。";
    default:
        return "ファイルを読み込めません。";
    }
}

class Checker {
public:
    explicit Checker(std::string root) : root_(std::move(root)) {}

    void Note(const std::string& path, LoadStatus status) {
        ++files_;
        if (const char* reason = Reason(status)) {
            ++problems_;
            PrintMessage(path + ": " + reason);
        }
    }

    // The entries of one folder whose names match, in name order; a missing folder
    // has none.
    std::vector<fs::path> Entries(const std::string& folder, std::string_view prefix, int digits,
                                  std::string_view suffix = {}) const {
        std::vector<fs::path> found;
        std::error_code error;
        for (fs::directory_iterator it(root_ + folder, error), end; !error && it != end;
             it.increment(error)) {
            if (IsNumberedName(it->path().filename().string(), prefix, digits, suffix)) {
                found.push_back(it->path());
            }
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    void Catalogue() {
        std::vector<CAmedasPoint> sites;
        NullReporter silent;
        Note(root_ + "/map/zahyo/point_amedas.txt", LoadSiteTable(root_, sites, silent));
        auto records = std::make_unique<MapInfoTable>();
        for (int level = 0; level < 3; ++level) {
            Note(root_ + "/map/zahyo/code_map" + std::to_string(level + 1) + ".txt",
                 LoadAreaTable(root_, level, *records));
        }
    }

    void Outlines() {
        NullReporter silent;
        std::vector<CPolygon> outline;
        for (const fs::path& path : Entries("/map/area", "", 2)) {
            const int code = std::stoi(path.filename().string());
            Note(path.string(), LoadAreaPolygons(root_, code, outline, silent));
        }
    }

    void SearchTables() {
        NullReporter silent;
        std::vector<MunicipalityRecord> municipalities;
        std::vector<DistrictRecord> districts;
        std::vector<CF_CHIN> facilities;
        for (const fs::path& path : Entries("/map/GaikuTabl", "ga_addp1_", 2)) {
            Note(path.string(), ReadMunicipalityFile(path.string(), municipalities, silent));
        }
        for (const fs::path& path : Entries("/map/GaikuTabl", "ga_addp2_", 2)) {
            Note(path.string(), ReadDistrictFile(path.string(), districts, silent));
        }
        for (const fs::path& path : Entries("/map/kensaku", "", 3)) {
            Note(path.string(), ReadFacilityFile(path.string(), facilities, silent));
        }
    }

    void MeshTables() {
        for (const fs::path& path : Entries("/map/table", "m", 4, ".list")) {
            std::string text;
            if (!ReadWholeFile(path.string(), text)) {
                Note(path.string(), LoadStatus::CannotRead);
                continue;
            }
            MeshLayer layer;
            AddMeshTableLines(text, {122.0, 46.0, 154.0, 20.0}, layer);
            Note(path.string(), LoadStatus::Ok);
        }
    }

    void SunriseTables() {
        auto set = std::make_unique<HourlyDataSet>();
        for (const fs::path& path : Entries("/map/zahyo/sunrise_sunset", "", 5)) {
            Note(path.string(),
                 LoadSunriseSunset(*set, std::stoi(path.filename().string()), root_));
        }
    }

    int Finish() const {
        std::printf("%d files, %d with problems\n", files_, problems_);
        return problems_ == 0 ? kExitOk : kExitFailure;
    }

private:
    std::string root_;
    int files_ = 0;
    int problems_ = 0;
};

int RunCheck(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!ParseOptionsOnly(argc, argv, {}, args, error)) {
        return UsageError(error);
    }
    Checker checker(args.Get("data-root").value_or(AppLocations::FromEnvironment().MapFolder()));
    checker.Catalogue();
    checker.Outlines();
    checker.SearchTables();
    checker.MeshTables();
    checker.SunriseTables();
    return checker.Finish();
}

const CommandRegistration kRegistration({"check", kUsage, &RunCheck});

} // namespace

} // namespace quorvane::cli
