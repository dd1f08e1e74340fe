#include "weather.h"

#include "rng.h"
#include "solar/calendar.h"
#include "sun.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace quorvane::datakit {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSteps = 10;                // six-minute steps: one step of sunshine is 0.1 h
constexpr double kSolarConstant = 1367.0; // W/m2

// Monthly mean cloud cover of five climates (January .. December).
constexpr std::array<double, 12> kPacific = {0.36, 0.45, 0.58, 0.62, 0.62, 0.77,
                                             0.68, 0.57, 0.67, 0.63, 0.51, 0.40};
constexpr std::array<double, 12> kJapanSea = {0.88, 0.82, 0.68, 0.57, 0.54, 0.68,
                                              0.64, 0.51, 0.61, 0.64, 0.77, 0.88};
constexpr std::array<double, 12> kHokkaidoPacific = {0.36, 0.40, 0.50, 0.58, 0.66, 0.74,
                                                     0.78, 0.74, 0.64, 0.55, 0.46, 0.38};
constexpr std::array<double, 12> kHokkaidoJapanSea = {0.86, 0.80, 0.68, 0.58, 0.56, 0.60,
                                                      0.66, 0.62, 0.60, 0.66, 0.80, 0.88};
constexpr std::array<double, 12> kSubtropical = {0.76, 0.76, 0.71, 0.68, 0.72, 0.72,
                                                 0.50, 0.54, 0.57, 0.60, 0.68, 0.74};

constexpr int kMonthMid[12] = {16, 45, 75, 105, 136, 166, 197, 228, 258, 289, 319, 350};

double Interpolate(const std::array<double, 12>& table, int day) {
    int m = 0;
    while (m < 12 && kMonthMid[m] <= day) {
        ++m;
    }
    const int a = (m + 11) % 12, b = m % 12;
    int da = kMonthMid[a], db = kMonthMid[b];
    int d = day;
    if (db <= da) {
        db += 365;
        if (d < da) {
            d += 365;
        }
    }
    const double t = static_cast<double>(d - da) / (db - da);
    return table[static_cast<std::size_t>(a)] * (1 - t) + table[static_cast<std::size_t>(b)] * t;
}

double Logit(double p) {
    return std::log(p / (1 - p));
}
double Logistic(double x) {
    return 1.0 / (1.0 + std::exp(-x));
}

// The main ridge of the islands from south-west to north-east: the Japan Sea lies
// to its left.
constexpr CDPoint kSpine[] = {
    {129.9, 31.2}, {130.9, 32.5}, {131.2, 33.3}, {131.0, 34.2}, {132.0, 34.65}, {133.0, 35.0},
    {134.0, 35.2}, {135.0, 35.3}, {135.8, 35.5}, {136.6, 35.9}, {137.4, 36.3},  {138.3, 36.8},
    {139.2, 37.2}, {139.9, 37.8}, {140.5, 38.6}, {140.8, 39.6}, {141.0, 40.6},  {141.0, 41.3},
    {141.7, 42.7}, {142.7, 43.3}, {145.3, 43.6}};

double SignedSpineDistance(double lon, double lat) {
    const double k = std::cos(lat * kPi / 180.0);
    double best = 1e9, sign = 1.0;
    for (std::size_t i = 0; i + 1 < std::size(kSpine); ++i) {
        const double ax = kSpine[i].x * k, ay = kSpine[i].y;
        const double bx = kSpine[i + 1].x * k, by = kSpine[i + 1].y;
        const double px = lon * k, py = lat;
        const double dx = bx - ax, dy = by - ay;
        const double t =
            std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        const double d = std::hypot(px - ax - t * dx, py - ay - t * dy);
        if (d < best) {
            best = d;
            sign = dx * (py - ay) - dy * (px - ax) > 0 ? 1.0 : -1.0;
        }
    }
    return sign * best;
}

// 0 in winter, 1 in late July.
double Summerness(int day) {
    return 0.5 - 0.5 * std::cos(2 * kPi * (day - 15) / 365.0);
}

