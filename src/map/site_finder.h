#pragma once

#include "data/reporter.h"
#include "data/site_catalogue.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Finding a site or a place by typing: part of a site's name or the start of its
// number, or part of a municipality's or facility's name from the search tables.

// Text as the finder compares it: full-width digits and Latin letters become
// half-width, Latin letters lower case and the ideographic space an ASCII space;
// everything else stays as it is.
std::string FoldForMatching(std::string_view utf8);

enum class FoundKind { Site, Municipality, Facility };

struct FoundPlace {
    FoundKind kind = FoundKind::Site;
    int siteIndex = -1; // catalogue index; sites only
    int siteNumber = 0; // sites only
    int category = 0;   // facilities: 1..14
    std::string name;
    std::string areaName; // a site's area; a place's prefecture
    double lonDeg = 0.0;
    double latDeg = 0.0;

    bool IsSite() const { return kind == FoundKind::Site; }
    friend bool operator==(const FoundPlace&, const FoundPlace&) = default;
};

// The places of the search tables: the municipalities of the 47 prefectures that
// have a position of their own (the address search cannot go to the others either)
// and the facilities of the 14 categories, in table order. Missing tables give
// nothing, silently; damaged ones are named in one report.
std::vector<FoundPlace> LoadSearchPlaces(const std::string& mapFolder, MessageReporter& reporter);

class SiteFinder {
public:
    SiteFinder(const std::vector<CAmedasPoint>& sites, const MapInfoTable& areas,
               std::vector<FoundPlace> places);

    // The matches of `text` (blanks around it ignored): sites in catalogue order,
    // then places in table order. Nothing for a blank text.
    std::vector<FoundPlace> Find(std::string_view text) const;

private:
    std::vector<FoundPlace> sites_;
    std::vector<std::string> siteKeys_;
    std::vector<std::string> numberKeys_;
    std::vector<FoundPlace> places_;
    std::vector<std::string> placeKeys_;
};

// A match as the command prints it: number, name, area name, longitude and
// latitude separated by tabs; a place has no number.
std::string FoundLine(const FoundPlace& found);

// The name a place is shown by on the mesh map: a municipality with its prefecture
// (as the address search names it), a facility as it is.
std::string FoundPlaceCallout(const FoundPlace& found);

} // namespace quorvane
