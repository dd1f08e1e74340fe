#include "monthly/monthly_lookup.h"

#include "data/c_fields.h"
#include "data/text_codec.h"

#include <cstdlib>

namespace quorvane {

namespace {

bool IsColumn(int column) {
    return column >= 0 && column < kMonthlyColumnCount;
}

bool IsPlane(int azimuthIndex, int tiltIndex) {
    return azimuthIndex >= 0 && azimuthIndex < kMonthlyAzimuthCount && tiltIndex >= 0 &&
           tiltIndex < kMonthlyTiltCount;
}

std::string HeaderField(std::string_view header, std::size_t start, std::size_t width) {
    return Cp932ToUtf8(Columns(header, start, width));
}

} // namespace

MonthlyOrientation OrientationIndices(int tiltDeg, int azimuthDeg) {
    return {std::abs(azimuthDeg) / 15, tiltDeg / 10};
}

double SlopeValue(const MonthlyRecord& record, int azimuthIndex, int tiltIndex, int column) {
    if (!IsPlane(azimuthIndex, tiltIndex) || !IsColumn(column)) {
        return 0.0;
    }
    return MonthlyDisplayValue(record.planeValues[azimuthIndex][tiltIndex][column]);
}

const MonthlyRow& SlopeRow(const MonthlyRecord& record, int azimuthIndex, int tiltIndex) {
    static const MonthlyRow kNoRow{};
    if (!IsPlane(azimuthIndex, tiltIndex)) {
        return kNoRow;
    }
    return record.planeValues[azimuthIndex][tiltIndex];
}

double DerivedRowValue(const MonthlyRecord& record, DerivedRow row, int column) {
    int index = static_cast<int>(row);
    if (index < 0 || index >= kOptimumRowCount || !IsColumn(column)) {
        return 0.0;
    }
    return MonthlyDisplayValue(record.optimumTable[index][column]);
}

VariationValues VariationAt(const MonthlyRecord& record, int column) {
    if (!IsColumn(column)) {
        return {};
    }
    return {MonthlyDisplayValue(record.variation[0][column]),
            MonthlyDisplayValue(record.variation[1][column]),
            MonthlyDisplayValue(record.variation[2][column])};
}

SiteHeaderFields ReadSiteHeaderFields(std::string_view cp932Header) {
    return {HeaderField(cp932Header, 26, 2), HeaderField(cp932Header, 29, 4),
            HeaderField(cp932Header, 35, 3), HeaderField(cp932Header, 39, 4),
            HeaderField(cp932Header, 44, 4)};
}

} // namespace quorvane