// Smooth daily cycle of temperature: 0 at sunrise, 1 at 14:30, back to 0 at the
// next sunrise.
double DailyShape(double t, double sunrise) {
    constexpr double kPeak = 14.5;
    if (t >= sunrise && t <= kPeak) {
        return 0.5 - 0.5 * std::cos(kPi * (t - sunrise) / (kPeak - sunrise));
    }
    const double since = t >= kPeak ? t - kPeak : t + 24.0 - kPeak;
    return 0.5 + 0.5 * std::cos(kPi * since / (sunrise + 24.0 - kPeak));
}

int RoundHalfUp(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

} // namespace

Draws MakeDraws(std::uint64_t seed, int siteNumber) {
    Draws d;
    Rng daily(StreamKey(seed, 0xDA11, static_cast<std::uint64_t>(siteNumber)));
    Rng hourly(StreamKey(seed, 0x4085, static_cast<std::uint64_t>(siteNumber)));
    Rng steps(StreamKey(seed, 0x57E9, static_cast<std::uint64_t>(siteNumber)));
    double z = daily.Normal(), a = daily.Normal(), w = daily.Normal(), angle = daily.Normal();
    for (int day = 0; day < kDays; ++day) {
        z = 0.55 * z + 0.835 * daily.Normal();
        a = 0.72 * a + 0.694 * daily.Normal();
        w = 0.5 * w + 0.866 * daily.Normal();
        angle = 0.6 * angle + 0.8 * daily.Normal();
        d.dailyCloud.push_back(z);
        d.dailyTemp.push_back(a);
        d.dailyWind.push_back(w);
        d.dailyWindAngle.push_back(angle);
        d.rainDay.push_back(daily.Uniform());
        d.dailyRain.push_back(daily.Uniform());
    }
    // A standard year is made of typical months: each month's cloudiness draws are
    // centred, so that its mean follows the climate and the day-to-day weather
    // still varies.
    for (int m = 1, first = 0; m <= 12; ++m) {
        const int last = first + kDaysPerMonth[m - 1];
        double mean = 0.0;
        for (int day = first; day < last; ++day) {
            mean += d.dailyCloud[static_cast<std::size_t>(day)];
        }
        mean /= kDaysPerMonth[m - 1];
        for (int day = first; day < last; ++day) {
            d.dailyCloud[static_cast<std::size_t>(day)] -= mean;
        }
        first = last;
    }
    double c = hourly.Normal();
    for (int h = 0; h < kDays * 24; ++h) {
        c = 0.82 * c + 0.572 * hourly.Normal();
        d.hourlyCloud.push_back(c);
        d.hourlyTemp.push_back(hourly.Normal());
        d.hourlyWind.push_back(hourly.Normal());
        d.hourlyAngle.push_back(hourly.Normal());
        d.rainHour.push_back(hourly.Uniform());
        d.rainAmount.push_back(hourly.Uniform());
    }
    d.visibility.resize(static_cast<std::size_t>(kDays * 24 * kSteps));
    for (auto& v : d.visibility) {
        v = static_cast<float>(steps.Uniform());
    }
    return d;
}

namespace {

// Where some hours of a file are missing, as in real records.
struct Gap {
    int day = -1;
    int element = 0;
    int firstHour = 0;
    int hours = 0;
};

std::vector<Gap> MakeGaps(std::uint64_t seed, int siteNumber, YearVariant variant) {
    Rng rng(StreamKey(seed, 0x6A95, static_cast<std::uint64_t>(siteNumber),
                      static_cast<std::uint64_t>(variant)));
    std::vector<Gap> gaps;
    const int count = rng.Below(4); // 0..3 gaps a year
    // A gap in the irradiance takes global, direct and diffuse together.
    static constexpr int kGapElements[] = {1, 4, 5, 8};
    for (int i = 0; i < count; ++i) {
        Gap g;
        g.day = rng.Below(kDays);
        g.element = kGapElements[rng.Below(4)];
        g.hours = 1 + rng.Below(3);
        g.firstHour = rng.Below(24 - g.hours);
        gaps.push_back(g);
    }
    return gaps;
}

} // namespace

