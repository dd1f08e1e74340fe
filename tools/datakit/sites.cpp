#include "sites.h"

#include "rng.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace quorvane::datakit {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180.0;
constexpr int kFullSiteCount = 837;

// Place-name pieces: the names read like Japanese place names without copying any
// real station list.
const char* const kHeads[] = {"大", "小", "高", "川", "山", "田", "中", "北", "南", "東",
                              "西", "新", "本", "長", "松", "石", "上", "下", "平", "岩",
                              "野", "宮", "森", "浜", "沢", "竹", "桜", "白", "黒", "青",
                              "赤", "若", "朝", "日", "月", "星", "花", "鶴", "亀", "鹿",
                              "熊", "鷹", "柳", "梅", "杉", "桑", "菅", "荒", "相", "富"};
const char* const kTails[] = {"田", "川", "山", "野", "原", "沢", "島", "浜", "崎", "岡",
                              "井", "谷", "津", "里", "木", "瀬", "尾", "口", "内", "江",
                              "部", "倉", "坂", "根", "淵", "城", "森", "畑", "牧", "泉"};

struct Candidate {
    double lon = 0.0;
    double lat = 0.0;
    int area = 0;
    bool forced = false;
    std::string name;
};

bool Excluded(const Geography& geo, double lon, double lat) {
    for (const auto& b : geo.siteExclusions) {
        if (b.Contains(lon, lat)) {
            return true;
        }
    }
    return false;
}

// Inside an area and at least ~400 m from its outline, so that the site lies
// clearly within the polygon the program tests.
const Area* SiteArea(const Geography& geo, double lon, double lat) {
    const Area* area = geo.AreaAt(lon, lat);
    if (area == nullptr || Excluded(geo, lon, lat)) {
        return nullptr;
    }
    for (const auto& ring : area->rings) {
        const Bounds b = RingBounds(ring);
        if (b.Contains(lon, lat) && DistanceToRing(ring, lon, lat) < 0.004) {
            return nullptr;
        }
    }
    return area;
}

// The point of a ring farthest from its outline among a coarse grid.
bool InteriorPoint(const Geography& geo, const Ring& ring, double* lon, double* lat) {
    const Bounds b = RingBounds(ring);
    double best = -1.0;
    for (int i = 0; i <= 16; ++i) {
        for (int j = 0; j <= 16; ++j) {
            const double x = b.left + (b.right - b.left) * (i + 0.5) / 17.0;
            const double y = b.bottom + (b.top - b.bottom) * (j + 0.5) / 17.0;
            if (!PointInRing(ring, x, y)) {
                continue;
            }
            const double d = DistanceToRing(ring, x, y);
            if (d > best && SiteArea(geo, x, y) != nullptr) {
                best = d;
                *lon = x;
                *lat = y;
            }
        }
    }
    return best > 0.0;
}

// A point inside an area near (lon, lat): the point itself, or the nearest of a
// spiral of points around it.
bool NearestInside(const Geography& geo, double* lon, double* lat) {
    for (int r = 0; r <= 40; ++r) {
        for (int k = 0; k < std::max(1, 8 * r); ++k) {
            const double angle = 6.283185307179586 * k / std::max(1, 8 * r);
            const double x = *lon + 0.003 * r * std::cos(angle);
            const double y = *lat + 0.003 * r * std::sin(angle);
            if (SiteArea(geo, x, y) != nullptr) {
                *lon = x;
                *lat = y;
                return true;
            }
        }
    }
    return false;
}

std::vector<Candidate> GridCandidates(const Geography& geo, std::uint64_t seed, double spacing,
                                      const std::vector<Candidate>& forced) {
    std::vector<Candidate> out;
    const int rows = static_cast<int>(std::ceil((46.0 - 24.0) / spacing));
    for (int j = 0; j < rows; ++j) {
        const double rowLat = 24.0 + (j + 0.5) * spacing;
        const double lonStep = spacing / std::cos(rowLat * kDeg);
        const int columns = static_cast<int>(std::ceil((149.0 - 122.5) / lonStep));
        for (int i = 0; i < columns; ++i) {
            Rng rng(StreamKey(seed, 0x517E, static_cast<std::uint64_t>(j),
                              static_cast<std::uint64_t>(i)));
            const double lat = rowLat + spacing * rng.Uniform(-0.3, 0.3);
            const double lon = 122.5 + (i + 0.5 + rng.Uniform(-0.3, 0.3)) * lonStep;
            const Area* area = SiteArea(geo, lon, lat);
            if (area == nullptr) {
                continue;
            }
            bool nearForced = false;
            for (const auto& f : forced) {
                if (DistanceKm(lon, lat, f.lon, f.lat) < 0.6 * spacing * 111.0) {
                    nearForced = true;
                    break;
                }
            }
            if (!nearForced) {
                out.push_back({lon, lat, area->code, false, {}});
            }
        }
    }
    return out;
}

