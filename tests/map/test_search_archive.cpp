#include "map/binary_io.h"
#include "map/search_archive.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <random>

using namespace quorvane;

namespace {

std::vector<MunicipalityRecord> SampleMunicipalities() {
    return {{"千代田区", 1, 2, 139.7536, 35.6940},
            {"中央区", 3, 0, 0.0, 0.0},
            {"港区", 3, 1, 139.7516, 35.6581}};
}

std::vector<DistrictRecord> SampleDistricts() {
    return {{"丸の内一丁目", 139.7650, 35.6812},
            {"大手町一丁目", 139.7640, 35.6870},
            {"芝公園四丁目", 139.7454, 35.6586}};
}

std::vector<CF_CHIN> SampleFacilities() {
    return {{13, "東京都庁", 139.6917, 35.6895},
            {14, "神奈川県庁", 139.6425, 35.4478},
            {13, "警視庁", 139.7528, 35.6776}};
}

} // namespace

TEST(SearchArchive, TablesOfPrefecturesAndCategories) {
    EXPECT_EQ(kPrefectureNames[0], "北海道");
    EXPECT_EQ(kPrefectureNames[12], "東京都");
    EXPECT_EQ(kPrefectureNames[46], "沖縄県");
    EXPECT_EQ(kFacilityCategories[0], "都道府県庁");
    EXPECT_EQ(kFacilityCategories[6], "湖、沼名");
    EXPECT_EQ(kFacilityCategories[13], "スキー場");
}

TEST(SearchArchive, Paths) {
    EXPECT_EQ(MunicipalityFilePath("/d", 1), "/d/map/GaikuTabl/ga_addp1_01");
    EXPECT_EQ(DistrictFilePath("/d", 47), "/d/map/GaikuTabl/ga_addp2_47");
    EXPECT_EQ(FacilityFilePath("/d", 14), "/d/map/kensaku/014");
}

TEST(SearchArchive, StringLengthPrefixes) {
    for (std::size_t length : {0u, 1u, 254u, 255u, 256u, 65533u, 65534u, 65535u, 70000u}) {
        ArchiveWriter writer;
        writer.WriteString(std::string(length, 'a'));
        const std::string& bytes = writer.bytes();
        std::size_t prefix = length < 255 ? 1 : length < 65534 ? 3 : 7;
        ASSERT_EQ(bytes.size(), prefix + length) << length;
        if (prefix == 3) {
            EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
        }
        if (prefix == 7) {
            EXPECT_EQ(bytes.substr(0, 3), "\xFF\xFF\xFF");
        }
        ArchiveReader reader(bytes);
        std::string text;
        ASSERT_TRUE(reader.ReadString(text)) << length;
        EXPECT_EQ(text.size(), length);
        EXPECT_EQ(reader.remaining(), 0u);
    }
}

TEST(SearchArchive, NamesAreConvertedFromCp932) {
    ArchiveWriter writer;
    writer.WriteString("東京都");
    EXPECT_EQ(writer.bytes(), std::string("\x06\x93\x8C\x8B\x9E\x93\x73", 7));
    ArchiveReader reader(writer.bytes());
    std::string text;
    ASSERT_TRUE(reader.ReadString(text));
    EXPECT_EQ(text, "東京都");
}

