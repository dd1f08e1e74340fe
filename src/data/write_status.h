#pragma once

#include <string_view>

namespace quorvane {

// How writing a file the user chose ended. Every writer (exports, weather files,
// pictures, settings) returns one, and the user's message for it lives in one table.
enum class WriteStatus {
    Completed,
    CannotCreate,       // the file could not be opened for writing
    WriteFailed,        // a write failed; the target, if it existed, is unchanged
    TargetIsInput,      // the target is a file the program reads: nothing written
    SiteMissing,        // slope data of a site not in the catalogue: nothing written
    WeatherSiteMissing, // a weather file needs the site's position from the catalogue
    NoPosition,         // the catalogue's position of the site is not valid
};

// The message a user sees (UTF-8).
std::string_view WriteStatusMessage(WriteStatus status);

// How printing ended, and its message: "印刷が終了しました。" when a viewer reports
// a completed document at all (the table and the batch do; the graphs print in
// silence), "印刷を開始できません。" and "印刷を完了できませんでした。".
enum class PrintStatus { Printed, NotStarted, Incomplete };
std::string_view PrintStatusMessage(PrintStatus status);

} // namespace quorvane
