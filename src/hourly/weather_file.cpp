#include "hourly/weather_file.h"

#include "data/atomic_file.h"
#include "solar/calendar.h"
#include "solar/sun_position.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace quorvane {

namespace {

constexpr double kWhPerMJ = 1e6 / 3600.0;
constexpr double kSolarConstant = 1367.0; // W/m2
constexpr double kLowestSunDeg = 2.0;

bool Missing(const HourlyDataSet& set, int day, int hour, int element) {
    return set.rawHourlyValues[day - 1][hour - 1][element - 1] >= kMissingHourly;
}

struct VariantNames {
    const char* code; // in file names
    const char* name; // in the EPW comments
};

VariantNames NamesOf(YearVariant variant) {
    switch (variant) {
    case YearVariant::HighSunshine:
        return {"max", "high-sunshine year"};
    case YearVariant::LowSunshine:
        return {"min", "low-sunshine year"};
    case YearVariant::Average:
        break;
    }
    return {"mea", "average year"};
}

// printf into a std::string.
template <class... Args>
std::string Format(const char* format, Args... args) {
    char text[512];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

// Rows are written with these rather than printf: 26,280 rows a site add up.
void AppendInt(std::string& out, long value) {
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

// A value to one decimal, as "%.1f" writes the values here (whole tenths).
void AppendTenths(std::string& out, double value) {
    const long tenths = std::lround(value * 10.0);
    if (tenths < 0) {
        out += '-';
    }
    const long magnitude = tenths < 0 ? -tenths : tenths;
    AppendInt(out, magnitude / 10);
    out += '.';
    out += static_cast<char>('0' + magnitude % 10);
}

void AppendRounded(std::string& out, double value) {
    AppendInt(out, std::lround(value));
}

// A whole value, or the format's missing code.
void AppendWhole(std::string& out, bool missing, double value, const char* missingCode) {
    if (missing) {
        out += missingCode;
    } else {
        AppendRounded(out, value);
    }
}

void AppendTenthsOr(std::string& out, bool missing, double value, const char* missingCode) {
    if (missing) {
        out += missingCode;
    } else {
        AppendTenths(out, value);
    }
}

// Day fields "M,D,H," or "MM/DD/..." pieces.
void AppendTwoDigits(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

// EnergyPlus weather file: eight header records, then 35 fields an hour.
std::string EpwText(const std::vector<WeatherHour>& hours, const CAmedasPoint& site,
                    YearVariant variant) {
    std::string out;
    out.reserve(hours.size() * 200 + 1024);
    out += Format("LOCATION,Site %05d,-,JPN,HORIX-11,%05d,%.2f,%.2f,9.0,%.1f\r\n", site.siteNumber,
                  site.siteNumber, site.latitudeDeg, site.longitudeDeg, site.elevationM);
    out += "DESIGN CONDITIONS,0\r\n";
    out += "TYPICAL/EXTREME PERIODS,0\r\n";
    out += "GROUND TEMPERATURES,0\r\n";
    out += "HOLIDAYS/DAYLIGHT SAVINGS,No,0,0,0\r\n";
    out += Format("COMMENTS 1,HORIX-11 standard year (%s) of site %05d\r\n", NamesOf(variant).name,
                  site.siteNumber);
    out += "COMMENTS 2,Written by Quorvane; direct normal derived from direct horizontal; "
           "fields the database does not hold are missing\r\n";
    out += "DATA PERIODS,1,1,Data,Sunday,1/1,12/31\r\n";
    for (const WeatherHour& h : hours) {
        AppendInt(out, kWeatherYear);
        out += ',';
        AppendInt(out, h.month);
        out += ',';
        AppendInt(out, h.day);
        out += ',';
        AppendInt(out, h.hour);
        out += ",60,?9?9?9?9E0?9?9?9?9?9?9?9?9?9?9?9?9?9?9?9*9*9?9?9?9,";
        AppendTenthsOr(out, h.temperatureMissing, h.temperatureC, "99.9");
        out += ",99.9,999,"; // dew point, relative humidity
        AppendRounded(out, h.pressurePa);
        out += ',';
        AppendRounded(out, h.extraterrestrialHorizontal);
        out += ',';
        AppendRounded(out, h.extraterrestrialNormal);
        out += ",9999,";
        AppendWhole(out, h.ghiMissing, h.ghi, "9999");
        out += ',';
        AppendWhole(out, h.dniMissing, h.dni, "9999");
        out += ',';
        AppendWhole(out, h.dhiMissing, h.dhi, "9999");
        out += ",999999,999999,999999,9999,"; // illuminances, zenith luminance
        AppendTenths(out, h.windDirectionDeg);
        out += ',';
        AppendTenths(out, h.windSpeedMs);
        out += ",99,99,9999,99999,9,999999999,999,.999,"; // sky, visibility .. aerosol
        AppendWhole(out, h.snowMissing, h.snowDepthCm, "999");
        out += ",99,999,"; // days since snowfall, albedo
        AppendTenthsOr(out, h.precipitationMissing, h.precipitationMm, "999");
        out += h.precipitationMissing ? ",99\r\n" : ",1\r\n";
    }
    return out;
}

// System Advisor Model CSV: a two-line site header, a column header, 8760 rows. SAM
// has no missing-value code: such hours keep the database's stored 0.
std::string SamText(const std::vector<WeatherHour>& hours, const CAmedasPoint& site) {
    std::string out =
        "Source,Location ID,City,State,Country,Latitude,Longitude,Time Zone,Elevation\r\n";
    out.reserve(hours.size() * 64 + 512);
    out += Format("HORIX-11,%05d,Site %05d,-,Japan,%.4f,%.4f,9,%.1f\r\n", site.siteNumber,
                  site.siteNumber, site.latitudeDeg, site.longitudeDeg, site.elevationM);
    out += "Year,Month,Day,Hour,Minute,GHI,DNI,DHI,Tdry,Wspd,Wdir,Pres,Snow\r\n";
    for (const WeatherHour& h : hours) {
        // Hour 0..23 names the hour that starts then; minute 30 places the sun mid-hour.
        AppendInt(out, kWeatherYear);
        out += ',';
        AppendInt(out, h.month);
        out += ',';
        AppendInt(out, h.day);
        out += ',';
        AppendInt(out, h.hour - 1);
        out += ",30,";
        AppendRounded(out, h.ghi);
        out += ',';
        AppendRounded(out, h.dni);
        out += ',';
        AppendRounded(out, h.dhi);
        out += ',';
        AppendTenths(out, h.temperatureC);
        out += ',';
        AppendTenths(out, h.windSpeedMs);
        out += ',';
        AppendTenths(out, h.windDirectionDeg);
        out += ',';
        AppendTenths(out, h.pressurePa / 100.0);
        out += ',';
        AppendRounded(out, h.snowDepthCm);
        out += "\r\n";
    }
    return out;
}

constexpr const char* kTmy3Header =
    "Date (MM/DD/YYYY),Time (HH:MM),ETR (W/m^2),ETRN (W/m^2),GHI (W/m^2),GHI source,"
    "GHI uncert (%),DNI (W/m^2),DNI source,DNI uncert (%),DHI (W/m^2),DHI source,"
    "DHI uncert (%),GH illum (lx),GH illum source,Global illum uncert (%),DN illum (lx),"
    "DN illum source,DN illum uncert (%),DH illum (lx),DH illum source,DH illum uncert (%),"
    "Zenith lum (cd/m^2),Zenith lum source,Zenith lum uncert (%),TotCld (tenths),"
    "TotCld source,TotCld uncert (code),OpqCld (tenths),OpqCld source,OpqCld uncert (code),"
    "Dry-bulb (C),Dry-bulb source,Dry-bulb uncert (code),Dew-point (C),Dew-point source,"
    "Dew-point uncert (code),RHum (%),RHum source,RHum uncert (code),Pressure (mbar),"
    "Pressure source,Pressure uncert (code),Wdir (degrees),Wdir source,Wdir uncert (code),"
    "Wspd (m/s),Wspd source,Wspd uncert (code),Hvis (m),Hvis source,Hvis uncert (code),"
    "CeilHgt (m),CeilHgt source,CeilHgt uncert (code),Pwat (cm),Pwat source,"
    "Pwat uncert (code),AOD (unitless),AOD source,AOD uncert (code),Alb (unitless),"
    "Alb source,Alb uncert (code),Lprecip depth (mm),Lprecip quantity (hr),Lprecip source,"
    "Lprecip uncert (code)";

constexpr const char* kTmy3Missing = "-9900,?,0";

// A TMY3 value with its source and uncertainty flags ("2,8" modelled irradiance,
// "A,7" observed weather, "E,8" estimated); missing values -9900 with source "?"
// and uncertainty 0.
// Each field is followed by its comma.
void AppendTmy3(std::string& out, bool missing, bool tenths, double value, const char* flags) {
    if (missing) {
        out += kTmy3Missing;
    } else {
        if (tenths) {
            AppendTenths(out, value);
        } else {
            AppendRounded(out, value);
        }
        out += flags;
    }
    out += ',';
}

// NREL's TMY3 CSV: the station line, the 68-column header and 8760 rows.
std::string Tmy3Text(const std::vector<WeatherHour>& hours, const CAmedasPoint& site) {
    std::string out = Format("%05d,\"Site %05d\",JP,9.0,%.3f,%.3f,%.0f\r\n", site.siteNumber,
                             site.siteNumber, site.latitudeDeg, site.longitudeDeg, site.elevationM);
    out.reserve(hours.size() * 240 + 2048);
    out += kTmy3Header;
    out += "\r\n";
    for (const WeatherHour& h : hours) {
        AppendTwoDigits(out, h.month);
        out += '/';
        AppendTwoDigits(out, h.day);
        out += '/';
        AppendInt(out, kWeatherYear);
        out += ',';
        AppendTwoDigits(out, h.hour);
        out += ":00,";
        AppendRounded(out, h.extraterrestrialHorizontal);
        out += ',';
        AppendRounded(out, h.extraterrestrialNormal);
        out += ',';
        AppendTmy3(out, h.ghiMissing, false, h.ghi, ",2,8");
        AppendTmy3(out, h.dniMissing, false, h.dni, ",2,8");
        AppendTmy3(out, h.dhiMissing, false, h.dhi, ",2,8");
        // Illuminances, zenith luminance and clouds are not in the database.
        out += "-9900,?,0,-9900,?,0,-9900,?,0,-9900,?,0,-9900,?,0,-9900,?,0,";
        AppendTmy3(out, h.temperatureMissing, true, h.temperatureC, ",A,7");
        out += "-9900,?,0,-9900,?,0,"; // dew point, humidity
        AppendTmy3(out, false, false, h.pressurePa / 100.0, ",E,8");
        AppendTmy3(out, false, false, h.windDirectionDeg, ",A,7");
        AppendTmy3(out, false, true, h.windSpeedMs, ",A,7");
        out += "-9900,?,0,-9900,?,0,-9900,?,0,-9900,?,0,-9900,?,0,"; // visibility .. albedo
        if (h.precipitationMissing) {
            out += "-9900,-9900,?,0";
        } else {
            AppendTenths(out, h.precipitationMm);
            out += ",1,A,7";
        }
        out += "\r\n";
    }
    return out;
}

} // namespace

double StandardPressurePa(double elevationM) {
    return 101325.0 * std::pow(1.0 - 2.25577e-5 * elevationM, 5.25588);
}

std::vector<WeatherHour> BuildWeatherYear(const HourlyDataSet& set, const CAmedasPoint& site) {
    std::vector<WeatherHour> hours;
    hours.reserve(kHourlyDays * kHoursPerDay);
    const double pressure = StandardPressurePa(site.elevationM);
    const double lowestCos = std::sin(Radians(kLowestSunDeg));
    for (int day = 1; day <= kHourlyDays; ++day) {
        const MonthDay date = MonthDayOfYear(day);
        const double normal =
            kSolarConstant * (1.0 + 0.033 * std::cos(2.0 * kSolarPi * day / 365.0));
        for (int hour = 1; hour <= kHoursPerDay; ++hour) {
            WeatherHour h;
            h.month = date.month;
            h.day = date.day;
            h.hour = hour;
            const SunPosition sun = SunPositionAt(day, hour, site.latitudeDeg, site.longitudeDeg,
                                                  set.sunrise[day - 1], set.sunset[day - 1]);
            const double cosZenith = std::clamp(sun.cosZenith, -1.0, 1.0);
            h.extraterrestrialNormal = normal;
            h.extraterrestrialHorizontal = normal * std::max(0.0, cosZenith);
            const double toWh = 0.01 * kWhPerMJ;
            h.ghi = set.Hourly(day, hour, kElementGlobal) * toWh;
            h.dhi = set.Hourly(day, hour, kElementDiffuse) * toWh;
            const double direct = set.Hourly(day, hour, kElementDirect) * toWh;
            if (direct > 0.0 && cosZenith >= lowestCos) {
                h.dni = std::min(direct / cosZenith, normal);
            }
            h.ghiMissing = Missing(set, day, hour, kElementGlobal);
            h.dhiMissing = Missing(set, day, hour, kElementDiffuse);
            h.dniMissing = Missing(set, day, hour, kElementDirect);
            h.temperatureC = set.Hourly(day, hour, kElementTemperature) / 10.0;
            h.temperatureMissing = Missing(set, day, hour, kElementTemperature);
            const int code = set.Hourly(day, hour, kElementWindDirection);
            h.windSpeedMs = code <= 0 ? 0.0 : set.Hourly(day, hour, kElementWindSpeed) / 10.0;
            h.windDirectionDeg = code <= 0 ? 0.0 : code * 22.5;
            h.precipitationMm = set.Hourly(day, hour, kElementPrecipitation) / 10.0;
            h.precipitationMissing = Missing(set, day, hour, kElementPrecipitation);
            h.snowDepthCm = set.Hourly(day, hour, kElementSnowDepth);
            h.snowMissing = Missing(set, day, hour, kElementSnowDepth);
            h.pressurePa = pressure;
            hours.push_back(h);
        }
    }
    return hours;
}

std::string WeatherFileText(WeatherFormat format, const std::vector<WeatherHour>& hours,
                            const CAmedasPoint& site, YearVariant variant) {
    switch (format) {
    case WeatherFormat::Sam:
        return SamText(hours, site);
    case WeatherFormat::Tmy3:
        return Tmy3Text(hours, site);
    case WeatherFormat::Epw:
        break;
    }
    return EpwText(hours, site, variant);
}

std::string DefaultWeatherFileName(WeatherFormat format, int siteNumber, YearVariant variant) {
    const char* suffix = format == WeatherFormat::Epw   ? ".epw"
                         : format == WeatherFormat::Sam ? "_sam.csv"
                                                        : "_tmy3.csv";
    return Format("%05d_%s%s", siteNumber, NamesOf(variant).code, suffix);
}

WriteStatus WriteWeatherFile(const std::string& path, WeatherFormat format,
                             const std::vector<WeatherHour>& hours, const CAmedasPoint& site,
                             YearVariant variant) {
    AtomicFileWriter writer(path);
    if (!writer.IsOpen()) {
        return writer.Commit(); // why it could not open
    }
    writer.Write(WeatherFileText(format, hours, site, variant));
    return writer.Commit();
}

} // namespace quorvane