TEST(SearchArchive, RoundTripsOfAllThreeFiles) {
    test::TempDir dir;
    ASSERT_TRUE(WriteMunicipalityFile(MunicipalityFilePath(dir.str(), 13), SampleMunicipalities()));
    ASSERT_TRUE(WriteDistrictFile(DistrictFilePath(dir.str(), 13), SampleDistricts()));
    ASSERT_TRUE(WriteFacilityFile(FacilityFilePath(dir.str(), 1), SampleFacilities()));
    CollectingReporter reporter;
    std::vector<MunicipalityRecord> municipalities;
    std::vector<DistrictRecord> districts;
    std::vector<CF_CHIN> facilities;
    EXPECT_EQ(ReadMunicipalityFile(MunicipalityFilePath(dir.str(), 13), municipalities, reporter),
              LoadStatus::Ok);
    EXPECT_EQ(ReadDistrictFile(DistrictFilePath(dir.str(), 13), districts, reporter),
              LoadStatus::Ok);
    EXPECT_EQ(ReadFacilityFile(FacilityFilePath(dir.str(), 1), facilities, reporter),
              LoadStatus::Ok);
    EXPECT_EQ(municipalities, SampleMunicipalities());
    EXPECT_EQ(districts, SampleDistricts());
    EXPECT_EQ(facilities, SampleFacilities());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(SearchArchive, MissingFilesAreSilent) {
    test::TempDir dir;
    CollectingReporter reporter;
    std::vector<CF_CHIN> facilities{{1, "x", 0, 0}};
    EXPECT_EQ(ReadFacilityFile(FacilityFilePath(dir.str(), 3), facilities, reporter),
              LoadStatus::CannotRead);
    EXPECT_TRUE(facilities.empty());
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(SearchArchive, TruncatedFilesKeepTheRecordsBeforeTheFault) {
    std::string full = EncodeDistricts(SampleDistricts());
    // Cut inside the third record's name, then inside its latitude.
    std::size_t third = full.size() - (1 + std::string("芝公園四丁目").size() / 3 * 2 + 16);
    for (std::size_t cut : {third + 3, full.size() - 1}) {
        test::TempDir dir;
        std::string path = dir.Write("map/GaikuTabl/ga_addp2_13", full.substr(0, cut));
        CollectingReporter reporter;
        std::vector<DistrictRecord> districts;
        EXPECT_EQ(ReadDistrictFile(path, districts, reporter), LoadStatus::Truncated);
        std::vector<DistrictRecord> expected = SampleDistricts();
        expected.pop_back();
        EXPECT_EQ(districts, expected);
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0], "「ga_addp2_13」の読み込み中にエラーが発生しました。"
                                        "ファイルの終わりを越えて読み込もうとしました。");
    }
}

TEST(SearchArchive, HostileCountsAndLengthsAreReadErrors) {
    std::vector<MunicipalityRecord> municipalities;
    std::vector<CF_CHIN> facilities;

    std::string hugeCount;
    AppendI32(hugeCount, 0x7FFFFFFF);
    hugeCount += EncodeMunicipalities(SampleMunicipalities()).substr(4);
    EXPECT_EQ(DecodeMunicipalities(hugeCount, municipalities), LoadStatus::Truncated);
    EXPECT_EQ(municipalities, SampleMunicipalities())
        << "the count is bounded by the bytes left; the complete records are kept";

    // Cut after the first record: the count no longer fits, the first record stays.
    const std::vector<MunicipalityRecord> sample = SampleMunicipalities();
    const std::string firstOnly = EncodeMunicipalities(sample).substr(0, 4) +
                                  EncodeMunicipalities(std::span(sample).first(1)).substr(4);
    EXPECT_EQ(DecodeMunicipalities(firstOnly, municipalities), LoadStatus::Truncated);
    ASSERT_EQ(municipalities.size(), 1u);
    EXPECT_EQ(municipalities[0], SampleMunicipalities()[0]);

    std::string negative;
    AppendI32(negative, -1);
    EXPECT_EQ(DecodeFacilities(negative, facilities), LoadStatus::Damaged);

    // A 32-bit string length far past the end of the file.
    std::string longName;
    AppendI32(longName, 1);
    AppendI16(longName, 13);
    longName += std::string("\xFF\xFF\xFF\xF0\xFF\xFF\x7F", 7);
    longName += std::string(16, '\0');
    EXPECT_EQ(DecodeFacilities(longName, facilities), LoadStatus::Truncated);
    EXPECT_TRUE(facilities.empty());

    // The UTF-16 marker is no length.
    std::string wide;
    AppendI32(wide, 1);
    AppendI16(wide, 13);
    wide += std::string("\xFF\xFE\xFF", 3);
    wide += std::string(16, '\0');
    EXPECT_EQ(DecodeFacilities(wide, facilities), LoadStatus::Damaged);

    EXPECT_EQ(DecodeFacilities(std::string("\x01\x00", 2), facilities), LoadStatus::Truncated)
        << "end inside the count";
    EXPECT_EQ(DecodeFacilities(std::string("\x00\x00\x00\x00", 4), facilities), LoadStatus::Ok);
    EXPECT_TRUE(facilities.empty());
}

