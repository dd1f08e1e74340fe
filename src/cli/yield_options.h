#pragma once

#include "cli/command.h"
#include "data/progress.h"
#include "yield/site_yield.h"

#include <functional>
#include <string>
#include <string_view>

namespace quorvane::cli {

// The arrays' options of the yield and national commands (--kw, --gamma, --u0,
// --u1, --losses, --inverter, --dc-ac; --mounting, --alpha, --k-hd, --k-pd, --k-pa,
// --k-pm, --eta-ino); false with the reason when one is malformed.
bool ReadHourlyArray(const Arguments& args, HourlyArray& array, std::string& error);
bool ReadMonthlyArray(const Arguments& args, MonthlyArray& array, std::string& error);

// --data-root (default the "data" folder next to the executable), --hourly and
// --kalvera (default the folders of the settings file).
YieldSources ReadYieldSources(const Arguments& args);

// The whole of `bytes` as the file `path`; false, said on stderr, when it could not be
// written.
bool WriteOrSay(const std::string& path, std::string_view bytes);

// Runs `work` on a thread of its own while "<command>: <what> done / total, s" is
// shown on stderr every second it takes.
void WithProgress(const char* command, const char* what, WorkProgress& progress,
                  const std::function<void()>& work);

} // namespace quorvane::cli
