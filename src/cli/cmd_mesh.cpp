#include "cli/command.h"
#include "map/mesh_code.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace quorvane::cli {

namespace {

constexpr const char* kUsage = "quorvane-cli mesh LON LAT\n"
                               "    prints the first-, second- and third-order mesh codes and the\n"
                               "    1 km mesh map sheet of a point in degrees east and north:\n"
                               "    'code1 code2 code3 sheet'";

int UsageError(const std::string& error) {
    return ReportUsageError("mesh", kUsage, error);
}

bool ParseDegrees(const std::string& text, double& value) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && std::isfinite(value);
}

int RunMesh(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!args.Parse(argc, argv, {}, error)) {
        return UsageError(error);
    }
    if (args.positional().size() != 2) {
        return UsageError("expected a longitude and a latitude");
    }
    double lonDeg = 0.0;
    double latDeg = 0.0;
    if (!ParseDegrees(args.positional()[0], lonDeg)) {
        return UsageError("not a longitude: '" + args.positional()[0] + "'");
    }
    if (!ParseDegrees(args.positional()[1], latDeg)) {
        return UsageError("not a latitude: '" + args.positional()[1] + "'");
    }
    int code3 = GetMesh3Code(lonDeg, latDeg);
    if (code3 < 0) {
        std::fprintf(stderr,
                     "quorvane-cli mesh: no mesh code for %s %s "
                     "(needs 100 <= LON < 200 and 0 <= LAT < 66.67)\n",
                     args.positional()[0].c_str(), args.positional()[1].c_str());
        return kExitFailure;
    }
    std::printf("%d %d %d %d\n", GetMesh1Code(lonDeg, latDeg), GetMesh2Code(lonDeg, latDeg), code3,
                GetMapSheetCode(lonDeg, latDeg));
    return kExitOk;
}

const CommandRegistration registration{Command{"mesh", kUsage, RunMesh}};

} // namespace

} // namespace quorvane::cli
