#include "map/search_archive.h"

#include "data/text_codec.h"
#include "map/binary_io.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace quorvane {

namespace {

// Smallest serialised records: an empty name takes its one-byte prefix.
constexpr std::size_t kMinMunicipalityBytes = 1 + 4 + 4 + 8 + 8;
constexpr std::size_t kMinDistrictBytes = 1 + 8 + 8;
constexpr std::size_t kMinFacilityBytes = 2 + 1 + 8 + 8;

std::string FolderFile(const std::string& mapFolder, const char* format, int number) {
    char name[64];
    std::snprintf(name, sizeof name, format, number);
    return mapFolder + name;
}

// The fields of each record in file order, for reading and for writing.
template <class Record, class Archive>
bool Fields(Record& r, Archive& a);

template <>
bool Fields(MunicipalityRecord& r, ArchiveReader& a) {
    return a(r.name) && a(r.firstDistrict) && a(r.districtCount) && a(r.lonDeg) && a(r.latDeg);
}
template <>
bool Fields(const MunicipalityRecord& r, ArchiveWriter& a) {
    return a(r.name) && a(r.firstDistrict) && a(r.districtCount) && a(r.lonDeg) && a(r.latDeg);
}
template <>
bool Fields(DistrictRecord& r, ArchiveReader& a) {
    return a(r.name) && a(r.lonDeg) && a(r.latDeg);
}
template <>
bool Fields(const DistrictRecord& r, ArchiveWriter& a) {
    return a(r.name) && a(r.lonDeg) && a(r.latDeg);
}
template <>
bool Fields(CF_CHIN& r, ArchiveReader& a) {
    return a(r.prefectureCode) && a(r.name) && a(r.lonDeg) && a(r.latDeg);
}
template <>
bool Fields(const CF_CHIN& r, ArchiveWriter& a) {
    return a(r.prefectureCode) && a(r.name) && a(r.lonDeg) && a(r.latDeg);
}

template <class Record>
LoadStatus DecodeRecords(std::string_view bytes, std::size_t minRecordBytes,
                         std::vector<Record>& out) {
    out.clear();
    ArchiveReader reader(bytes);
    std::size_t count = 0;
    bool ok = reader.ReadCount(minRecordBytes, count);
    for (std::size_t i = 0; ok && i < count; ++i) {
        Record record;
        ok = Fields(record, reader);
        if (ok) {
            out.push_back(std::move(record));
        }
    }
    if (!ok || reader.status() != LoadStatus::Ok) {
        return reader.status();
    }
    return reader.textReplaced() ? LoadStatus::UnconvertibleText : LoadStatus::Ok;
}

template <class Record>
std::string EncodeRecords(std::span<const Record> records) {
    ArchiveWriter writer;
    writer.WriteInt32(static_cast<std::int32_t>(records.size()));
    for (const Record& record : records) {
        Fields(record, writer);
    }
    return writer.bytes();
}

template <class Record>
LoadStatus ReadArchiveFile(const std::string& path, std::size_t minRecordBytes,
                           std::vector<Record>& out, MessageReporter& reporter) {
    out.clear();
    std::string bytes;
    if (!ReadWholeFile(path, bytes, kMaxArchiveFileBytes)) {
        return LoadStatus::CannotRead;
    }
    const LoadStatus status = DecodeRecords(bytes, minRecordBytes, out);
    return ReportLoadStatus(reporter, DataFileKind::SearchTable, status,
                            std::filesystem::path(path).filename().string());
}

} // namespace

const std::array<std::string_view, 47> kPrefectureNames = {
    "北海道", "青森県", "岩手県", "宮城県", "秋田県", "山形県",   "福島県", "茨城県",
    "栃木県", "群馬県", "埼玉県", "千葉県", "東京都", "神奈川県", "新潟県", "富山県",
    "石川県", "福井県", "山梨県", "長野県", "岐阜県", "静岡県",   "愛知県", "三重県",
    "滋賀県", "京都府", "大阪府", "兵庫県", "奈良県", "和歌山県", "鳥取県", "島根県",
    "岡山県", "広島県", "山口県", "徳島県", "香川県", "愛媛県",   "高知県", "福岡県",
    "佐賀県", "長崎県", "熊本県", "大分県", "宮崎県", "鹿児島県", "沖縄県",
};