SiteClimate ClimateOf(const Site& site) {
    SiteClimate c;
    const double lat = site.latDeg;
    c.japanSea = Logistic(SignedSpineDistance(site.lonDeg, lat) / 0.12);
    c.winterMonsoon = std::clamp((lat - 31.0) / 5.0, 0.25, 1.0);
    c.subtropical = lat < 29.6;
    c.hokkaido = lat > 41.4 && site.lonDeg > 139.0;
    c.annualMeanC = 15.8 - 0.85 * (lat - 35.0) - 0.0060 * site.elevationM;
    c.seasonalAmplitudeC = 5.8 + 0.42 * (lat - 26.0) + 0.03 * std::min(site.coastKm, 60.0);
    if (c.subtropical) {
        c.annualMeanC = 23.2 - 0.45 * (lat - 26.2) - 0.0060 * site.elevationM;
        c.seasonalAmplitudeC = 5.9;
    }
    return c;
}

double MeanCloudCover(const SiteClimate& climate, int day) {
    if (climate.subtropical) {
        return Interpolate(kSubtropical, day);
    }
    const double j = climate.japanSea;
    if (climate.hokkaido) {
        return (1 - j) * Interpolate(kHokkaidoPacific, day) +
               j * Interpolate(kHokkaidoJapanSea, day);
    }
    const double pacific = Interpolate(kPacific, day);
    const double sea = Interpolate(kJapanSea, day);
    // The winter monsoon weakens towards Kyushu; the rest of the year both sides
    // differ little.
    const double winter = 0.5 + 0.5 * std::cos(2 * kPi * (day - 15) / 365.0);
    const double weight = j * (winter * climate.winterMonsoon + (1 - winter));
    return (1 - weight) * pacific + weight * sea;
}

SiteWeather PrepareSiteWeather(const Site& site, std::uint64_t seed) {
    SiteWeather w;
    w.climate = ClimateOf(site);
    w.draws = MakeDraws(seed, site.number);
    const double pressure = std::exp(-site.elevationM / 8434.0);
    const std::size_t n = static_cast<std::size_t>(kDays * 24 * kSteps);
    w.cosZenith.assign(n, 0.0f);
    w.clearBeamNormal.assign(n, 0.0f);
    w.diffuseBase.assign(n, 0.0f);
    for (int d = 0; d < kDays; ++d) {
        const int day = d + 1;
        const RiseSet rs = SunriseSunset(site.latDeg, site.lonDeg, day);
        w.sunrise[d] = static_cast<float>(rs.sunrise);
        w.sunset[d] = static_cast<float>(rs.sunset);
        const double summer = Summerness(day);
        for (int h = 0; h < 24; ++h) {
            // The declination and the equation of time change little within an hour.
            const SunState sun = SunAt(day, h + 0.5);
            const double i0 = kSolarConstant * sun.eccentricity;
            const double latRad = site.latDeg * kPi / 180.0;
            for (int s = 0; s < kSteps; ++s) {
                const double t = h + (s + 0.5) / kSteps;
                const double solarTime =
                    t + (site.lonDeg - 135.0) / 15.0 + sun.equationOfTimeMin / 60.0;
                const double hourAngle = (solarTime - 12.0) * 15.0 * kPi / 180.0;
                const double cosZ =
                    std::sin(latRad) * std::sin(sun.declinationRad) +
                    std::cos(latRad) * std::cos(sun.declinationRad) * std::cos(hourAngle);
                if (cosZ <= 0.0) {
                    continue;
                }
                const std::size_t k = static_cast<std::size_t>((d * 24 + h) * kSteps + s);
                const double zenithDeg = std::acos(cosZ) * 180.0 / kPi;
                const double airMass =
                    pressure / (cosZ + 0.50572 * std::pow(96.07995 - zenithDeg, -1.6364));
                w.cosZenith[k] = static_cast<float>(cosZ);
                // Humid summer air lets less of the beam through.
                w.clearBeamNormal[k] = static_cast<float>(
                    i0 * std::pow(0.72 - 0.08 * summer, std::pow(airMass, 0.678)));
                w.diffuseBase[k] = static_cast<float>(i0 * cosZ * std::pow(0.93, airMass - 1.0));
            }
        }
    }
    return w;
}

