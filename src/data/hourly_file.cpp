#include "data/hourly_file.h"
#include "data/cpu_state.h"

#include "data/c_fields.h"
#include "data/file_io.h"
#include "data/sunrise_sunset.h"
#include "data/text_codec.h"
#include "solar/calendar.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace {

struct YearFolder {
    const char* folderUtf8;
    const char* filePrefix;
};

// A standard year's file is about half a megabyte; anything far larger is not one,
// and reading it whole could exhaust memory.
constexpr off_t kMaxHourlyFileBytes = 64 << 20;

constexpr YearFolder kYearFolders[3] = {
    {"平均年", "mea"},
    {"多照年", "max"},
    {"寡照年", "min"},
};

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Reads the whole file into `buffer` (grown as needed, never shrunk); `size` gets the
// byte count.
LoadStatus ReadHourlyBytes(const std::string& path, std::vector<char>& buffer, std::size_t& size) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK); // a FIFO must not block
    if (fd < 0) {
        return LoadStatus::CannotRead;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return LoadStatus::CannotRead;
    }
    if (st.st_size > kMaxHourlyFileBytes) {
        ::close(fd);
        return LoadStatus::TooLarge;
    }
    std::size_t wanted = static_cast<std::size_t>(st.st_size) + 1;
    if (buffer.size() < wanted) {
        buffer.resize(wanted);
    }
    size = 0;
    for (;;) {
        if (size == buffer.size()) {
            if (size > static_cast<std::size_t>(kMaxHourlyFileBytes)) {
                ::close(fd);
                return LoadStatus::TooLarge; // the file kept growing while being read
            }
            buffer.resize(buffer.size() * 2);
        }
        ssize_t n = ::read(fd, buffer.data() + size, buffer.size() - size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ::close(fd);
            return LoadStatus::CannotRead;
        }
        if (n == 0) {
            break;
        }
        size += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return LoadStatus::Ok;
}

void ParseDataLine(HourlyDataSet& set, std::string_view line) {
    int element = ColumnInt(line, 0, 5);
    if (element < 1 || element > kHourlyElements) {
        return;
    }
    int e = element - 1;
    int d = DayOfYear(ColumnInt(line, 6, 2), ColumnInt(line, 8, 2)) - 1;
    set.dailyRealValues[d][e] = static_cast<float>(ColumnDouble(line, 10, 5));
    bool isWind = element == kElementWindDirection || element == kElementWindSpeed;
    for (int h = 0; h < kHoursPerDay; ++h) {
        std::size_t column = 15 + 5 * static_cast<std::size_t>(h);
        int value = ColumnInt(line, column, 4);
        set.flags[d][h][e] = ColumnInt(line, column + 4, 1);
        set.rawHourlyValues[d][h][e] = value;
        set.hourlyValues[d][h][e] = (!isWind && value >= kMissingHourly) ? 0 : value;
    }
    for (int s = 0; s < kDailySummaries; ++s) {
        int value = ColumnInt(line, 135 + 5 * static_cast<std::size_t>(s), 5);
        set.rawDailySummaries[d][s][e] = value;
        set.dailySummaries[d][s][e] = value == kMissingSummary ? 0 : value;
    }
}

// Summed after parsing so that a repeated line replaces its day's contribution
// instead of counting twice. Wider than int so an absurd file cannot overflow.
int SaturatingDaySum(const int (&hours)[kHoursPerDay][kHourlyElements], int e) {
    long long sum = 0;
    for (int h = 0; h < kHoursPerDay; ++h) {
        sum += hours[h][e];
    }
    if (sum > INT_MAX) {
        return INT_MAX;
    }
    if (sum < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(sum);
}

void ClearFileData(HourlyDataSet& set) {
    set.header.clear();
    std::memset(set.hourlyValues, 0, sizeof set.hourlyValues);
    std::memset(set.dailySummaries, 0, sizeof set.dailySummaries);
    std::memset(set.dailyIrradiation, 0, sizeof set.dailyIrradiation);
    std::memset(set.dailySunshine, 0, sizeof set.dailySunshine);
    std::memset(set.dailyRealValues, 0, sizeof set.dailyRealValues);
    std::memset(set.rawHourlyValues, 0, sizeof set.rawHourlyValues);
    std::memset(set.rawDailySummaries, 0, sizeof set.rawDailySummaries);
    std::memset(set.flags, 0, sizeof set.flags);
}

} // namespace

