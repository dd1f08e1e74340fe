#include "data/monthly_file.h"

#include "data/c_fields.h"
#include "data/file_io.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

namespace quorvane {

namespace {

constexpr int kFirstPlaneLine = 5;
constexpr int kLastPlaneLine = 121;
constexpr int kFirstOptimumLine = 122;

std::string SiteFileName(int siteNumber) {
    char name[32];
    std::snprintf(name, sizeof name, "%05d", siteNumber);
    return name;
}

bool IsReadableFile(const std::string& path) {
    if (!IsReadableDataFile(path, kMaxSmallFileBytes)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    return in.is_open();
}

// The lines of a file without their line ends, kept in one buffer.
class FileLines {
public:
    // Stops reading once there are more than `limit` lines, since such a file is
    // refused anyway.
    bool Read(const std::string& path, std::size_t limit) {
        if (!IsReadableDataFile(path, kMaxSmallFileBytes)) {
            return false;
        }
        std::ifstream in(path, std::ios::binary);
        if (!in.is_open()) {
            return false;
        }
        text_.reserve(16 * 1024);
        ends_.reserve(limit + 1);
        std::string line;
        while (ends_.size() <= limit && std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            text_ += line;
            ends_.push_back(text_.size());
        }
        return true;
    }

    std::size_t size() const { return ends_.size(); }

    // Line n of the file is [n - 1].
    std::string_view operator[](std::size_t index) const {
        std::size_t begin = index == 0 ? 0 : ends_[index - 1];
        return std::string_view(text_).substr(begin, ends_[index] - begin);
    }

private:
    std::string text_;
    std::vector<std::size_t> ends_;
};

MonthlyRow ParseValueLine(std::string_view line) {
    MonthlyRow row{};
    for (int month = 0; month < 12; ++month) {
        row[month] = StoredMonthlyValue(ColumnDouble(line, 11 + 6 * month, 6));
    }
    for (int summary = 0; summary < 5; ++summary) {
        row[12 + summary] = StoredMonthlyValue(ColumnDouble(line, 86 + 6 * summary, 6));
    }
    return row;
}

} // namespace

int StoredMonthlyValue(double value) {
    double scaled = std::trunc(value * 100.0 + 0.5);
    if (std::isnan(scaled)) {
        return 0;
    }
    if (scaled >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (scaled <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(scaled);
}

namespace {

LoadStatus ReadMonthlyLines(const std::string& folder, int siteNumber, FileLines& lines) {
    const std::string name = SiteFileName(siteNumber);
    if (!folder.empty() && IsReadableFile(folder + "/" + name)) {
        return LoadStatus::OlderEdition;
    }
    if (folder.empty() || !lines.Read(folder + "/m" + name, kMonthlyFileLineCount)) {
        return LoadStatus::CannotRead;
    }
    if (lines.size() != kMonthlyFileLineCount) {
        return LoadStatus::UnexpectedFormat;
    }
    return LoadStatus::Ok;
}

} // namespace

bool FolderHoldsMonthlyData(const std::string& folder) {
    return !folder.empty() && FolderHoldsNumberedFile(folder, "m", 5);
}

LoadStatus LoadMonthlyData(const std::string& folder, int siteNumber, MonthlyRecord& record,
                           MessageReporter& reporter) {
    record = MonthlyRecord{};
    FileLines lines;
    if (const LoadStatus status = ReadMonthlyLines(folder, siteNumber, lines);
        status != LoadStatus::Ok) {
        return ReportLoadStatus(reporter, DataFileKind::MonthlyData, status);
    }

    record.header = lines[0];
    const MonthlyRow horizontal = ParseValueLine(lines[1]);
    for (auto& azimuth : record.planeValues) {
        azimuth[0] = horizontal;
    }
    record.variation[0] = horizontal;
    record.variation[1] = ParseValueLine(lines[2]);
    record.variation[2] = ParseValueLine(lines[3]);

    for (int lineNumber = kFirstPlaneLine; lineNumber <= kLastPlaneLine; ++lineNumber) {
        std::string_view line = lines[lineNumber - 1];
        int azimuthIndex = ColumnInt(line, 0, 3) / 15;
        int tiltIndex = ColumnInt(line, 6, 2) / 10;
        if (azimuthIndex < 0 || azimuthIndex >= kMonthlyAzimuthCount || tiltIndex < 1 ||
            tiltIndex >= kMonthlyTiltCount) {
            continue;
        }
        record.planeValues[azimuthIndex][tiltIndex] = ParseValueLine(line);
    }
    for (int row = 0; row < kOptimumRowCount; ++row) {
        record.optimumTable[row] = ParseValueLine(lines[kFirstOptimumLine - 1 + row]);
    }
    return LoadStatus::Ok;
}

} // namespace quorvane
