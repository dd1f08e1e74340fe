#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quorvane::test {

// The page boxes of a PDF written by Qt (its page objects are not compressed).
inline std::vector<std::string> PdfMediaBoxes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> boxes;
    for (std::size_t at = bytes.find("/Type /Page\n"); at != std::string::npos;
         at = bytes.find("/Type /Page\n", at + 1)) {
        const std::size_t box = bytes.find("/MediaBox [", at);
        const std::size_t end = box == std::string::npos ? box : bytes.find(']', box);
        boxes.push_back(end == std::string::npos ? std::string()
                                                 : bytes.substr(box + 11, end - box - 11));
    }
    return boxes;
}

// A4 portrait in points, as Qt writes it.
inline const char* kA4PortraitBox = "0 0 595.000000 842.000000";

} // namespace quorvane::test
