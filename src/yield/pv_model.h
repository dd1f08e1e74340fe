#pragma once

#include <optional>
#include <string>

namespace quorvane {

// The hourly method's array: a Faiman cell temperature and a PVWatts DC model, then
// the losses and the inverter, clipped at its AC rating.
struct HourlyArray {
    double ratingKw = 4.0;       // DC rating at 1000 W/m2 and 25 degC
    double gammaPctPerK = -0.40; // power temperature coefficient
    double u0 = 25.0;            // W/m2K
    double u1 = 6.84;            // W s/m3K
    double lossesPct = 14.0;     // wiring, soiling, mismatch and the like, 0..100
    double inverterPct = 96.0;   // inverter efficiency, 0..100
    double dcAcRatio = 1.1;      // DC rating over the inverter's AC rating
    friend bool operator==(const HourlyArray&, const HourlyArray&) = default;
};

// Cell temperature in degC (Faiman): ambient plus G / (U0 + U1 ws), G in W/m2 on the
// plane, wind in m/s.
double FaimanCellTemperatureC(double irradianceWm2, double airTemperatureC, double windSpeedMs,
                              double u0, double u1);

// AC power in kW of one hour of mean plane irradiance: PVWatts DC power at the cell
// temperature, less the losses and the inverter, held to 0 .. rating / DC-AC ratio.
double HourlyAcPowerKw(const HourlyArray& array, double irradianceWm2, double cellTemperatureC);

// How the modules are mounted, with the weighted mean rise of the module
// temperature over the air in the monthly design-factor method.
enum class Mounting { Rack, Roof, Integrated };
inline constexpr int kMountingCount = 3;

double MountingTemperatureRiseK(Mounting mounting);
// "rack", "roof", "integrated"; and the names the dialog shows: "架台設置形",
// "屋根置き形", "屋根材形".
const char* MountingName(Mounting mounting);
const char* MountingLabel(Mounting mounting);
std::optional<Mounting> MountingNamed(const std::string& name);

// The monthly method's design factors.
struct MonthlyArray {
    double ratingKw = 4.0;
    Mounting mounting = Mounting::Rack;
    double alphaPctPerK = -0.40; // power temperature coefficient
    double kHd = 0.97;           // year-to-year variation of the irradiation
    double kPd = 0.95;           // ageing and soiling
    double kPa = 0.97;           // array circuit
    double kPm = 0.94;           // array to load matching
    double etaIno = 0.90;        // inverter's effective efficiency
    friend bool operator==(const MonthlyArray&, const MonthlyArray&) = default;
};

// The factor of a month's temperature: 1 + alpha / 100 (T + rise - 25).
double MonthlyTemperatureFactor(const MonthlyArray& array, double airTemperatureC);

// What is wrong with the parameters, in the system's own words; nothing when they
// can be used.
std::optional<std::string> HourlyArrayProblem(const HourlyArray& array);
std::optional<std::string> MonthlyArrayProblem(const MonthlyArray& array);

} // namespace quorvane
