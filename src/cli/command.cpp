#include "cli/command.h"

#include "data/c_fields.h"
#include "data/program_inputs.h"
#include "data/settings.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace quorvane::cli {

namespace {

std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}

} // namespace

CommandRegistration::CommandRegistration(Command command) {
    Registry().push_back(command);
    std::sort(Registry().begin(), Registry().end(),
              [](const Command& a, const Command& b) { return std::string(a.name) < b.name; });
}

const std::vector<Command>& RegisteredCommands() {
    return Registry();
}

bool Arguments::Parse(int argc, char** argv, const std::vector<std::string>& flags,
                      std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0 || arg.size() == 2) {
            positional_.push_back(arg);
            continue;
        }
        std::string key = arg.substr(2);
        if (std::find(flags.begin(), flags.end(), key) != flags.end()) {
            values_[key] = "";
            continue;
        }
        if (i + 1 >= argc) {
            error = "option --" + key + " needs a value";
            return false;
        }
        values_[key] = argv[++i];
    }
    return true;
}

bool OutputIsProgramInput(int argc, char** argv) {
    const AppLocations locations = AppLocations::FromEnvironment();
    const DataFolders folders = ReadDataFolders(locations.SettingsFile());
    ProtectProgramInputs({locations.MapFolder(), folders.hourly, folders.monthly});
    auto valueOf = [&](std::string_view option) -> std::optional<std::string> {
        for (int i = 1; i + 1 < argc; ++i) {
            if (option == argv[i]) {
                return std::string(argv[i + 1]);
            }
        }
        return std::nullopt;
    };
    ProtectProgramInputs({valueOf("--data-root").value_or(""), valueOf("--hourly").value_or(""),
                          valueOf("--kalvera").value_or("")});
    for (const char* option :
         {"--output", "--png", "--svg", "--pdf", "--csv", "--json", "--tooltips", "--geojson"}) {
        if (const auto path = valueOf(option); path && IsProtectedInput(*path)) {
            PrintMessage(*path + ": " + kTargetIsInputMessage);
            return true;
        }
    }
    return false;
}

std::optional<std::string> Arguments::Get(const std::string& key) const {
    auto it = values_.find(key);
    if (it == values_.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool Arguments::GetInt(const std::string& key, int& value, std::string& error) const {
    auto text = Get(key);
    if (!text) {
        return true;
    }
    std::size_t i = (!text->empty() && (*text)[0] == '-') ? 1 : 0;
    bool digits = i < text->size();
    for (; i < text->size(); ++i) {
        digits = digits && (*text)[i] >= '0' && (*text)[i] <= '9';
    }
    if (!digits || text->size() > 10) {
        error = "option --" + key + " takes a whole number, not '" + *text + "'";
        return false;
    }
    value = ParseCInt(*text);
    return true;
}

bool Arguments::GetDouble(const std::string& key, double& value, std::string& error) const {
    auto text = Get(key);
    if (!text) {
        return true;
    }
    double parsed = 0.0;
    const char* end = text->data() + text->size();
    const auto [stop, failure] = std::from_chars(text->data(), end, parsed);
    if (failure != std::errc() || stop != end) {
        error = "option --" + key + " takes a number, not '" + *text + "'";
        return false;
    }
    value = parsed;
    return true;
}

bool ReadNamedIndex(const Arguments& args, const char* key, std::span<const char* const> names,
                    int& value, std::string& error) {
    const std::optional<std::string> text = args.Get(key);
    if (!text) {
        return true;
    }
    int index = 0;
    for (const char* name : names) {
        if (*text == name || *text == std::to_string(index)) {
            value = index;
            return true;
        }
        ++index;
    }
    error = std::string("--") + key + " must be one of";
    index = 0;
    for (const char* name : names) {
        error += std::string(index == 0 ? " " : ", ") + name + " (" + std::to_string(index) + ")";
        ++index;
    }
    return false;
}

bool ParseOptionsOnly(int argc, char** argv, const std::vector<std::string>& flags, Arguments& args,
                      std::string& error) {
    if (!args.Parse(argc, argv, flags, error)) {
        return false;
    }
    if (!args.positional().empty()) {
        error = "unexpected argument '" + args.positional().front() + "'";
        return false;
    }
    return true;
}

int ReportUsageError(const char* command, const char* usage, const std::string& error) {
    std::fprintf(stderr, "quorvane-cli %s: %s\nusage: %s\n", command, error.c_str(), usage);
    return kExitUsage;
}

int WriteOutput(const char* command, const std::string& out) {
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "quorvane-cli %s: cannot write the output\n", command);
        return kExitFailure;
    }
    return kExitOk;
}

void PrintMessage(std::string_view message) {
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputc('\n', stderr);
}

} // namespace quorvane::cli
