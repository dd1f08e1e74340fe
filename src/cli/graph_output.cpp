#include "cli/graph_output.h"

#include "data/atomic_file.h"
#include "data/json_text.h"
#include "graph/graph_image.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
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

bool ReadGraphFrameOptions(const Arguments& args, GraphFrameOptions& frame, std::string& error) {
    if (!args.Has("width") || !args.Has("height")) {
        error = "--width and --height are required";
        return false;
    }
    std::vector<int> hidden;
    if (!args.GetInt("width", frame.width, error) || !args.GetInt("height", frame.height, error) ||
        !ReadIntList(args, "hide", 0, 99, hidden, error)) {
        return false;
    }
    if (std::min(frame.width, frame.height) < 200 || std::max(frame.width, frame.height) > 8000) {
        error = "--width and --height must be 200..8000";
        return false;
    }
    for (const int index : hidden) {
        frame.hidden.resize(std::max(frame.hidden.size(), static_cast<std::size_t>(index) + 1));
        frame.hidden[static_cast<std::size_t>(index)] = true;
    }
    return true;
}

PaintingApplication::PaintingApplication() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "quorvane-cli";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
}

PaintingApplication::~PaintingApplication() = default;

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
    return WriteAtomically(path, bytes) == WriteStatus::Completed;
}

std::optional<int> WriteGraphOutputs(const Arguments& args, const GraphFrameOptions& frame,
                                     const std::function<void(QPainter&)>& screen,
                                     const std::function<void(QPainter&)>& picture,
                                     const std::function<bool(QPrinter&)>& print,
                                     const std::vector<tagGraphToolTip>& tooltips,
                                     const std::function<int(const std::string&)>& usageError) {
    bool written = true;
    if (const auto png = args.Get("png")) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        written = buffer.open(QIODevice::WriteOnly) &&
                  RenderGraphImage(frame.width, frame.height, 1.0, screen).save(&buffer, "PNG") &&
                  WriteFile(*png, bytes.toStdString());
    }
    if (const auto svg = args.Get("svg"); svg && written) {
        const QString path = QString::fromLocal8Bit(svg->c_str());
        if (GraphFileKindOf(path) != GraphFileKind::Svg) {
            return usageError("--svg takes a file name ending in .svg");
        }
        written =
            SaveGraphPicture(path, frame.width, frame.height, picture) == WriteStatus::Completed;
    }
    if (const auto pdf = args.Get("pdf"); pdf && written) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromLocal8Bit(pdf->c_str()));
        written = print(printer);
    }
    if (const auto json = args.Get("tooltips"); json && written) {
        written = WriteFile(*json, TooltipJson(tooltips));
    }
    if (!written) {
        PrintMessage("出力ファイルが開けません。");
        return kExitFailure;
    }
    return std::nullopt;
}

} // namespace quorvane::cli
