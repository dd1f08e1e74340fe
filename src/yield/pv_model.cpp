#include "yield/pv_model.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quorvane {

namespace {

struct MountingRow {
    Mounting mounting;
    const char* name;
    const char* label;
    double riseK;
};

constexpr std::array<MountingRow, kMountingCount> kMountings{{
    {Mounting::Rack, "rack", "架台設置形", 18.4},
    {Mounting::Roof, "roof", "屋根置き形", 21.5},
    {Mounting::Integrated, "integrated", "屋根材形", 28.0},
}};

const MountingRow& RowOf(Mounting mounting) {
    return kMountings[static_cast<std::size_t>(mounting)];
}

bool Within(double value, double low, double high) {
    return std::isfinite(value) && value >= low && value <= high;
}

bool Positive(double value) {
    return std::isfinite(value) && value > 0.0;
}

// The power temperature coefficient, %/K: no module comes near 10 %/K either way.
bool PlausibleCoefficient(double pctPerK) {
    return Within(pctPerK, -10.0, 10.0);
}

} // namespace

double FaimanCellTemperatureC(double irradianceWm2, double airTemperatureC, double windSpeedMs,
                              double u0, double u1) {
    return airTemperatureC + irradianceWm2 / (u0 + u1 * windSpeedMs);
}

double HourlyAcPowerKw(const HourlyArray& array, double irradianceWm2, double cellTemperatureC) {
    const double dcKw = array.ratingKw * irradianceWm2 / 1000.0 *
                        (1.0 + array.gammaPctPerK / 100.0 * (cellTemperatureC - 25.0));
    const double acKw = dcKw * (1.0 - array.lossesPct / 100.0) * array.inverterPct / 100.0;
    return std::clamp(acKw, 0.0, array.ratingKw / array.dcAcRatio);
}

double MountingTemperatureRiseK(Mounting mounting) {
    return RowOf(mounting).riseK;
}

const char* MountingName(Mounting mounting) {
    return RowOf(mounting).name;
}

const char* MountingLabel(Mounting mounting) {
    return RowOf(mounting).label;
}

std::optional<Mounting> MountingNamed(const std::string& name) {
    for (const MountingRow& row : kMountings) {
        if (name == row.name) {
            return row.mounting;
        }
    }
    return std::nullopt;
}

double MonthlyTemperatureFactor(const MonthlyArray& array, double airTemperatureC) {
    return 1.0 + array.alphaPctPerK / 100.0 *
                     (airTemperatureC + MountingTemperatureRiseK(array.mounting) - 25.0);
}

std::optional<std::string> HourlyArrayProblem(const HourlyArray& array) {
    if (!Positive(array.ratingKw)) {
        return "定格出力には0より大きい値を指定してください。";
    }
    if (!PlausibleCoefficient(array.gammaPctPerK)) {
        return "温度係数には-10～10の値を指定してください。";
    }
    if (!Positive(array.u0) || !Within(array.u1, 0.0, 1000.0)) {
        return "熱損失係数U0には0より大きい値、U1には0以上の値を指定してください。";
    }
    if (!Within(array.lossesPct, 0.0, 100.0)) {
        return "損失には0～100の値を指定してください。";
    }
    if (!Within(array.inverterPct, 0.0, 100.0) || array.inverterPct == 0.0) {
        return "インバータ効率には0より大きく100以下の値を指定してください。";
    }
    if (!Positive(array.dcAcRatio)) {
        return "DC/AC比には0より大きい値を指定してください。";
    }
    return std::nullopt;
}

std::optional<std::string> MonthlyArrayProblem(const MonthlyArray& array) {
    if (!Positive(array.ratingKw)) {
        return "定格出力には0より大きい値を指定してください。";
    }
    if (!PlausibleCoefficient(array.alphaPctPerK)) {
        return "温度係数には-10～10の値を指定してください。";
    }
    for (double factor : {array.kHd, array.kPd, array.kPa, array.kPm, array.etaIno}) {
        if (!Positive(factor) || factor > 1.0) {
            return "補正係数と効率には0より大きく1以下の値を指定してください。";
        }
    }
    return std::nullopt;
}

} // namespace quorvane
