#include "mapdata.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quorvane::datakit {
namespace {

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

const char* const kRomanNames[47] = {
    "hokkaido",  "aomori",   "iwate",    "miyagi",    "akita",     "yamagata",  "fukushima",
    "ibaraki",   "tochigi",  "gunma",    "saitama",   "chiba",     "tokyo",     "kanagawa",
    "niigata",   "toyama",   "ishikawa", "fukui",     "yamanashi", "nagano",    "gifu",
    "shizuoka",  "aichi",    "mie",      "shiga",     "kyoto",     "osaka",     "hyogo",
    "nara",      "wakayama", "tottori",  "shimane",   "okayama",   "hiroshima", "yamaguchi",
    "tokushima", "kagawa",   "ehime",    "kochi",     "fukuoka",   "saga",      "nagasaki",
    "kumamoto",  "oita",     "miyazaki", "kagoshima", "okinawa"};

std::vector<char> ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path);
    }
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

// Bounds-checked little-endian reads: the files come from outside.
class ByteReader {
public:
    ByteReader(const std::vector<char>& bytes, std::string name)
        : bytes_(bytes), name_(std::move(name)) {}

    template <typename T>
    T At(std::size_t offset) const {
        if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) {
            throw std::runtime_error(name_ + ": read beyond the end of the file");
        }
        T value;
        std::memcpy(&value, bytes_.data() + offset, sizeof(T));
        return value;
    }
    std::size_t Size() const { return bytes_.size(); }

private:
    const std::vector<char>& bytes_;
    std::string name_;
};

struct RawLine {
    std::vector<CDPoint> points;
    int leftPolygon = 0;
    int rightPolygon = 0;
};

} // namespace

int PrefectureCodeOfRomanName(const std::string& name) {
    std::string lower;
    for (char c : name) {
        if (c == ':') {
            break;
        }
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (int i = 0; i < 47; ++i) {
        if (lower == kRomanNames[i]) {
            return i + 1;
        }
    }
    return 0;
}

Mapdata ReadJapanMapdata(const std::string& folder) {
    const std::vector<char> lBytes = ReadWhole(folder + "/japan.L");
    const std::vector<char> gBytes = ReadWhole(folder + "/japan.G");
    const ByteReader l(lBytes, "japan.L");
    const ByteReader g(gBytes, "japan.G");

    if (l.At<std::int32_t>(0) != 2) {
        throw std::runtime_error("japan.L: unexpected coordinate type");
    }
    const std::int32_t lineCount = l.At<std::int32_t>(4);
    if (lineCount <= 0 || static_cast<std::size_t>(lineCount) > (l.Size() - 8) / 28) {
        throw std::runtime_error("japan.L: line count does not fit the file");
    }
    std::vector<RawLine> lines(static_cast<std::size_t>(lineCount));
    for (std::int32_t i = 0; i < lineCount; ++i) {
        const std::size_t header = 8 + 28 * static_cast<std::size_t>(i);
        const auto offset = static_cast<std::size_t>(l.At<std::int32_t>(header));
        const std::uint16_t count = l.At<std::uint16_t>(header + 4);
        RawLine& line = lines[static_cast<std::size_t>(i)];
        line.leftPolygon = l.At<std::int16_t>(header + 6);
        line.rightPolygon = l.At<std::int16_t>(header + 8);
        line.points.reserve(count);
        for (std::size_t k = 0; k < count; ++k) {
            const float x = l.At<float>(offset + 8 * k);
            const float y = l.At<float>(offset + 8 * k + 4);
            line.points.push_back({x * kDegreesPerRadian, y * kDegreesPerRadian});
        }
    }

    std::vector<int> polygonPrefecture;
    {
        std::ifstream names(folder + "/japan.N");
        if (!names) {
            throw std::runtime_error("cannot open " + folder + "/japan.N");
        }
        std::string text;
        while (std::getline(names, text)) {
            const auto tab = text.find('\t');
            if (tab == std::string::npos) {
                continue;
            }
            const int number = std::atoi(text.c_str() + tab + 1);
            if (number < 1 || number > 65535) {
                throw std::runtime_error("japan.N: polygon number out of range");
            }
            if (static_cast<int>(polygonPrefecture.size()) < number) {
                polygonPrefecture.resize(static_cast<std::size_t>(number), 0);
            }
            polygonPrefecture[static_cast<std::size_t>(number - 1)] =
                PrefectureCodeOfRomanName(text.substr(0, tab));
        }
    }

    Mapdata data;
    const std::uint16_t polygonCount = g.At<std::uint16_t>(0);
    std::vector<bool> used(lines.size(), false);
    for (std::size_t p = 0; p < polygonCount; ++p) {
        const std::size_t header = 2 + 24 * p;
        const auto offset = static_cast<std::size_t>(g.At<std::int32_t>(header));
        const std::uint16_t count = g.At<std::uint16_t>(header + 4);
        MapdataPolygon polygon;
        polygon.prefecture = p < polygonPrefecture.size() ? polygonPrefecture[p] : 0;
        if (polygon.prefecture == 0) {
            throw std::runtime_error("japan.N: polygon without a known prefecture name");
        }
        for (std::size_t k = 0; k < count; ++k) {
            const std::int32_t number = g.At<std::int32_t>(offset + 4 * k);
            const auto index = static_cast<std::size_t>(std::abs(number)) - 1;
            if (number == 0 || index >= lines.size()) {
                throw std::runtime_error("japan.G: line number out of range");
            }
            used[index] = true;
            const auto& points = lines[index].points;
            std::vector<CDPoint> piece(points.begin(), points.end());
            if (number < 0) {
                std::reverse(piece.begin(), piece.end());
            }
            const std::size_t skip = polygon.ring.empty() ? 0 : 1;
            polygon.ring.insert(polygon.ring.end(), piece.begin() + static_cast<long>(skip),
                                piece.end());
        }
        if (polygon.ring.size() > 1 && polygon.ring.front() == polygon.ring.back()) {
            polygon.ring.pop_back();
        }
        data.polygons.push_back(std::move(polygon));
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!used[i]) {
            continue;
        }
        data.lines.push_back(
            {lines[i].leftPolygon == 0 || lines[i].rightPolygon == 0, std::move(lines[i].points)});
    }
    return data;
}

} // namespace quorvane::datakit
