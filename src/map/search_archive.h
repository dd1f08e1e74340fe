#pragma once

#include "data/load_status.h"
#include "data/reporter.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The 47 prefectures in the order of their codes 1..47.
extern const std::array<std::string_view, 47> kPrefectureNames;
// The facility categories in list order; category file n holds entry n - 1.
extern const std::array<std::string_view, 14> kFacilityCategories;

// Reads the serialised archives of the search tables: little-endian numbers, and
// strings as a length prefix (one byte below 255; else 0xFF and a 16-bit length
// below 0xFFFE; else 0xFF, 0xFFFF and a 32-bit length) followed by CP932 text.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}

    bool ReadInt16(std::int16_t& value);
    bool ReadInt32(std::int32_t& value);
    bool ReadDouble(double& value);
    // The text converted to UTF-8.
    bool ReadString(std::string& utf8);
    // A record count: false when negative or when the bytes left cannot hold that
    // many records of at least `minRecordBytes` each.
    bool ReadCount(std::size_t minRecordBytes, std::size_t& count);

    bool operator()(std::int16_t& value) { return ReadInt16(value); }
    bool operator()(std::int32_t& value) { return ReadInt32(value); }
    bool operator()(double& value) { return ReadDouble(value); }
    bool operator()(std::string& utf8) { return ReadString(utf8); }

    std::size_t remaining() const { return bytes_.size() - offset_; }
    // Why the last read failed: Truncated or Damaged.
    LoadStatus status() const { return status_; }
    // True once a name held bytes that did not convert.
    bool textReplaced() const { return textReplaced_; }

private:
    bool Take(std::size_t size, std::string_view& out);

    std::string_view bytes_;
    std::size_t offset_ = 0;
    LoadStatus status_ = LoadStatus::Ok;
    bool textReplaced_ = false;
};

class ArchiveWriter {
public:
    void WriteInt16(std::int16_t value);
    void WriteInt32(std::int32_t value);
    void WriteDouble(double value);
    // Converts UTF-8 to CP932 and writes it with its length prefix.
    void WriteString(std::string_view utf8);

    bool operator()(std::int16_t value) { return WriteInt16(value), true; }
    bool operator()(std::int32_t value) { return WriteInt32(value), true; }
    bool operator()(double value) { return WriteDouble(value), true; }
    bool operator()(const std::string& utf8) { return WriteString(utf8), true; }

    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

struct MunicipalityRecord {
    std::string name;
    std::int32_t firstDistrict = 0; // 1-based position in the district file
    std::int32_t districtCount = 0;
    double lonDeg = 0.0; // 0 when the municipality has no position of its own
    double latDeg = 0.0;
    friend bool operator==(const MunicipalityRecord&, const MunicipalityRecord&) = default;
};

struct DistrictRecord {
    std::string name;
    double lonDeg = 0.0;
    double latDeg = 0.0;
    friend bool operator==(const DistrictRecord&, const DistrictRecord&) = default;
};

// One facility or place name of a category file.
struct CF_CHIN {
    std::int16_t prefectureCode = 0;
    std::string name;
    double lonDeg = 0.0;
    double latDeg = 0.0;
    friend bool operator==(const CF_CHIN&, const CF_CHIN&) = default;
};

std::string MunicipalityFilePath(const std::string& mapFolder, int prefectureCode);
std::string DistrictFilePath(const std::string& mapFolder, int prefectureCode);
std::string FacilityFilePath(const std::string& mapFolder, int category);

// A missing file gives CannotRead and no records, silently. A read error (Truncated
// or Damaged) is reported once and the records read before it are kept; so are
// all records when a name did not convert (UnconvertibleText, reported too).
LoadStatus ReadMunicipalityFile(const std::string& path, std::vector<MunicipalityRecord>& out,
                                MessageReporter& reporter);
LoadStatus ReadDistrictFile(const std::string& path, std::vector<DistrictRecord>& out,
                            MessageReporter& reporter);
LoadStatus ReadFacilityFile(const std::string& path, std::vector<CF_CHIN>& out,
                            MessageReporter& reporter);

// The same from bytes, without reporting.
LoadStatus DecodeMunicipalities(std::string_view bytes, std::vector<MunicipalityRecord>& out);
LoadStatus DecodeDistricts(std::string_view bytes, std::vector<DistrictRecord>& out);
LoadStatus DecodeFacilities(std::string_view bytes, std::vector<CF_CHIN>& out);

std::string EncodeMunicipalities(std::span<const MunicipalityRecord> records);
std::string EncodeDistricts(std::span<const DistrictRecord> records);
std::string EncodeFacilities(std::span<const CF_CHIN> records);
bool WriteMunicipalityFile(const std::string& path, std::span<const MunicipalityRecord> records);
bool WriteDistrictFile(const std::string& path, std::span<const DistrictRecord> records);
bool WriteFacilityFile(const std::string& path, std::span<const CF_CHIN> records);

// The districts of a municipality: from its first district position on, as many as
// its count, within the records that exist.
std::span<const DistrictRecord> DistrictsOf(const MunicipalityRecord& municipality,
                                            std::span<const DistrictRecord> districts);
// The facilities of one prefecture, in file order.
std::vector<CF_CHIN> FacilitiesOf(std::span<const CF_CHIN> facilities, int prefectureCode);

} // namespace quorvane
