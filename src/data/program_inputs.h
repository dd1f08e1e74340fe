#pragma once

#include <string>

namespace quorvane {

// The files the program reads: everything under its "data" folder, and the hourly
// and monthly database files of the two database folders. An export must never
// replace one of them; other new files in the database folders are the user's.
struct ProgramInputs {
    std::string mapFolder;
    std::string hourlyFolder;
    std::string monthlyFolder;
};

inline constexpr const char* kTargetIsInputMessage =
    "プログラムが読み込むデータファイルには出力できません。\n別のファイル名を指定してください。";

// True when `path`, its symbolic links followed, is one of the files of `inputs`.
// Empty folders protect nothing.
bool IsProgramInput(const ProgramInputs& inputs, const std::string& path);

// Process-wide: the inputs that AtomicFileWriter and the other writers refuse to
// replace. Each call adds to those of earlier calls (a command may read from folders
// of its own besides those of the settings file).
void ProtectProgramInputs(const ProgramInputs& inputs);
bool IsProtectedInput(const std::string& path);
// Forgets every protected input (tests).
void ClearProtectedInputs();

} // namespace quorvane
