#include "data/site_catalogue.h"

#include "data/c_fields.h"
#include "data/file_io.h"

#include <algorithm>
#include <fstream>
#include <string_view>

namespace quorvane {

namespace {

constexpr int kAreaFieldLimit = 100;
constexpr int kSiteFieldCount = 6;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Lines of a UTF-8 table; a byte-order mark at the start is dropped, CR LF and LF
// both end a line. Lines are read whole whatever their length, so an overlong line
// stays one record.
class TableLines {
public:
    explicit TableLines(const std::string& path) {
        if (IsReadableDataFile(path, kMaxTableFileBytes)) {
            in_.open(path, std::ios::binary);
        }
    }
    bool IsOpen() const { return in_.is_open(); }

    bool Next(std::string_view& line) {
        if (!std::getline(in_, buffer_)) {
            return false;
        }
        line = buffer_;
        if (first_) {
            first_ = false;
            if (line.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
                line.remove_prefix(kUtf8Bom.size());
            }
        }
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return true;
    }

private:
    std::ifstream in_;
    std::string buffer_;
    bool first_ = true;
};

// Splits at commas from the left; the last allowed field takes the rest of the
// line. An empty rest after a comma adds no field.
void SplitFields(std::string_view line, int maxFields, std::vector<std::string_view>& fields) {
    fields.clear();
    while (!line.empty()) {
        std::size_t comma = line.find(',');
        if (comma == std::string_view::npos || static_cast<int>(fields.size()) + 1 == maxFields) {
            fields.push_back(line);
            break;
        }
        fields.push_back(line.substr(0, comma));
        line.remove_prefix(comma + 1);
    }
}

std::string_view Field(const std::vector<std::string_view>& fields, int column) {
    return column < static_cast<int>(fields.size()) ? fields[column] : std::string_view{};
}

int FieldInt(const std::vector<std::string_view>& fields, int column) {
    return ParseCInt(Field(fields, column));
}

double FieldDouble(const std::vector<std::string_view>& fields, int column) {
    return ParseCDouble(Field(fields, column));
}

// NaN fails every comparison, so it is out of range too.
bool PositionInRange(const CAmedasPoint& site) {
    return site.latitudeDeg >= -90.0 && site.latitudeDeg <= 90.0 && site.longitudeDeg >= -180.0 &&
           site.longitudeDeg <= 360.0 && site.elevationM >= -500.0 && site.elevationM <= 9000.0;
}

bool IsAreaCode(int code) {
    return code >= 0 && code < kMapInfoCount;
}

void ReadNeighbours(const std::vector<std::string_view>& fields, CMapInfo& record) {
    for (int k = 0; k < kNeighbourCount; ++k) {
        int column = 10 + 3 * k;
        int code = FieldInt(fields, column);
        // A code that indexes no area record would send the map out of the table.
        if (code <= 0 || !IsAreaCode(code)) {
            continue;
        }
        record.neighbours[k].code = code;
        record.neighbours[k].labelPosition = {FieldDouble(fields, column + 1),
                                              FieldDouble(fields, column + 2)};
    }
}

} // namespace

LoadStatus LoadAreaTable(const std::string& mapFolder, int level, MapInfoTable& records,
                         const AreaRecordHook& afterAreaRecord) {
    TableLines lines(mapFolder + "/map/zahyo/code_map" + std::to_string(level + 1) + ".txt");
    if (!lines.IsOpen()) {
        return LoadStatus::CannotRead;
    }
    std::vector<std::string_view> fields;
    fields.reserve(kAreaFieldLimit);
    std::string_view line;
    while (lines.Next(line)) {
        // A blank line (typically a trailing one) would read as code 0 and wipe the
        // national map's record.
        if (line.empty()) {
            continue;
        }
        SplitFields(line, kAreaFieldLimit, fields);
        int code = FieldInt(fields, 0);
        if (!IsAreaCode(code)) {
            continue;
        }
        CMapInfo& record = records[code];
        record.level = level;
        record.code = code;
        record.name = Field(fields, 1);
        record.parentCode = FieldInt(fields, 2);
        record.bounds = {FieldDouble(fields, 3), FieldDouble(fields, 6), FieldDouble(fields, 5),
                         FieldDouble(fields, 4)};
        std::string_view shortName = Field(fields, 7);
        record.shortName = shortName.empty() ? record.name : std::string(shortName);
        record.anchor = {FieldDouble(fields, 8), FieldDouble(fields, 9)};
        if (level == 2) {
            ReadNeighbours(fields, record);
            if (afterAreaRecord) {
                afterAreaRecord(record);
            }
        }
    }
    return LoadStatus::Ok;
}

LoadStatus LoadSiteTable(const std::string& mapFolder, std::vector<CAmedasPoint>& sites) {
    sites.clear();
    TableLines lines(mapFolder + "/map/zahyo/point_amedas.txt");
    if (!lines.IsOpen()) {
        return LoadStatus::CannotRead;
    }
    std::vector<std::string_view> fields;
    fields.reserve(kSiteFieldCount);
    std::string_view line;
    while (lines.Next(line)) {
        // A blank line (typically a trailing one) is no site.
        if (line.empty()) {
            continue;
        }
        SplitFields(line, kSiteFieldCount, fields);
        CAmedasPoint& site = sites.emplace_back();
        site.siteNumber = FieldInt(fields, 0);
        site.name = Field(fields, 1);
        site.areaCode = FieldInt(fields, 2);
        site.latitudeDeg = FieldDouble(fields, 3);
        site.longitudeDeg = FieldDouble(fields, 4);
        site.elevationM = FieldDouble(fields, 5);
        if (!PositionInRange(site)) {
            site.latitudeDeg = site.longitudeDeg = site.elevationM = 0.0;
            site.positionValid = false;
        }
    }
    return LoadStatus::Ok;
}

LoadStatus LoadSiteTable(const std::string& mapFolder, std::vector<CAmedasPoint>& sites,
                         MessageReporter& reporter) {
    const LoadStatus status = LoadSiteTable(mapFolder, sites);
    if (std::any_of(sites.begin(), sites.end(),
                    [](const CAmedasPoint& site) { return !site.positionValid; })) {
        reporter.Report(kInvalidSitePositionMessage);
    }
    return status;
}

int FindSiteIndex(const std::vector<CAmedasPoint>& sites, int siteNumber) {
    for (std::size_t i = 0; i < sites.size(); ++i) {
        if (sites[i].siteNumber == siteNumber) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace quorvane
