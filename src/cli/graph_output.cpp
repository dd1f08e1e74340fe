#include "cli/graph_output.h"

#include "data/atomic_file.h"
#include "graph/graph_image.h"

#include <QPrinter>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace quorvane::cli {

bool ReadChoice(const Arguments& args, const char* key, std::initializer_list<const char*> names,
                int& value, std::string& error) {
    const auto text = args.Get(key);
    if (!text) {
        error = std::string("--") + key + " is required";
        return false;
    }
    int i = 0;
    for (const char* name : names) {
        if (*text == name) {
            value = i;
            return true;
        }
        ++i;
    }
    error = std::string("--") + key + " has no choice '" + *text + "'";
    return false;
}

bool ReadIntList(const Arguments& args, const char* key, int low, int high,
                 std::vector<int>& values, std::string& error) {
    const auto text = args.Get(key);
    if (!text) {
        return true;
    }
    std::size_t start = 0;
    while (start <= text->size()) {
        const std::size_t comma = std::min(text->find(',', start), text->size());
        const std::string item = text->substr(start, comma - start);
        char* end = nullptr;
        const long value = std::strtol(item.c_str(), &end, 10);
        if (item.empty() || *end != '\0' || value < low || value > high) {
            error = std::string("--") + key + " takes numbers " + std::to_string(low) + ".." +
                    std::to_string(high) + " separated by commas";
            return false;
        }
        values.push_back(static_cast<int>(value));
        start = comma + 1;
    }
    return true;
}

bool ReadHidden(const Arguments& args, std::vector<int>& hidden, std::string& error) {
    return ReadIntList(args, "hide", 0, 99, hidden, error);
}

namespace {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

} // namespace

std::string TooltipJson(const std::vector<tagGraphToolTip>& tips) {
    std::string out = "[";
    for (std::size_t i = 0; i < tips.size(); ++i) {
        const tagGraphToolTip& t = tips[i];
        out += i == 0 ? "\n" : ",\n";
        out += "{\"left\": " + std::to_string(t.left) + ", \"top\": " + std::to_string(t.top) +
               ", \"right\": " + std::to_string(t.right) +
               ", \"bottom\": " + std::to_string(t.bottom) + ", \"text\": " + JsonString(t.text) +
               "}";
    }
    return out + "\n]\n";
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    AtomicFileWriter writer(path);
    if (!writer.IsOpen()) {
        return false;
    }
    writer.Write(bytes);
    return writer.Commit() == AtomicFileWriter::Status::Ok;
}

std::optional<int> WriteGraphFiles(const Arguments& args, int width, int height,
                                   const std::function<void(QPainter&)>& paint,
                                   const std::function<bool(QPrinter&)>& print,
                                   const std::vector<tagGraphToolTip>& tooltips,
                                   const std::function<int(const std::string&)>& usageError) {
    if (const auto svg = args.Get("svg")) {
        const QString path = QString::fromLocal8Bit(svg->c_str());
        if (GraphFileKindOf(path) != GraphFileKind::Svg) {
            return usageError("--svg takes a file name ending in .svg");
        }
        if (!SaveGraphPicture(path, width, height, paint)) {
            PrintMessage("出力ファイルが開けません。");
            return kExitFailure;
        }
    }
    if (const auto pdf = args.Get("pdf")) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromLocal8Bit(pdf->c_str()));
        if (!print(printer)) {
            PrintMessage("出力ファイルが開けません。");
            return kExitFailure;
        }
    }
    if (const auto json = args.Get("tooltips"); json && !WriteFile(*json, TooltipJson(tooltips))) {
        PrintMessage("出力ファイルが開けません。");
        return kExitFailure;
    }
    return std::nullopt;
}

} // namespace quorvane::cli
