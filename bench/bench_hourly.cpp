#include "data/hourly_file.h"
#include "hourly/export.h"

#include "../tests/hourly/hourly_sample.h"
#include "temp_dir.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace quorvane {
namespace {

void BM_ParseHourlyFile(benchmark::State& state) {
    test::TempDir dir;
    std::string path = dir.Write("mea47412.txt", test::MakeSampleHourlyFile("header", "\r\n", 1));
    auto set = std::make_unique<HourlyDataSet>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseHourlyFile(*set, path));
    }
}
BENCHMARK(BM_ParseHourlyFile)->Unit(benchmark::kMillisecond);

void ExportWholeYear(benchmark::State& state, ExportFormat format, SlopeExportOptions options) {
    test::TempDir dir;
    std::string path = dir.Write("mea47412.txt", test::MakeSampleHourlyFile("header", "\r\n", 1));
    auto set = std::make_unique<HourlyDataSet>();
    ParseHourlyFile(*set, path);
    for (int d = 0; d < kHourlyDays; ++d) {
        set->sunrise[d] = 5.3 + (d % 9) * 0.1;
        set->sunset[d] = 18.1 + (d % 7) * 0.1;
    }
    HourlyExportRequest request;
    request.exportKind = ExportKind::WholeYear;
    request.format = format;
    request.dataKind = DataKind::Slope;
    request.slopeOptions = options;
    SitePosition site{true, 139.75, 35.69, 25.0};
    std::string target = (dir.path() / "out.csv").string();
    for (auto _ : state) {
        if (ExportHourlyData(*set, request, site, target) != WriteStatus::Completed) {
            state.SkipWithError("export failed");
        }
    }
}

// 365 days x 360 azimuths x 24 hours = 3,153,600 evaluations, written to a file.
void BM_ExportYearSlopeMode0Step1Csv(benchmark::State& state) {
    ExportWholeYear(state, ExportFormat::Csv, {HourlyAngleMode::FixedTilt, 30, 0, 1});
}
BENCHMARK(BM_ExportYearSlopeMode0Step1Csv)->Unit(benchmark::kMillisecond);

void BM_ExportYearSlopeMode0Step1Txt(benchmark::State& state) {
    ExportWholeYear(state, ExportFormat::Txt, {HourlyAngleMode::FixedTilt, 30, 0, 1});
}
BENCHMARK(BM_ExportYearSlopeMode0Step1Txt)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace quorvane
