#pragma once

#include "data/reporter.h"

#include <array>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::cli {

// Exit codes of every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// `--key value` options and bare flags of one subcommand.
class Arguments {
public:
    // Options listed in `flags` take no value. Returns false (with `error` set) on
    // a malformed command line.
    bool Parse(int argc, char** argv, const std::vector<std::string>& flags, std::string& error);

    bool Has(const std::string& key) const { return values_.count(key) != 0; }
    std::optional<std::string> Get(const std::string& key) const;
    // An integer option; false when present but not a whole number.
    bool GetInt(const std::string& key, int& value, std::string& error) const;
    // A decimal number option ("inf" and "nan" read as such); false when present
    // but not a number.
    bool GetDouble(const std::string& key, double& value, std::string& error) const;
    const std::vector<std::string>& positional() const { return positional_; }

private:
    std::map<std::string, std::string> values_;
    std::vector<std::string> positional_;
};

// An option given by one of `names` or by its position among them (0, 1, ...);
// without the option `value` is left as it is. False, with `error` set, otherwise.
bool ReadNamedIndex(const Arguments& args, const char* key, std::span<const char* const> names,
                    int& value, std::string& error);

// The names the commands accept for the modes, in the order of their numbers.
inline constexpr std::array<const char*, 3> kVariantNames{"average", "high-sunshine",
                                                          "low-sunshine"};
inline constexpr std::array<const char*, 3> kHourlyModeNames{"fixed-tilt", "fixed-azimuth",
                                                             "orientation"};
inline constexpr std::array<const char*, 6> kMonthlyModeNames{"fixed-tilt",      "fixed-azimuth",
                                                              "orientation",     "optimum-tilt",
                                                              "monthly-optimum", "annual-optimum"};
inline constexpr std::array<const char*, 3> kDisplayNames{"month", "orientation", "variation"};

// Parses a command line that takes options only; a positional argument is an error.
bool ParseOptionsOnly(int argc, char** argv, const std::vector<std::string>& flags, Arguments& args,
                      std::string& error);

// Prints "quorvane-cli <command>: <error>" and the command's usage on stderr and
// returns kExitUsage.
int ReportUsageError(const char* command, const char* usage, const std::string& error);

// Writes a command's whole output to stdout; kExitFailure, said on stderr, when it
// cannot be written.
int WriteOutput(const char* command, const std::string& out);

// A message of the system's own on stderr, with a line end.
void PrintMessage(std::string_view message);

// Protects the files the command reads (the "data" folder and the database folders
// of the settings file, and those of its --data-root, --hourly and --kalvera) from
// being written, then checks its output options (--output, --png, --svg, --pdf,
// --csv, --tooltips): true, said on stderr, when one names such a file. Files made
// in an --output-dir are refused by the writers themselves.
bool OutputIsProgramInput(int argc, char** argv);

class StderrReporter final : public MessageReporter {
public:
    void Report(std::string_view message) override { PrintMessage(message); }
};

struct Command {
    const char* name;
    const char* usage; // one or more lines, each starting with "quorvane-cli <name>"
    int (*run)(int argc, char** argv); // argv[0] is the subcommand name
};

// Each command file registers itself with a static CommandRegistration.
struct CommandRegistration {
    explicit CommandRegistration(Command command);
};

const std::vector<Command>& RegisteredCommands();

} // namespace quorvane::cli