std::string HourlyDataSet::HeaderUtf8() const {
    return Cp932ToUtf8(header);
}

void HourlyDataSet::Clear() {
    ClearFileData(*this);
    std::memset(sunrise, 0, sizeof sunrise);
    std::memset(sunset, 0, sizeof sunset);
}

namespace {

std::string YearFolderPath(const std::string& hourlyFolder, const YearFolder& year) {
    std::string folder = JoinPath(hourlyFolder, year.folderUtf8);
    if (!IsDirectory(folder)) {
        std::string cp932Folder = JoinPath(hourlyFolder, Utf8ToCp932(year.folderUtf8));
        if (IsDirectory(cp932Folder)) {
            folder = std::move(cp932Folder);
        }
    }
    return folder;
}

} // namespace

std::string HourlyFilePath(const std::string& hourlyFolder, YearVariant variant, int siteNumber) {
    // No folder set yet must not mean the working directory.
    const int index = ToIndex(variant);
    if (index < 0 || index >= kYearVariantCount || hourlyFolder.empty()) {
        return {};
    }
    const YearFolder& year = kYearFolders[index];
    char name[32];
    std::snprintf(name, sizeof name, "%s%05d.txt", year.filePrefix, siteNumber);
    return JoinPath(YearFolderPath(hourlyFolder, year), name);
}

bool FolderHoldsHourlyData(const std::string& hourlyFolder) {
    if (hourlyFolder.empty()) {
        return false;
    }
    return std::any_of(std::begin(kYearFolders), std::end(kYearFolders), [&](const YearFolder& y) {
        return FolderHoldsNumberedFile(YearFolderPath(hourlyFolder, y), y.filePrefix, 5, ".txt");
    });
}

LoadStatus ParseHourlyFile(HourlyDataSet& set, const std::string& path) {
    ClearFileData(set);
    std::size_t size = 0;
    if (path.empty()) {
        return LoadStatus::CannotRead;
    }
    if (const LoadStatus read = ReadHourlyBytes(path, set.fileBuffer, size);
        read != LoadStatus::Ok) {
        return read;
    }
    std::string_view rest(set.fileBuffer.data(), size);
    bool first = true;
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        std::string_view line = end == std::string_view::npos ? rest : rest.substr(0, end + 1);
        rest.remove_prefix(line.size());
        line = StripLineEnd(line);
        if (first) {
            set.header.assign(line);
            first = false;
        } else {
            ParseDataLine(set, line);
        }
    }
    for (int d = 0; d < kHourlyDays; ++d) {
        set.dailyIrradiation[d] = SaturatingDaySum(set.hourlyValues[d], kElementGlobal - 1);
        set.dailySunshine[d] = SaturatingDaySum(set.hourlyValues[d], kElementSunshine - 1);
    }
    return LoadStatus::Ok;
}

LoadStatus LoadHourlyData(HourlyDataSet& set, YearVariant variant, int siteNumber,
                          const std::string& hourlyFolder, const std::string& mapFolder,
                          MessageReporter& reporter) {
    ClearUpperVectorState();
    set.Clear();
    LoadStatus status = ParseHourlyFile(set, HourlyFilePath(hourlyFolder, variant, siteNumber));
    if (status == LoadStatus::Ok &&
        LoadSunriseSunset(set, siteNumber, mapFolder) != LoadStatus::Ok) {
        status = LoadStatus::SunTableMissing;
    }
    return ReportLoadStatus(reporter, DataFileKind::HourlyData, status);
}

} // namespace quorvane