// Every island of some size gets a site when none of the others landed on it.
void AddIslandSites(const Geography& geo, std::vector<Candidate>& sites) {
    constexpr double kMinIslandArea = 0.0012; // square degrees, about 12 km2
    for (const auto& area : geo.areas) {
        for (const auto& ring : area.rings) {
            if (std::fabs(SignedArea(ring)) < kMinIslandArea) {
                continue;
            }
            const Bounds b = RingBounds(ring);
            bool has = false;
            for (const auto& s : sites) {
                if (b.Contains(s.lon, s.lat) && PointInRing(ring, s.lon, s.lat)) {
                    has = true;
                    break;
                }
            }
            double lon = 0.0, lat = 0.0;
            if (!has && InteriorPoint(geo, ring, &lon, &lat)) {
                sites.push_back({lon, lat, area.code, true, {}});
            }
        }
    }
}

std::vector<Candidate> Select(const Geography& geo, std::uint64_t seed, double spacing,
                              const std::vector<Candidate>& forced) {
    std::vector<Candidate> all = forced;
    for (auto& c : GridCandidates(geo, seed, spacing, forced)) {
        all.push_back(std::move(c));
    }
    AddIslandSites(geo, all);
    return all;
}

double NearestOther(const std::vector<Candidate>& sites, std::size_t i) {
    double best = 1e18;
    for (std::size_t k = 0; k < sites.size(); ++k) {
        if (k != i) {
            best =
                std::min(best, DistanceKm(sites[i].lon, sites[i].lat, sites[k].lon, sites[k].lat));
        }
    }
    return best;
}

double Elevation(const CoastIndex& coast, std::uint64_t seed, int index, double lon, double lat,
                 bool city, double* coastKm) {
    *coastKm = coast.DistanceKm(lon, lat);
    Rng rng(StreamKey(seed, 0xE1E7, static_cast<std::uint64_t>(index)));
    // Land rises inland; the central highlands (Nagano, Yamanashi, Hida) and the
    // northern spine stand higher; stations sit in valleys and basins.
    double relief = 900.0 * (1.0 - std::exp(-*coastKm / 30.0));
    const double dx = (lon - 138.1) * std::cos(lat * kDeg), dy = lat - 36.1;
    relief += 750.0 * std::exp(-(dx * dx + dy * dy) / (2 * 0.7 * 0.7));
    // The prefectural seats lie on the plains.
    const double valley =
        city ? 0.3 : 0.25 + 0.6 * rng.Uniform() * rng.Uniform() + 0.15 * rng.Uniform();
    return std::max(2.0, std::round(relief * valley + rng.Uniform(0.0, 12.0)));
}

} // namespace

double DistanceKm(double lon1, double lat1, double lon2, double lat2) {
    const double k = std::cos(0.5 * (lat1 + lat2) * kDeg);
    const double dx = (lon2 - lon1) * k * 111.32, dy = (lat2 - lat1) * 111.13;
    return std::sqrt(dx * dx + dy * dy);
}

