#include "map/search_archive.h"

#include "data/text_codec.h"
#include "map/binary_io.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace quorvane {

namespace {

constexpr std::string_view kEndOfFileText = "ファイルの終わりを越えて読み込もうとしました。";
constexpr std::string_view kBadFormatText = "ファイルの形式が正しくありません。";

// Smallest serialised records: an empty name takes its one-byte prefix.
constexpr std::size_t kMinMunicipalityBytes = 1 + 4 + 4 + 8 + 8;
constexpr std::size_t kMinDistrictBytes = 1 + 8 + 8;
constexpr std::size_t kMinFacilityBytes = 2 + 1 + 8 + 8;

std::string FolderFile(const std::string& mapFolder, const char* format, int number) {
    char name[64];
    std::snprintf(name, sizeof name, format, number);
    return mapFolder + name;
}

template <typename Record, typename Decode>
ArchiveStatus ReadArchiveFile(const std::string& path, std::vector<Record>& out,
                              MessageReporter& reporter, Decode decode) {
    out.clear();
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        return ArchiveStatus::Missing;
    }
    std::string error;
    if (decode(bytes, out, error)) {
        return ArchiveStatus::Ok;
    }
    std::string name = std::filesystem::path(path).filename().string();
    reporter.Report("「" + name + "」の読み込み中にエラーが発生しました。" + error);
    return ArchiveStatus::Damaged;
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
        error_ = kEndOfFileText;
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
            error_ = kBadFormatText; // a marker of UTF-16 text, which these files never hold
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
    utf8 = Cp932ToUtf8(raw);
    return true;
}

bool ArchiveReader::ReadCount(std::size_t minRecordBytes, std::size_t& count) {
    std::int32_t value = 0;
    if (!ReadInt32(value)) {
        return false;
    }
    if (value < 0 || static_cast<std::size_t>(value) > remaining() / minRecordBytes) {
        error_ = value < 0 ? kBadFormatText : kEndOfFileText;
        return false;
    }
    count = static_cast<std::size_t>(value);
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

bool DecodeMunicipalities(std::string_view bytes, std::vector<MunicipalityRecord>& out,
                          std::string& error) {
    out.clear();
    ArchiveReader reader(bytes);
    std::size_t count = 0;
    bool ok = reader.ReadCount(kMinMunicipalityBytes, count);
    for (std::size_t i = 0; ok && i < count; ++i) {
        MunicipalityRecord record;
        ok = reader.ReadString(record.name) && reader.ReadInt32(record.firstDistrict) &&
             reader.ReadInt32(record.districtCount) && reader.ReadDouble(record.lonDeg) &&
             reader.ReadDouble(record.latDeg);
        if (ok) {
            out.push_back(std::move(record));
        }
    }
    if (!ok) {
        error = reader.error();
    }
    return ok;
}

bool DecodeDistricts(std::string_view bytes, std::vector<DistrictRecord>& out, std::string& error) {
    out.clear();
    ArchiveReader reader(bytes);
    std::size_t count = 0;
    bool ok = reader.ReadCount(kMinDistrictBytes, count);
    for (std::size_t i = 0; ok && i < count; ++i) {
        DistrictRecord record;
        ok = reader.ReadString(record.name) && reader.ReadDouble(record.lonDeg) &&
             reader.ReadDouble(record.latDeg);
        if (ok) {
            out.push_back(std::move(record));
        }
    }
    if (!ok) {
        error = reader.error();
    }
    return ok;
}

bool DecodeFacilities(std::string_view bytes, std::vector<CF_CHIN>& out, std::string& error) {
    out.clear();
    ArchiveReader reader(bytes);
    std::size_t count = 0;
    bool ok = reader.ReadCount(kMinFacilityBytes, count);
    for (std::size_t i = 0; ok && i < count; ++i) {
        CF_CHIN record;
        ok = reader.ReadInt16(record.prefectureCode) && reader.ReadString(record.name) &&
             reader.ReadDouble(record.lonDeg) && reader.ReadDouble(record.latDeg);
        if (ok) {
            out.push_back(std::move(record));
        }
    }
    if (!ok) {
        error = reader.error();
    }
    return ok;
}

ArchiveStatus ReadMunicipalityFile(const std::string& path, std::vector<MunicipalityRecord>& out,
                                   MessageReporter& reporter) {
    return ReadArchiveFile(path, out, reporter, DecodeMunicipalities);
}

ArchiveStatus ReadDistrictFile(const std::string& path, std::vector<DistrictRecord>& out,
                               MessageReporter& reporter) {
    return ReadArchiveFile(path, out, reporter, DecodeDistricts);
}

ArchiveStatus ReadFacilityFile(const std::string& path, std::vector<CF_CHIN>& out,
                               MessageReporter& reporter) {
    return ReadArchiveFile(path, out, reporter, DecodeFacilities);
}

std::string EncodeMunicipalities(std::span<const MunicipalityRecord> records) {
    ArchiveWriter writer;
    writer.WriteInt32(static_cast<std::int32_t>(records.size()));
    for (const MunicipalityRecord& record : records) {
        writer.WriteString(record.name);
        writer.WriteInt32(record.firstDistrict);
        writer.WriteInt32(record.districtCount);
        writer.WriteDouble(record.lonDeg);
        writer.WriteDouble(record.latDeg);
    }
    return writer.bytes();
}

std::string EncodeDistricts(std::span<const DistrictRecord> records) {
    ArchiveWriter writer;
    writer.WriteInt32(static_cast<std::int32_t>(records.size()));
    for (const DistrictRecord& record : records) {
        writer.WriteString(record.name);
        writer.WriteDouble(record.lonDeg);
        writer.WriteDouble(record.latDeg);
    }
    return writer.bytes();
}

std::string EncodeFacilities(std::span<const CF_CHIN> records) {
    ArchiveWriter writer;
    writer.WriteInt32(static_cast<std::int32_t>(records.size()));
    for (const CF_CHIN& record : records) {
        writer.WriteInt16(record.prefectureCode);
        writer.WriteString(record.name);
        writer.WriteDouble(record.lonDeg);
        writer.WriteDouble(record.latDeg);
    }
    return writer.bytes();
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