const std::array<std::string_view, 14> kFacilityCategories = {
    "都道府県庁",     "市区町村役場",     "警察署",     "消防本部",
    "大学",           "山岳名",           "湖、沼名",   "ダム",
    "発電所・変電所", "インターチェンジ", "公園・緑地", "遊園地・レジャー施設",
    "ゴルフ場",       "スキー場",
};

bool ArchiveReader::Take(std::size_t size, std::string_view& out) {
    if (size > remaining()) {
        status_ = LoadStatus::Truncated;
        return false;
    }
    out = bytes_.substr(offset_, size);
    offset_ += size;
    return true;
}

bool ArchiveReader::ReadInt16(std::int16_t& value) {
    std::string_view raw;
    if (!Take(2, raw)) {
        return false;
    }
    LittleEndianReader(raw).ReadI16(value);
    return true;
}

bool ArchiveReader::ReadInt32(std::int32_t& value) {
    std::string_view raw;
    if (!Take(4, raw)) {
        return false;
    }
    LittleEndianReader(raw).ReadI32(value);
    return true;
}

bool ArchiveReader::ReadDouble(double& value) {
    std::string_view raw;
    if (!Take(8, raw)) {
        return false;
    }
    LittleEndianReader(raw).ReadDouble(value);
    return true;
}

bool ArchiveReader::ReadString(std::string& utf8) {
    std::string_view raw;
    if (!Take(1, raw)) {
        return false;
    }
    std::size_t length = static_cast<unsigned char>(raw[0]);
    if (length == 0xFF) {
        std::uint16_t wide = 0;
        if (!Take(2, raw)) {
            return false;
        }
        LittleEndianReader(raw).ReadU16(wide);
        if (wide == 0xFFFE) {
            status_ = LoadStatus::Damaged; // a marker of UTF-16 text, which these files never hold
            return false;
        }
        length = wide;
        if (wide == 0xFFFF) {
            std::uint32_t full = 0;
            if (!Take(4, raw)) {
                return false;
            }
            LittleEndianReader(raw).ReadU32(full);
            length = full;
        }
    }
    // The length comes from the file: Take refuses one past its end.
    if (!Take(length, raw)) {
        return false;
    }
    TextConversion conversion = TextConversion::Complete;
    utf8 = Cp932ToUtf8(raw, &conversion);
    textReplaced_ = textReplaced_ || conversion != TextConversion::Complete;
    return true;
}

bool ArchiveReader::ReadCount(std::size_t minRecordBytes, std::size_t& count) {
    std::int32_t value = 0;
    if (!ReadInt32(value)) {
        return false;
    }
    if (value < 0) {
        status_ = LoadStatus::Damaged;
        return false;
    }
    // More records than the bytes left can hold: the file was cut. The count is
    // bounded by what is left, so the complete records before the cut are kept.
    count = static_cast<std::size_t>(value);
    if (count > remaining() / minRecordBytes) {
        status_ = LoadStatus::Truncated;
        count = remaining() / minRecordBytes;
    }
    return true;
}

void ArchiveWriter::WriteInt16(std::int16_t value) {
    AppendI16(bytes_, value);
}
void ArchiveWriter::WriteInt32(std::int32_t value) {
    AppendI32(bytes_, value);
}
void ArchiveWriter::WriteDouble(double value) {
    AppendDouble(bytes_, value);
}

