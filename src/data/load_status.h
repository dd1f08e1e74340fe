#pragma once

#include "data/reporter.h"

#include <string>
#include <string_view>

namespace quorvane {

// How reading one of the program's input files ended. Every loader returns one and
// reports it through ReportLoadStatus, so the user's message for a status lives in
// one table.
enum class LoadStatus {
    Ok,
    CannotRead,        // missing, unreadable, or no folder set
    TooLarge,          // far larger than any file of its kind
    OlderEdition,      // a monthly file of the older edition is in the folder
    UnexpectedFormat,  // the wrong number of lines
    Truncated,         // a record runs past the end of the file
    Damaged,           // a record that cannot be what the format says
    SunTableMissing,   // the hourly file was read but not the site's sunrise/sunset table
    UnconvertibleText, // read, but some CP932 text did not convert (replaced, not kept)
};

// The kinds of input file, for the message table.
enum class DataFileKind { HourlyData, MonthlyData, AreaOutline, SearchTable, Catalogue };

// The message a user sees for a status of a kind of file (UTF-8), or empty when the
// status is shown in no message box (success, or a file whose absence the caller
// handles). `fileName` names the file where the message does.
std::string LoadStatusMessage(DataFileKind kind, LoadStatus status, std::string_view fileName = {});

// Reports the status's message, if it has one; returns the status.
LoadStatus ReportLoadStatus(MessageReporter& reporter, DataFileKind kind, LoadStatus status,
                            std::string_view fileName = {});

} // namespace quorvane
