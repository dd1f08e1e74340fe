#include "map/site_finder.h"

#include "map/search_archive.h"

#include <cstdio>

namespace quorvane {

namespace {

constexpr int kPrefectureCount = static_cast<int>(kPrefectureNames.size());
constexpr int kCategoryCount = static_cast<int>(kFacilityCategories.size());

std::string PrefectureName(int code) {
    return code >= 1 && code <= kPrefectureCount
               ? std::string(kPrefectureNames[static_cast<std::size_t>(code - 1)])
               : std::string();
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string NumberText(int siteNumber) {
    char text[16];
    std::snprintf(text, sizeof text, "%05d", siteNumber);
    return text;
}

} // namespace

std::string FoldForMatching(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(utf8[i + k]); };
        const unsigned char c = byte(0);
        if (c >= 'A' && c <= 'Z') {
            out += static_cast<char>(c - 'A' + 'a');
            continue;
        }
        // U+FF10..U+FF19, U+FF21..U+FF3A and U+FF41..U+FF5A (EF BC xx and EF BD xx),
        // and U+3000 (E3 80 80). A lead byte never occurs inside another character.
        if (i + 2 < utf8.size() && c == 0xEF && byte(1) == 0xBC && byte(2) >= 0x90 &&
            byte(2) <= 0x99) {
            out += static_cast<char>('0' + byte(2) - 0x90);
        } else if (i + 2 < utf8.size() && c == 0xEF && byte(1) == 0xBC && byte(2) >= 0xA1 &&
                   byte(2) <= 0xBA) {
            out += static_cast<char>('a' + byte(2) - 0xA1);
        } else if (i + 2 < utf8.size() && c == 0xEF && byte(1) == 0xBD && byte(2) >= 0x81 &&
                   byte(2) <= 0x9A) {
            out += static_cast<char>('a' + byte(2) - 0x81);
        } else if (i + 2 < utf8.size() && c == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) {
            out += ' ';
        } else {
            out += static_cast<char>(c);
            continue;
        }
        i += 2;
    }
    return out;
}

std::vector<FoundPlace> LoadSearchPlaces(const std::string& mapFolder, MessageReporter& reporter) {
    std::vector<FoundPlace> places;
    // Each damaged table says so in one line of a single message, not a box apiece.
    CollectingReporter damaged;
    for (int code = 1; code <= kPrefectureCount; ++code) {
        std::vector<MunicipalityRecord> records;
        ReadMunicipalityFile(MunicipalityFilePath(mapFolder, code), records, damaged);
        for (MunicipalityRecord& record : records) {
            if (record.lonDeg > 0 && record.latDeg > 0) {
                places.push_back({FoundKind::Municipality, -1, 0, 0, std::move(record.name),
                                  PrefectureName(code), record.lonDeg, record.latDeg});
            }
        }
    }
    for (int category = 1; category <= kCategoryCount; ++category) {
        std::vector<CF_CHIN> facilities;
        ReadFacilityFile(FacilityFilePath(mapFolder, category), facilities, damaged);
        for (CF_CHIN& facility : facilities) {
            places.push_back({FoundKind::Facility, -1, 0, category, std::move(facility.name),
                              PrefectureName(facility.prefectureCode), facility.lonDeg,
                              facility.latDeg});
        }
    }
    if (!damaged.messages.empty()) {
        std::string message;
        for (const std::string& line : damaged.messages) {
            message += (message.empty() ? "" : "\n") + line;
        }
        reporter.Report(message);
    }
    return places;
}

SiteFinder::SiteFinder(const std::vector<CAmedasPoint>& sites, const MapInfoTable& areas,
                       std::vector<FoundPlace> places)
    : places_(std::move(places)) {
    for (int i = 0; i < static_cast<int>(sites.size()); ++i) {
        const CAmedasPoint& site = sites[static_cast<std::size_t>(i)];
        const std::string area = site.areaCode >= 0 && site.areaCode < kMapInfoCount
                                     ? areas[static_cast<std::size_t>(site.areaCode)].name
                                     : std::string();
        sites_.push_back({FoundKind::Site, i, site.siteNumber, 0, site.name, area,
                          site.longitudeDeg, site.latitudeDeg});
        siteKeys_.push_back(FoldForMatching(site.name));
        numberKeys_.push_back(NumberText(site.siteNumber));
    }
    for (const FoundPlace& place : places_) {
        placeKeys_.push_back(FoldForMatching(place.name));
    }
}

std::vector<FoundPlace> SiteFinder::Find(std::string_view text) const {
    const std::string folded = FoldForMatching(text);
    const std::string_view key = TrimBlanks(folded);
    std::vector<FoundPlace> found;
    if (key.empty()) {
        return found;
    }
    for (std::size_t i = 0; i < sites_.size(); ++i) {
        if (siteKeys_[i].find(key) != std::string::npos || numberKeys_[i].starts_with(key)) {
            found.push_back(sites_[i]);
        }
    }
    for (std::size_t i = 0; i < places_.size(); ++i) {
        if (placeKeys_[i].find(key) != std::string::npos) {
            found.push_back(places_[i]);
        }
    }
    return found;
}

std::string FoundLine(const FoundPlace& found) {
    char position[64];
    std::snprintf(position, sizeof position, "%.6f\t%.6f", found.lonDeg, found.latDeg);
    return (found.IsSite() ? NumberText(found.siteNumber) : std::string()) + "\t" + found.name +
           "\t" + found.areaName + "\t" + position;
}

std::string FoundPlaceCallout(const FoundPlace& found) {
    return found.kind == FoundKind::Municipality ? found.areaName + found.name : found.name;
}

} // namespace quorvane