void ArchiveWriter::WriteString(std::string_view utf8) {
    std::string text = Utf8ToCp932(utf8);
    std::size_t length = text.size();
    if (length < 0xFF) {
        bytes_.push_back(static_cast<char>(length));
    } else {
        bytes_.push_back(static_cast<char>(0xFF));
        if (length < 0xFFFE) {
            AppendLittleEndian(bytes_, length, 2);
        } else {
            AppendLittleEndian(bytes_, 0xFFFF, 2);
            AppendLittleEndian(bytes_, length, 4);
        }
    }
    bytes_ += text;
}

std::string MunicipalityFilePath(const std::string& mapFolder, int prefectureCode) {
    return FolderFile(mapFolder, "/map/GaikuTabl/ga_addp1_%02d", prefectureCode);
}

std::string DistrictFilePath(const std::string& mapFolder, int prefectureCode) {
    return FolderFile(mapFolder, "/map/GaikuTabl/ga_addp2_%02d", prefectureCode);
}

std::string FacilityFilePath(const std::string& mapFolder, int category) {
    return FolderFile(mapFolder, "/map/kensaku/%03d", category);
}

LoadStatus DecodeMunicipalities(std::string_view bytes, std::vector<MunicipalityRecord>& out) {
    return DecodeRecords(bytes, kMinMunicipalityBytes, out);
}

LoadStatus DecodeDistricts(std::string_view bytes, std::vector<DistrictRecord>& out) {
    return DecodeRecords(bytes, kMinDistrictBytes, out);
}

LoadStatus DecodeFacilities(std::string_view bytes, std::vector<CF_CHIN>& out) {
    return DecodeRecords(bytes, kMinFacilityBytes, out);
}

LoadStatus ReadMunicipalityFile(const std::string& path, std::vector<MunicipalityRecord>& out,
                                MessageReporter& reporter) {
    return ReadArchiveFile(path, kMinMunicipalityBytes, out, reporter);
}

LoadStatus ReadDistrictFile(const std::string& path, std::vector<DistrictRecord>& out,
                            MessageReporter& reporter) {
    return ReadArchiveFile(path, kMinDistrictBytes, out, reporter);
}

LoadStatus ReadFacilityFile(const std::string& path, std::vector<CF_CHIN>& out,
                            MessageReporter& reporter) {
    return ReadArchiveFile(path, kMinFacilityBytes, out, reporter);
}

std::string EncodeMunicipalities(std::span<const MunicipalityRecord> records) {
    return EncodeRecords(records);
}

std::string EncodeDistricts(std::span<const DistrictRecord> records) {
    return EncodeRecords(records);
}

std::string EncodeFacilities(std::span<const CF_CHIN> records) {
    return EncodeRecords(records);
}

bool WriteMunicipalityFile(const std::string& path, std::span<const MunicipalityRecord> records) {
    return WriteWholeFile(path, EncodeMunicipalities(records));
}

bool WriteDistrictFile(const std::string& path, std::span<const DistrictRecord> records) {
    return WriteWholeFile(path, EncodeDistricts(records));
}

bool WriteFacilityFile(const std::string& path, std::span<const CF_CHIN> records) {
    return WriteWholeFile(path, EncodeFacilities(records));
}

std::span<const DistrictRecord> DistrictsOf(const MunicipalityRecord& municipality,
                                            std::span<const DistrictRecord> districts) {
    if (municipality.districtCount <= 0) {
        return {};
    }
    std::size_t first = municipality.firstDistrict > 1
                            ? static_cast<std::size_t>(municipality.firstDistrict) - 1
                            : 0;
    first = std::min(first, districts.size());
    std::size_t count =
        std::min(static_cast<std::size_t>(municipality.districtCount), districts.size() - first);
    return districts.subspan(first, count);
}

std::vector<CF_CHIN> FacilitiesOf(std::span<const CF_CHIN> facilities, int prefectureCode) {
    std::vector<CF_CHIN> selected;
    std::copy_if(
        facilities.begin(), facilities.end(), std::back_inserter(selected),
        [&](const CF_CHIN& facility) { return facility.prefectureCode == prefectureCode; });
    return selected;
}

} // namespace quorvane