TEST(SearchArchive, NamesThatDoNotConvertAreKeptAndReported) {
    // 0x82 0xFF is no CP932 character.
    std::string bytes;
    AppendI32(bytes, 1);
    bytes += std::string("\x04\x82\xFF\x82\xA0", 5);
    bytes += std::string(16, '\0');
    test::TempDir dir;
    const std::string path = dir.Write("map/GaikuTabl/ga_addp2_01", bytes);
    CollectingReporter reporter;
    std::vector<DistrictRecord> districts;
    EXPECT_EQ(ReadDistrictFile(path, districts, reporter), LoadStatus::UnconvertibleText);
    ASSERT_EQ(districts.size(), 1u);
    EXPECT_EQ(districts[0].name.substr(districts[0].name.size() - 3), "あ");
    EXPECT_NE(districts[0].name.find("\xEF\xBF\xBD"), std::string::npos) << "replaced, not raw";
    EXPECT_EQ(reporter.messages, std::vector<std::string>{
                                     "「ga_addp2_01」に文字コードを変換できない文字があります。"});
}

TEST(SearchArchive, DistrictsOfAMunicipality) {
    std::vector<DistrictRecord> districts = SampleDistricts();
    std::vector<MunicipalityRecord> municipalities = SampleMunicipalities();
    auto first = DistrictsOf(municipalities[0], districts);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[1].name, "大手町一丁目");
    EXPECT_TRUE(DistrictsOf(municipalities[1], districts).empty()) << "no districts";
    auto last = DistrictsOf(municipalities[2], districts);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].name, "芝公園四丁目");
    EXPECT_EQ(DistrictsOf({"x", 3, 50, 0, 0}, districts).size(), 1u) << "count past the end";
    EXPECT_TRUE(DistrictsOf({"x", 40, 2, 0, 0}, districts).empty()) << "start past the end";
    EXPECT_EQ(DistrictsOf({"x", 0, 2, 0, 0}, districts).size(), 2u) << "start before the first";
}

TEST(SearchArchive, FacilitiesOfAPrefectureInFileOrder) {
    std::vector<CF_CHIN> tokyo = FacilitiesOf(SampleFacilities(), 13);
    ASSERT_EQ(tokyo.size(), 2u);
    EXPECT_EQ(tokyo[0].name, "東京都庁");
    EXPECT_EQ(tokyo[1].name, "警視庁");
    EXPECT_TRUE(FacilitiesOf(SampleFacilities(), 47).empty());
}

TEST(SearchArchive, RandomDamageNeverReadsPastTheBytes) {
    // Every prefix of a valid file, and files with random bytes overwritten, decode to
    // a prefix of the records or report an error; run under the sanitizers this also
    // proves no read leaves the buffer.
    std::string valid = EncodeFacilities(SampleFacilities());
    std::vector<CF_CHIN> facilities;
    for (std::size_t cut = 0; cut < valid.size(); ++cut) {
        EXPECT_NE(DecodeFacilities(valid.substr(0, cut), facilities), LoadStatus::Ok) << cut;
        EXPECT_LE(facilities.size(), SampleFacilities().size());
    }
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 2000; ++round) {
        std::string damaged = valid;
        for (int k = 0; k < 4; ++k) {
            damaged[static_cast<std::size_t>(rng() % damaged.size())] =
                static_cast<char>(byte(rng));
        }
        std::vector<MunicipalityRecord> municipalities;
        std::vector<DistrictRecord> districts;
        DecodeFacilities(damaged, facilities);
        DecodeMunicipalities(damaged, municipalities);
        DecodeDistricts(damaged, districts);
        EXPECT_LE(facilities.size(), damaged.size() / 19);
        EXPECT_LE(districts.size(), damaged.size() / 17);
    }
}
