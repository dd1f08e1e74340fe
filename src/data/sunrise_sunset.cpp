#include "data/sunrise_sunset.h"

#include "data/file_io.h"
#include "data/hourly_file.h"
#include "solar/calendar.h"

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace {

constexpr std::size_t kRecordBytes = 10;

float LittleEndianFloat(const unsigned char* bytes) {
    std::uint32_t bits =
        static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
        static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return std::bit_cast<float>(bits);
}

void StoreRecord(HourlyDataSet& set, const unsigned char* record) {
    int month = static_cast<signed char>(record[0]);
    int day = static_cast<signed char>(record[1]);
    int d = DayOfYear(month, day) - 1;
    set.sunrise[d] = LittleEndianFloat(record + 2);
    set.sunset[d] = LittleEndianFloat(record + 6);
}

} // namespace

std::string SunriseSunsetPath(const std::string& mapFolder, int siteNumber) {
    char name[48];
    std::snprintf(name, sizeof name, "map/zahyo/sunrise_sunset/%05d", siteNumber);
    std::string path = mapFolder;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path + name;
}

LoadStatus LoadSunriseSunset(HourlyDataSet& set, int siteNumber, const std::string& mapFolder) {
    const int fd = OpenDataFile(SunriseSunsetPath(mapFolder, siteNumber), kMaxSmallFileBytes);
    if (fd < 0) {
        return LoadStatus::CannotRead;
    }
    // Records are taken from a fixed chunk; a partial record at the end of a chunk is
    // carried to the front of the next one, and one left at end of file is ignored.
    unsigned char chunk[kRecordBytes * 400];
    std::size_t filled = 0;
    for (;;) {
        ssize_t n = ::read(fd, chunk + filled, sizeof chunk - filled);
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
        filled += static_cast<std::size_t>(n);
        std::size_t whole = filled - filled % kRecordBytes;
        for (std::size_t at = 0; at < whole; at += kRecordBytes) {
            StoreRecord(set, chunk + at);
        }
        for (std::size_t i = whole; i < filled; ++i) {
            chunk[i - whole] = chunk[i];
        }
        filled -= whole;
    }
    ::close(fd);
    return LoadStatus::Ok;
}

} // namespace quorvane
