#include "search_tables.h"

#include "map/search_archive.h"
#include "rng.h"

#include <cmath>
#include <stdexcept>

namespace quorvane::datakit {
namespace {

// Random points on the land of one prefecture, chosen area by area in proportion to
// their land.
class LandSampler {
public:
    LandSampler(const Geography& geo, int prefecture) : geo_(geo) {
        for (const auto& area : geo.areas) {
            if (area.prefecture == prefecture) {
                areas_.push_back(&area);
                total_ += area.landArea;
            }
        }
    }

    CDPoint Anywhere(Rng& rng) const {
        double pick = rng.Uniform() * total_;
        const Area* area = areas_.back();
        for (const Area* a : areas_) {
            if (pick < a->landArea) {
                area = a;
                break;
            }
            pick -= a->landArea;
        }
        for (int attempt = 0; attempt < 10000; ++attempt) {
            const double x = rng.Uniform(area->land.left, area->land.right);
            const double y = rng.Uniform(area->land.bottom, area->land.top);
            if (OnLand(*area, x, y)) {
                return {x, y};
            }
        }
        throw std::runtime_error("no land found in " + area->name);
    }

    // A point on land within about `radiusKm` of `centre`, or the centre itself.
    CDPoint Near(Rng& rng, const CDPoint& centre, double radiusKm) const {
        const double k = std::cos(centre.y * 3.14159265358979323846 / 180.0);
        for (int attempt = 0; attempt < 200; ++attempt) {
            const double x = centre.x + rng.Uniform(-1, 1) * radiusKm / (111.0 * k);
            const double y = centre.y + rng.Uniform(-1, 1) * radiusKm / 111.0;
            for (const Area* a : areas_) {
                if (OnLand(*a, x, y)) {
                    return {x, y};
                }
            }
        }
        return centre;
    }

private:
    bool OnLand(const Area& area, double x, double y) const {
        for (const auto& b : geo_.siteExclusions) {
            if (b.Contains(x, y)) {
                return false;
            }
        }
        for (const auto& ring : area.rings) {
            if (RingBounds(ring).Contains(x, y) && PointInRing(ring, x, y)) {
                return true;
            }
        }
        return false;
    }

