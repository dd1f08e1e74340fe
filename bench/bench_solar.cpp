#include "solar/slope_model.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace quorvane {
namespace {

constexpr double kLatitudeDeg = 35.69;
constexpr double kLongitudeDeg = 139.76;
constexpr double kElevationM = 25.0;

struct DayData {
    double sunriseHour = 0.0;
    double sunsetHour = 0.0;
    std::array<double, 24> globalMJ{}, directMJ{}, diffuseMJ{}, snowCm{};
};

// A plausible year at Tokyo: clear-sky shaped irradiation under varying cloud, in
// the 0.01 MJ/m2 steps of the database, a little snow in January and February.
std::vector<DayData> SampleYear() {
    std::vector<DayData> year(365);
    std::uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / double(1u << 24);
    };
    for (int day = 1; day <= 365; ++day) {
        DayData& d = year[day - 1];
        double declination = Radians(SolarDeclination(day));
        double halfDayDeg =
            std::acos(-std::tan(Radians(kLatitudeDeg)) * std::tan(declination)) * 180.0 / 3.141593;
        double noon = 12.0 - (kLongitudeDeg - 135.0) / 15.0 - EquationOfTimeMinutes(day) / 60.0;
        d.sunriseHour = std::round((noon - halfDayDeg / 15.0) * 100.0) / 100.0;
        d.sunsetHour = std::round((noon + halfDayDeg / 15.0) * 100.0) / 100.0;
        double cloud = next();
        for (int hour = 1; hour <= 24; ++hour) {
            SunPosition sun =
                SunPositionAt(day, hour, kLatitudeDeg, kLongitudeDeg, d.sunriseHour, d.sunsetHour);
            double global = sun.cosZenith > 0.0 ? 3.6 * sun.cosZenith * (0.35 + 0.6 * cloud) : 0.0;
            double direct = global * cloud * 0.8;
            d.globalMJ[hour - 1] = std::round(global * 100.0) / 100.0;
            d.directMJ[hour - 1] = std::round(direct * 100.0) / 100.0;
            d.diffuseMJ[hour - 1] = std::round((global - direct) * 100.0) / 100.0;
            d.snowCm[hour - 1] = (day < 50 && cloud < 0.3) ? 3.0 : 0.0;
        }
    }
    return year;
}

const HorizontalHour kJuneNoon{172, 12, 4.43, 19.0, 3.2, 2.1, 1.1, 0.0};
const SiteLocation kSite{kLongitudeDeg, kLatitudeDeg, kElevationM};

void BM_SlopeIrradianceNoon(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(SlopeIrradiance(kJuneNoon, kSite, 30.0, 15.0));
    }
}
BENCHMARK(BM_SlopeIrradianceNoon);

void BM_PrepareSlopeHour(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(PrepareSlopeHour(kJuneNoon, kSite));
    }
}
BENCHMARK(BM_PrepareSlopeHour);

// One plane on a prepared hour, the inner step of an export.
void BM_EvaluateSlopePreparedPlane(benchmark::State& state) {
    SlopeHour hour = PrepareSlopeHour(kJuneNoon, kSite);
    SlopePlane plane = PrepareSlopePlane(30.0, 15.0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(EvaluateSlope(hour, plane));
    }
}
BENCHMARK(BM_EvaluateSlopePreparedPlane);

void BM_EvaluateSlopeByAngles(benchmark::State& state) {
    SlopeHour hour = PrepareSlopeHour(kJuneNoon, kSite);
    for (auto _ : state) {
        benchmark::DoNotOptimize(EvaluateSlope(hour, 30.0, 15.0));
    }
}
BENCHMARK(BM_EvaluateSlopeByAngles);

// The arithmetic of a whole-year export in angle mode 0 with step 1: 365 days x
// 360 azimuths x 24 hours = 3,153,600 evaluations at tilt 30, each rounded to
// 0.01 MJ/m2 with the day's maximum and sum, as the export lines need them.
void BM_YearSlopeEvaluationMode0Step1(benchmark::State& state) {
    const std::vector<DayData> year = SampleYear();
    std::vector<SlopePlane> planes;
    for (int azimuth = 0; azimuth < 360; ++azimuth) {
        planes.push_back(PrepareSlopePlane(30.0, azimuth));
    }
    std::array<SlopeHour, 24> hours;
    for (auto _ : state) {
        std::int64_t checksum = 0;
        for (int day = 1; day <= 365; ++day) {
            const DayData& d = year[day - 1];
            for (int h = 0; h < 24; ++h) {
                const HorizontalHour in{day,           h + 1,         d.sunriseHour,  d.sunsetHour,
                                        d.globalMJ[h], d.directMJ[h], d.diffuseMJ[h], d.snowCm[h]};
                hours[h] = PrepareSlopeHour(in, kSite);
            }
            for (const SlopePlane& plane : planes) {
                int maximum = 0;
                int sum = 0;
                for (const SlopeHour& hour : hours) {
                    int value = static_cast<int>(EvaluateSlope(hour, plane) * 100.0 + 0.5);
                    maximum = std::max(maximum, value);
                    sum += value;
                }
                checksum += maximum + sum;
            }
        }
        benchmark::DoNotOptimize(checksum);
    }
    state.SetItemsProcessed(state.iterations() * 365 * 360 * 24);
}
BENCHMARK(BM_YearSlopeEvaluationMode0Step1)->Unit(benchmark::kMillisecond);

// The same year computed the plain way: one SlopeIrradiance call per value.
void BM_YearSlopeIrradianceMode0Step1Plain(benchmark::State& state) {
    const std::vector<DayData> year = SampleYear();
    for (auto _ : state) {
        std::int64_t checksum = 0;
        for (int day = 1; day <= 365; ++day) {
            const DayData& d = year[day - 1];
            for (int azimuth = 0; azimuth < 360; ++azimuth) {
                for (int h = 0; h < 24; ++h) {
                    const HorizontalHour in{
                        day,           h + 1,         d.sunriseHour,  d.sunsetHour,
                        d.globalMJ[h], d.directMJ[h], d.diffuseMJ[h], d.snowCm[h]};
                    double value = SlopeIrradiance(in, kSite, 30.0, azimuth);
                    checksum += static_cast<int>(value * 100.0 + 0.5);
                }
            }
        }
        benchmark::DoNotOptimize(checksum);
    }
    state.SetItemsProcessed(state.iterations() * 365 * 360 * 24);
}
BENCHMARK(BM_YearSlopeIrradianceMode0Step1Plain)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quorvane
