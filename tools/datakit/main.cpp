// quorvane-datakit: writes the sample data kit.
#include "kit.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

namespace {

// Where Debian's r-cran-mapdata puts the "japan" database.
constexpr const char* kDebianMapdata = "/usr/lib/R/site-library/mapdata/mapdata";

void Usage(std::FILE* out) {
    std::fputs("usage: quorvane-datakit [--mapdata DIR] --out DIR [--seed N] [--sites N] "
               "[--threads N] [--data-only] [--quiet]\n"
               "Generates sample databases for Quorvane from open geography and a weather "
               "model.\n"
               "  --mapdata    folder with japan.L, japan.G and japan.N (Debian package\n"
               "               r-cran-mapdata; default ",
               out);
    std::fputs(kDebianMapdata, out);
    std::fputs(")\n"
               "  --out        kit root: writes data/, HORIX-11/ and KALVERA-11/ below it\n"
               "  --seed       weather and placement seed (default 1)\n"
               "  --sites      number of sites, at most 837 (default 837)\n"
               "  --threads    worker threads (default 2)\n"
               "  --data-only  write only data/ (maps, tables, colour maps)\n"
               "  --quiet      no step timings\n"
               "\n"
               "After installing Quorvane, make the sample databases (about 1.3 GB) with\n"
               "  sudo apt-get install r-cran-mapdata\n"
               "  quorvane-datakit --out ~/quorvane-kit\n"
               "then start quorvane and choose ~/quorvane-kit/HORIX-11 and\n"
               "~/quorvane-kit/KALVERA-11 in its data folder dialog.\n",
               out);
}

} // namespace

int main(int argc, char** argv) {
    quorvane::datakit::KitOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--mapdata" && hasValue) {
            options.mapdataFolder = argv[++i];
        } else if (arg == "--out" && hasValue) {
            options.paths.root = argv[++i];
        } else if (arg == "--seed" && hasValue) {
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--sites" && hasValue) {
            options.siteCount = std::atoi(argv[++i]);
        } else if (arg == "--threads" && hasValue) {
            options.threads = std::atoi(argv[++i]);
        } else if (arg == "--data-only") {
            options.databases = false;
        } else if (arg == "--help" || arg == "-h") {
            Usage(stdout);
            return 0;
        } else if (arg == "--quiet") {
            options.verbose = false;
        } else {
            Usage(stderr);
            return 2;
        }
    }
    if (options.mapdataFolder.empty()) {
        options.mapdataFolder = kDebianMapdata;
    }
    if (options.paths.root.empty() || options.siteCount < 1 || options.siteCount > 837 ||
        options.threads < 1) {
        Usage(stderr);
        return 2;
    }
    // Pictures are drawn off screen; no display is needed.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    try {
        quorvane::datakit::GenerateKit(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvane-datakit: %s\n", e.what());
        return 1;
    }
    return 0;
}
