#include "data/ini_file.h"

#include "data/atomic_file.h"
#include "data/c_fields.h"
#include "data/file_io.h"

#include <filesystem>
#include <vector>

namespace quorvane {

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// One line of the text with the byte range it occupies (line end included).
struct IniLine {
    std::size_t begin = 0;
    std::size_t end = 0;      // past the line end
    std::string_view content; // without the line end
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string_view name;     // section or key name, trimmed
    std::string_view rawValue; // after '=', untrimmed
};

std::vector<IniLine> SplitLines(std::string_view text) {
    std::vector<IniLine> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t newline = text.find('\n', pos);
        std::size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
        IniLine line;
        line.begin = pos;
        line.end = end;
        std::string_view content = text.substr(pos, end - pos);
        while (!content.empty() && (content.back() == '\n' || content.back() == '\r')) {
            content.remove_suffix(1);
        }
        line.content = content;
        std::string_view body = TrimCSpace(content);
        if (!body.empty() && body.front() == '[') {
            std::size_t close = body.find(']');
            if (close != std::string_view::npos) {
                line.kind = IniLine::Kind::Section;
                line.name = TrimCSpace(body.substr(1, close - 1));
            }
        } else if (!body.empty() && body.front() != ';') {
            line.kind = IniLine::Kind::Key;
            std::size_t equals = body.find('=');
            line.name = TrimCSpace(body.substr(0, equals));
            if (equals != std::string_view::npos) {
                line.rawValue = body.substr(equals + 1);
            }
        }
        lines.push_back(line);
        pos = end;
    }
    return lines;
}

// The lines of the first section named `section`: [first, last) indexes after its header.
struct SectionRange {
    std::size_t header = 0;
    std::size_t first = 0;
    std::size_t last = 0;
};

std::optional<SectionRange> FindSection(const std::vector<IniLine>& lines,
                                        std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != IniLine::Kind::Section ||
            !EqualsIgnoringCase(lines[i].name, section)) {
            continue;
        }
        SectionRange range{i, i + 1, i + 1};
        while (range.last < lines.size() && lines[range.last].kind != IniLine::Kind::Section) {
            ++range.last;
        }
        return range;
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<IniLine>& lines, const SectionRange& range,
                                   std::string_view key) {
    for (std::size_t i = range.first; i < range.last; ++i) {
        if (lines[i].kind == IniLine::Kind::Key && EqualsIgnoringCase(lines[i].name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

// The line end the text already uses; CR LF, as every file the program writes, for
// a text that has none yet.
std::string_view LineEndOf(std::string_view text) {
    const std::size_t newline = text.find('\n');
    if (newline == std::string_view::npos || (newline > 0 && text[newline - 1] == '\r')) {
        return "\r\n";
    }
    return "\n";
}

// Quotes a value that reading would otherwise change: surrounding blanks are
// trimmed and one pair of matching quotes is removed.
std::string StoredValue(std::string_view value) {
    bool needsQuotes =
        !value.empty() &&
        (IsCSpace(value.front()) || IsCSpace(value.back()) ||
         (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()));
    if (!needsQuotes) {
        return std::string(value);
    }
    return "\"" + std::string(value) + "\"";
}

} // namespace

std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
    std::vector<IniLine> lines = SplitLines(text);
    auto range = FindSection(lines, section);
    if (!range) {
        return std::nullopt;
    }
    auto index = FindKey(lines, *range, key);
    if (!index) {
        return std::nullopt;
    }
    std::string_view value = TrimCSpace(lines[*index].rawValue);
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

bool SetIniValue(std::string& text, std::string_view section, std::string_view key,
                 std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        return false;
    }
    const std::string_view eol = LineEndOf(text);
    const std::string stored = StoredValue(value);
    std::vector<IniLine> lines = SplitLines(text);
    auto range = FindSection(lines, section);
    if (!range) {
        std::string addition;
        if (!text.empty() && text.back() != '\n') {
            addition += eol;
        }
        addition.append("[").append(section).append("]").append(eol);
        addition.append(key).append("=").append(stored).append(eol);
        text += addition;
        return true;
    }
    if (auto index = FindKey(lines, *range, key)) {
        const IniLine& line = lines[*index];
        std::size_t nameStart = static_cast<std::size_t>(line.name.data() - text.data());
        std::size_t nameEnd = nameStart + line.name.size();
        std::size_t contentEnd = line.begin + line.content.size();
        std::string replacement =
            std::string(text.substr(nameStart, nameEnd - nameStart)) + "=" + stored;
        text.replace(nameStart, contentEnd - nameStart, replacement);
        return true;
    }
    // After the last non-blank line of the section, so blank separator lines stay
    // in front of the next section.
    std::size_t after = range->header;
    for (std::size_t i = range->first; i < range->last; ++i) {
        if (!TrimCSpace(lines[i].content).empty()) {
            after = i;
        }
    }
    std::size_t insertAt = lines[after].end;
    std::string addition;
    if (insertAt == text.size() && !text.empty() && text.back() != '\n') {
        addition += eol;
    }
    addition.append(key).append("=").append(stored).append(eol);
    text.insert(insertAt, addition);
    return true;
}

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view fallback) {
    std::string text;
    if (!ReadWholeFile(path, text, kMaxSmallFileBytes)) {
        return std::string(fallback);
    }
    auto value = FindIniValue(text, section, key);
    return value ? *value : std::string(fallback);
}

bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
    std::string text;
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        // An existing file that cannot be read must not be replaced by the one key.
        if (!ReadWholeFile(path, text, kMaxSmallFileBytes)) {
            return false;
        }
    }
    if (!SetIniValue(text, section, key, value)) {
        return false;
    }
    AtomicFileWriter writer(path);
    if (!writer.IsOpen()) {
        return false;
    }
    writer.Write(text);
    return writer.Commit() == WriteStatus::Completed;
}

} // namespace quorvane
