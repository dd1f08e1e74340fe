#pragma once

#include <map>
#include <optional>
#include <string>
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
    const std::vector<std::string>& positional() const { return positional_; }

private:
    std::map<std::string, std::string> values_;
    std::vector<std::string> positional_;
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