CoastIndex::CoastIndex(const Geography& geo) {
    left_ = 122.0;
    bottom_ = 23.0;
    columns_ = static_cast<int>((150.0 - left_) / kCell) + 1;
    rows_ = static_cast<int>((47.0 - bottom_) / kCell) + 1;
    cells_.resize(static_cast<std::size_t>(columns_ * rows_));
    for (const auto& line : geo.lines) {
        if (!line.coast) {
            continue;
        }
        for (std::size_t i = 0; i + 1 < line.points.size(); ++i) {
            const CDPoint a = line.points[i], b = line.points[i + 1];
            const int steps = 1 + static_cast<int>(datakit::DistanceKm(a.x, a.y, b.x, b.y) / 0.5);
            for (int s = 0; s < steps; ++s) {
                const double t = static_cast<double>(s) / steps;
                const CDPoint p{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
                const int cx = static_cast<int>((p.x - left_) / kCell);
                const int cy = static_cast<int>((p.y - bottom_) / kCell);
                if (cx >= 0 && cx < columns_ && cy >= 0 && cy < rows_) {
                    cells_[static_cast<std::size_t>(cy * columns_ + cx)].push_back(p);
                }
            }
        }
    }
}

double CoastIndex::DistanceKm(double lon, double lat) const {
    const int cx = static_cast<int>((lon - left_) / kCell);
    const int cy = static_cast<int>((lat - bottom_) / kCell);
    double best = 1e18;
    for (int r = 0; r < 40; ++r) {
        for (int y = cy - r; y <= cy + r; ++y) {
            for (int x = cx - r; x <= cx + r; ++x) {
                if (std::max(std::abs(x - cx), std::abs(y - cy)) != r || x < 0 || y < 0 ||
                    x >= columns_ || y >= rows_) {
                    continue;
                }
                for (const auto& p : cells_[static_cast<std::size_t>(y * columns_ + x)]) {
                    best = std::min(best, datakit::DistanceKm(lon, lat, p.x, p.y));
                }
            }
        }
        // Every point of ring r + 1 is at least r cells away.
        if (best < r * kCell * 80.0) {
            break;
        }
    }
    return best;
}

std::vector<Site> PlaceSites(const Geography& geo, const CoastIndex& coast, std::uint64_t seed,
                             int count) {
    std::vector<Candidate> forced;
    for (const auto& pref : Prefectures()) {
        double lon = pref.office.x, lat = pref.office.y;
        if (NearestInside(geo, &lon, &lat)) {
            forced.push_back({lon, lat, geo.AreaAt(lon, lat)->code, true, pref.capital});
        }
    }
    // The full network is laid out first; a smaller kit takes an even share of it,
    // so that its sites are the same as the full kit's.
    double low = 0.08, high = 0.40;
    std::vector<Candidate> chosen = Select(geo, seed, high, forced);
    for (int step = 0; step < 24; ++step) {
        const double mid = 0.5 * (low + high);
        std::vector<Candidate> trial = Select(geo, seed, mid, forced);
        if (static_cast<int>(trial.size()) >= kFullSiteCount) {
            low = mid;
            chosen = std::move(trial);
        } else {
            high = mid;
        }
    }
    if (static_cast<int>(chosen.size()) < kFullSiteCount) {
        chosen = Select(geo, seed, low, forced);
    }
    // Too many: thin out the most crowded non-forced sites.
    while (static_cast<int>(chosen.size()) > kFullSiteCount) {
        std::size_t worst = chosen.size();
        double worstDistance = 1e18;
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            if (chosen[i].forced) {
                continue;
            }
            const double d = NearestOther(chosen, i);
            if (d < worstDistance) {
                worstDistance = d;
                worst = i;
            }
        }
        chosen.erase(chosen.begin() + static_cast<long>(worst));
    }

    std::sort(chosen.begin(), chosen.end(), [](const Candidate& a, const Candidate& b) {
        if (a.area != b.area) {
            return a.area < b.area;
        }
        if (a.lat != b.lat) {
            return a.lat > b.lat;
        }
        return a.lon < b.lon;
    });

    std::vector<Site> sites;
    std::set<std::string> usedNames;
    for (const auto& c : chosen) {
        if (!c.name.empty()) {
            usedNames.insert(c.name);
        }
    }
    Rng names(StreamKey(seed, 0x4A4D));
    std::map<int, int> serial;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        const Candidate& c = chosen[i];
        Site site;
        site.areaCode = c.area;
        const int n = ++serial[c.area];
        site.number = c.area * 1000 + n * 10 + static_cast<int>(Mix64(seed ^ i) % 9) + 1;
        site.name = c.name;
        while (site.name.empty() || (c.name.empty() && usedNames.count(site.name) != 0)) {
            site.name = std::string(kHeads[names.Below(std::size(kHeads))]) +
                        kTails[names.Below(std::size(kTails))];
        }
        usedNames.insert(site.name);
        site.lonDeg = std::round(c.lon * 1e4) / 1e4;
        site.latDeg = std::round(c.lat * 1e4) / 1e4;
        site.elevationM = Elevation(coast, seed, static_cast<int>(i), site.lonDeg, site.latDeg,
                                    !c.name.empty(), &site.coastKm);
        sites.push_back(std::move(site));
    }
    if (count < static_cast<int>(sites.size())) {
        std::vector<Site> share;
        const double stride = static_cast<double>(sites.size()) / std::max(1, count);
        for (int k = 0; k < count; ++k) {
            share.push_back(sites[static_cast<std::size_t>(k * stride)]);
        }
        sites.swap(share);
    }
    return sites;
}

} // namespace quorvane::datakit
