#include "data/text_codec.h"
#include "monthly/monthly_lookup.h"
#include "monthly_file_writer.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::test;

namespace {

// A record read from a generated file, as the viewer gets it.
class MonthlyLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("m47401", JoinLines(MonthlyTestLines(), "\r\n"));
        CollectingReporter reporter;
        ASSERT_EQ(LoadMonthlyData(dir.str(), 47401, record, reporter), LoadStatus::Ok);
    }

    TempDir dir;
    MonthlyRecord record;
};

} // namespace

TEST(OrientationIndices, SignOfTheAzimuthDoesNotMatter) {
    EXPECT_EQ(OrientationIndices(30, 45), (MonthlyOrientation{3, 3}));
    EXPECT_EQ(OrientationIndices(30, -45), (MonthlyOrientation{3, 3}));
    EXPECT_EQ(OrientationIndices(0, 180), (MonthlyOrientation{12, 0}));
    EXPECT_EQ(OrientationIndices(90, -180), (MonthlyOrientation{12, 9}));
    EXPECT_EQ(OrientationIndices(19, -29), (MonthlyOrientation{1, 1})) << "integer division";
}

TEST_F(MonthlyLookupTest, EastAndWestOfSouthGiveTheSameValues) {
    MonthlyOrientation east = OrientationIndices(40, -45);
    MonthlyOrientation west = OrientationIndices(40, 45);
    for (int column = 0; column < kMonthlyColumnCount; ++column) {
        EXPECT_EQ(SlopeValue(record, east.azimuthIndex, east.tiltIndex, column),
                  SlopeValue(record, west.azimuthIndex, west.tiltIndex, column));
    }
    EXPECT_DOUBLE_EQ(SlopeValue(record, 3, 4, 5),
                     MonthlyTestValue(PlaneLineNumber(3, 4), 5) / 100.0);
}

TEST_F(MonthlyLookupTest, HorizontalRowIsTheSameForEveryAzimuth) {
    for (int azimuthDeg = -180; azimuthDeg <= 180; azimuthDeg += 15) {
        MonthlyOrientation horizontal = OrientationIndices(0, azimuthDeg);
        EXPECT_EQ(SlopeRow(record, horizontal.azimuthIndex, 0), record.variation[0]) << azimuthDeg;
    }
}

TEST_F(MonthlyLookupTest, DerivedAndVariationRows) {
    EXPECT_DOUBLE_EQ(DerivedRowValue(record, DerivedRow::OptimumTilt, kYearColumn),
                     MonthlyTestValue(122, kYearColumn) / 100.0);
    EXPECT_DOUBLE_EQ(DerivedRowValue(record, DerivedRow::SnowDepthOver10cmRate, kAutumnColumn),
                     MonthlyTestValue(129, kAutumnColumn) / 100.0);
    VariationValues variation = VariationAt(record, kWinterColumn);
    EXPECT_DOUBLE_EQ(variation.average, MonthlyTestValue(2, kWinterColumn) / 100.0);
    EXPECT_DOUBLE_EQ(variation.maximum, MonthlyTestValue(3, kWinterColumn) / 100.0);
    EXPECT_DOUBLE_EQ(variation.minimum, MonthlyTestValue(4, kWinterColumn) / 100.0);
}

TEST(MonthlyLookup, IndexesOutsideTheRecordGiveZero) {
    MonthlyRecord record;
    for (auto& azimuth : record.planeValues) {
        for (MonthlyRow& row : azimuth) {
            row.fill(500);
        }
    }
    for (MonthlyRow& row : record.optimumTable) {
        row.fill(500);
    }
    for (MonthlyRow& row : record.variation) {
        row.fill(500);
    }
    EXPECT_EQ(SlopeValue(record, 13, 0, 0), 0.0);
    EXPECT_EQ(SlopeValue(record, -1, 0, 0), 0.0);
    EXPECT_EQ(SlopeValue(record, 0, 10, 0), 0.0);
    EXPECT_EQ(SlopeValue(record, 0, 0, 17), 0.0);
    EXPECT_EQ(SlopeRow(record, 0, 10), MonthlyRow{});
    EXPECT_EQ(DerivedRowValue(record, static_cast<DerivedRow>(8), 0), 0.0);
    EXPECT_EQ(DerivedRowValue(record, DerivedRow::OptimumTilt, -1), 0.0);
    EXPECT_EQ(VariationAt(record, 17).maximum, 0.0);
    EXPECT_DOUBLE_EQ(SlopeValue(record, 12, 9, 16), 5.0);
}

TEST(MonthlyLookup, StoredValuesAreShownDividedByHundred) {
    EXPECT_DOUBLE_EQ(MonthlyDisplayValue(1234), 12.34);
    EXPECT_DOUBLE_EQ(MonthlyDisplayValue(-122), -1.22);
    EXPECT_DOUBLE_EQ(MonthlyDisplayValue(0), 0.0);
}

TEST(SiteHeaderFields, ReadAtTheirBytePositions) {
    SiteHeaderFields fields = ReadSiteHeaderFields(MonthlyTestHeader());
    EXPECT_EQ(fields.latitudeDeg, "45");
    EXPECT_EQ(fields.latitudeMin, "24.9");
    EXPECT_EQ(fields.longitudeDeg, "141");
    EXPECT_EQ(fields.longitudeMin, "40.7");
    EXPECT_EQ(fields.elevationM, "   3");
}

TEST(SiteHeaderFields, ShortHeaderGivesWhatIsThere) {
    std::string header = MonthlyTestHeader();
    SiteHeaderFields cut = ReadSiteHeaderFields(header.substr(0, 37));
    EXPECT_EQ(cut.latitudeMin, "24.9");
    EXPECT_EQ(cut.longitudeDeg, "14");
    EXPECT_EQ(cut.longitudeMin, "");
    EXPECT_EQ(cut.elevationM, "");
    SiteHeaderFields empty = ReadSiteHeaderFields("");
    EXPECT_EQ(empty.latitudeDeg, "");
}

TEST(SiteHeaderFields, TextIsConvertedFromCp932) {
    std::string header(26, ' ');
    header += Utf8ToCp932("北緯");
    SiteHeaderFields fields = ReadSiteHeaderFields(header);
    EXPECT_EQ(fields.latitudeDeg, "北");
}