    const Geography& geo_;
    std::vector<const Area*> areas_;
    double total_ = 0.0;
};

double Round6(double v) {
    return std::round(v * 1e6) / 1e6;
}

const char* const kMunicipalityKinds[] = {"市", "町", "町", "村", "市", "町"};

struct Municipality {
    MunicipalityRecord record;
    CDPoint centre;
    bool city = false;
};

void Check(bool ok, const std::string& path) {
    if (!ok) {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace

void WriteSearchTables(const Geography& geo, std::uint64_t seed, const KitPaths& paths) {
    const std::string mapFolder = paths.MapFolder().string();
    std::filesystem::create_directories(paths.Map() / "GaikuTabl");
    std::filesystem::create_directories(paths.Map() / "kensaku");
    std::vector<std::vector<CF_CHIN>> categories(14);

    for (const auto& pref : Prefectures()) {
        const LandSampler land(geo, pref.code);
        Rng rng(StreamKey(seed, 0xADD5, static_cast<std::uint64_t>(pref.code)));
        const auto code = static_cast<std::int16_t>(pref.code);
        double prefectureLand = 0.0;
        for (const auto& area : geo.areas) {
            prefectureLand += area.prefecture == pref.code ? area.landArea : 0.0;
        }
        const int municipalityCount =
            std::min(40, 8 + static_cast<int>(prefectureLand * 12.0) + rng.Below(5));

        std::vector<Municipality> municipalities;
        std::vector<DistrictRecord> districts;
        for (int i = 0; i < municipalityCount; ++i) {
            Municipality m;
            const char* kind = kMunicipalityKinds[i % std::size(kMunicipalityKinds)];
            m.city = std::string(kind) == "市";
            m.record.name = Format("サンプル%s%02d", kind, i + 1);
            m.centre = land.Anywhere(rng);
            const int districtCount = rng.Below(9) + (i % 11 == 10 ? 0 : 2);
            m.record.firstDistrict = static_cast<std::int32_t>(districts.size()) + 1;
            m.record.districtCount = districtCount;
            for (int k = 0; k < districtCount; ++k) {
                const CDPoint p = land.Near(rng, m.centre, 4.0);
                const std::string name =
                    m.city ? Format("サンプル町%d丁目", k + 1) : Format("大字サンプル%02d", k + 1);
                districts.push_back({name, Round6(p.x), Round6(p.y)});
            }
            // A few municipalities have no position of their own: a district must be
            // chosen before the search can go there.
            const bool ownPosition = districtCount == 0 || i % 9 != 4;
            m.record.lonDeg = ownPosition ? Round6(m.centre.x) : 0.0;
            m.record.latDeg = ownPosition ? Round6(m.centre.y) : 0.0;
            municipalities.push_back(m);
        }
        std::vector<MunicipalityRecord> records;
        for (const auto& m : municipalities) {
            records.push_back(m.record);
        }
        const std::string addp1 = MunicipalityFilePath(mapFolder, pref.code);
        const std::string addp2 = DistrictFilePath(mapFolder, pref.code);
        Check(WriteMunicipalityFile(addp1, records), addp1);
        Check(WriteDistrictFile(addp2, districts), addp2);

        std::string officeName = pref.name;
        officeName = officeName == "北海道" ? "北海道庁" : officeName + "庁";
        categories[0].push_back({code, officeName, pref.office.x, pref.office.y});
        for (const auto& m : municipalities) {
            categories[1].push_back({code, m.record.name + (m.city ? "役所" : "役場"),
                                     Round6(m.centre.x), Round6(m.centre.y)});
        }
        auto add = [&](int category, int count, const char* pattern) {
            for (int k = 0; k < count; ++k) {
                const CDPoint p = land.Anywhere(rng);
                categories[static_cast<std::size_t>(category)].push_back(
                    {code, Format(pattern, k + 1), Round6(p.x), Round6(p.y)});
            }
        };
        for (std::size_t k = 0; k < municipalities.size() && k < 6; ++k) {
            const Municipality& m = municipalities[k];
            const CDPoint police = land.Near(rng, m.centre, 2.0);
            categories[2].push_back(
                {code, m.record.name + "警察署", Round6(police.x), Round6(police.y)});
            if (k < 3) {
                const CDPoint fire = land.Near(rng, m.centre, 2.0);
                categories[3].push_back(
                    {code, m.record.name + "消防本部", Round6(fire.x), Round6(fire.y)});
            }
        }
        add(4, 2 + rng.Below(4), "サンプル大学%02d");
        add(5, 3 + rng.Below(4), "サンプル山%02d");
        add(6, 1 + rng.Below(3), "サンプル湖%02d");
        add(7, 1 + rng.Below(3), "サンプルダム%02d");
        add(8, 2 + rng.Below(3), "サンプル発電所%02d");
        add(9, 2 + rng.Below(4), "サンプルインターチェンジ%02d");
        add(10, 2 + rng.Below(4), "サンプル公園%02d");
        add(11, 1 + rng.Below(3), "サンプルランド%02d");
        add(12, 2 + rng.Below(4), "サンプルカントリークラブ%02d");
        // Ski grounds only where winters are snowy.
        if (pref.office.y > 34.9 || pref.code == 28 || pref.code == 32 || pref.code == 34) {
            add(13, 1 + rng.Below(4), "サンプルスキー場%02d");
        }
    }
    for (std::size_t c = 0; c < categories.size(); ++c) {
        const std::string path = FacilityFilePath(mapFolder, static_cast<int>(c) + 1);
        Check(WriteFacilityFile(path, categories[c]), path);
    }
}

} // namespace quorvane::datakit
