#include "data/monthly_file.h"
#include "data/reporter.h"

#include "fuzz_support.h"

#include <memory>

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::WriteInput("monthly/m47412", data, size);
    static auto record = std::make_unique<MonthlyRecord>();
    NullReporter silent;
    LoadMonthlyData((fuzz::Scratch() / "monthly").string(), 47412, *record, silent);
    return 0;
}