void SimulateYear(const Site& site, const SiteWeather& weather, std::uint64_t seed,
                  YearVariant variant, HourlyYear& year) {
    const SiteClimate& climate = weather.climate;
    const Draws& draws = weather.draws;
    Rng variantRng(StreamKey(seed, 0x7A21, static_cast<std::uint64_t>(site.number)));
    std::array<double, 12> shift{};
    for (auto& s : shift) {
        const double u = variantRng.Uniform();
        s = variant == YearVariant::HighSunshine
                ? -0.30 - 0.25 * u
                : (variant == YearVariant::LowSunshine ? 0.30 + 0.25 * u : 0.0);
    }

    double snowCm = 0.0;
    for (int d = 0; d < kDays; ++d) {
        const int day = d + 1;
        year.sunrise[d] = weather.sunrise[d];
        year.sunset[d] = weather.sunset[d];
        const double sunrise = weather.sunrise[d];
        const int month = MonthDayOfYear(day).month - 1;
        const double summer = Summerness(day);
        const double meanCloud = MeanCloudCover(climate, day);
        const double dayCloudLogit = Logit(meanCloud) + shift[static_cast<std::size_t>(month)] +
                                     1.7 * draws.dailyCloud[static_cast<std::size_t>(d)];
        const double dayCloud = Logistic(dayCloudLogit);
        const double seasonalC = climate.annualMeanC - climate.seasonalAmplitudeC *
                                                           std::cos(2 * kPi * (day - 30) / 365.0);
        const double anomalySd = 2.8 - 1.3 * summer;
        const double dailyRange =
            (3.5 + 8.0 * (1 - dayCloud)) * (0.55 + 0.45 * std::min(1.0, site.coastKm / 20.0));
        const double rainChance = Logistic((dayCloud - 0.74) / 0.05) * (0.55 + 0.45 * dayCloud);
        const bool rainyDay = draws.rainDay[static_cast<std::size_t>(d)] < rainChance;
        // Heavier rain in the rainy season and in the typhoon season.
        const double rainRate = (0.35 + 1.15 * summer + 0.35 * climate.japanSea * (1 - summer)) *
                                (0.5 + 1.5 * draws.dailyRain[static_cast<std::size_t>(d)]);
        const double windDaily = std::exp(0.35 * draws.dailyWind[static_cast<std::size_t>(d)]);
        const double winterMonsoon = (1 - summer) * (0.6 + 0.4 * climate.japanSea);
        const double baseAngle = 315.0 * winterMonsoon + 160.0 * (1 - winterMonsoon) +
                                 55.0 * draws.dailyWindAngle[static_cast<std::size_t>(d)];
        const double meanWind =
            2.0 + 1.8 * std::exp(-site.coastKm / 8.0) + 0.8 * winterMonsoon * climate.japanSea;

        for (int h = 0; h < 24; ++h) {
            const std::size_t hi = static_cast<std::size_t>(d * 24 + h);
            const double cloud = Logistic(dayCloudLogit + 1.1 * draws.hourlyCloud[hi]);
            const double obscured = std::pow(cloud, 1.25);
            double globalJ = 0.0, directJ = 0.0;
            int sunshineSteps = 0;
            for (int s = 0; s < kSteps; ++s) {
                const std::size_t k = hi * kSteps + static_cast<std::size_t>(s);
                const double cosZ = weather.cosZenith[k];
                if (cosZ <= 0.0) {
                    continue;
                }
                const double beamNormal = weather.clearBeamNormal[k] * (1.0 - 0.3 * cloud);
                const bool sunVisible = draws.visibility[k] > obscured;
                const double beam = sunVisible ? beamNormal * cosZ : 0.0;
                const double diffuse =
                    weather.diffuseBase[k] *
                    (0.085 + 0.035 * summer + 0.34 * cloud * (1.0 - 0.5 * cloud));
                globalJ += (beam + diffuse) * 360.0;
                directJ += beam * 360.0;
                // The sunshine recorder counts a direct normal irradiance of 120 W/m2.
                if (sunVisible && beamNormal >= 120.0) {
                    ++sunshineSteps;
                }
            }
            const int global = RoundHalfUp(globalJ / 1e4);
            const int direct = std::min(global, RoundHalfUp(directJ / 1e4));

            const double t = h + 0.5;
            const double nextAnomaly =
                draws.dailyTemp[static_cast<std::size_t>(std::min(d + 1, kDays - 1))];
            const double anomaly =
                anomalySd * (draws.dailyTemp[static_cast<std::size_t>(d)] * (1 - t / 24.0) +
                             nextAnomaly * (t / 24.0));
            const double temperature = seasonalC + anomaly +
                                       dailyRange * (DailyShape(t, sunrise) - 0.5) +
                                       0.35 * draws.hourlyTemp[hi];

            double rain = 0.0;
            if (rainyDay && cloud > 0.78 &&
                draws.rainHour[hi] < 0.25 + 0.6 * (cloud - 0.78) / 0.22) {
                rain = -std::log(1.0 - 0.999 * draws.rainAmount[hi]) * rainRate;
            }
            const int precipitation = std::min(9998, RoundHalfUp(rain * 10.0));
            // Snow below about 1 °C (1 mm of water is about 1 cm of new snow);
            // melting by degree-hours and rain, settling a few per cent a day.
            if (rain > 0.0 && temperature < 1.0) {
                snowCm += rain * (temperature < -3.0 ? 1.4 : 1.0);
            } else if (temperature > 0.0) {
                snowCm -= 0.15 * temperature + 0.1 * rain + 0.08 * global / 100.0;
            }
            snowCm = std::max(0.0, snowCm * 0.997);

            const double diurnal = 0.8 + 0.4 * DailyShape(t, sunrise);
            const double speed =
                std::max(0.0, meanWind * windDaily * diurnal * (1.0 + 0.22 * draws.hourlyWind[hi]));
            const int speedTenths = std::min(600, RoundHalfUp(speed * 10.0));
            int direction = 0;
            if (speedTenths >= 3) {
                double angle = baseAngle + 22.0 * draws.hourlyAngle[hi];
                angle = std::fmod(std::fmod(angle, 360.0) + 360.0, 360.0);
                direction = static_cast<int>(std::floor(angle / 22.5 + 0.5)) % 16;
                if (direction == 0) {
                    direction = 16;
                }
            }

            int* v = nullptr;
            auto put = [&](int element, int value) {
                v = &year.values[d][element - 1][h];
                *v = value;
                year.flags[d][element - 1][h] = 0;
            };
            put(1, global);
            put(2, direct);
            put(3, global - direct);
            // A glimpse of sun too low to leave any direct irradiation counts no sunshine.
            put(4, direct > 0 ? sunshineSteps : 0);
            put(5, RoundHalfUp(temperature * 10.0));
            put(6, direction);
            put(7, speedTenths);
            put(8, precipitation);
            put(9, static_cast<int>(snowCm));
        }
    }
    for (const Gap& g : MakeGaps(seed, site.number, variant)) {
        for (int h = g.firstHour; h < g.firstHour + g.hours; ++h) {
            const int last = g.element == 1 ? 3 : g.element;
            for (int e = g.element; e <= last; ++e) {
                year.values[g.day][e - 1][h] = kMissingValue;
                year.flags[g.day][e - 1][h] = 1;
            }
        }
    }
}

} // namespace quorvane::datakit
