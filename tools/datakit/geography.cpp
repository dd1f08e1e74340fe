#include "geography.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace quorvane::datakit {
namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

const std::vector<Prefecture> kPrefectures = {
    {1, "北海道", "札幌", {141.3469, 43.0642}},
    {2, "青森県", "青森", {140.7400, 40.8244}},
    {3, "岩手県", "盛岡", {141.1527, 39.7036}},
    {4, "宮城県", "仙台", {140.8721, 38.2688}},
    {5, "秋田県", "秋田", {140.1024, 39.7186}},
    {6, "山形県", "山形", {140.3633, 38.2404}},
    {7, "福島県", "福島", {140.4676, 37.7503}},
    {8, "茨城県", "水戸", {140.4468, 36.3418}},
    {9, "栃木県", "宇都宮", {139.8836, 36.5657}},
    {10, "群馬県", "前橋", {139.0608, 36.3911}},
    {11, "埼玉県", "さいたま", {139.6489, 35.8569}},
    {12, "千葉県", "千葉", {140.1233, 35.6047}},
    {13, "東京都", "東京", {139.6917, 35.6895}},
    {14, "神奈川県", "横浜", {139.6425, 35.4478}},
    {15, "新潟県", "新潟", {139.0236, 37.9026}},
    {16, "富山県", "富山", {137.2113, 36.6953}},
    {17, "石川県", "金沢", {136.6256, 36.5947}},
    {18, "福井県", "福井", {136.2216, 36.0652}},
    {19, "山梨県", "甲府", {138.5684, 35.6642}},
    {20, "長野県", "長野", {138.1810, 36.6513}},
    {21, "岐阜県", "岐阜", {136.7223, 35.3912}},
    {22, "静岡県", "静岡", {138.3831, 34.9769}},
    {23, "愛知県", "名古屋", {136.9066, 35.1802}},
    {24, "三重県", "津", {136.5086, 34.7303}},
    {25, "滋賀県", "大津", {135.8686, 35.0045}},
    {26, "京都府", "京都", {135.7556, 35.0214}},
    {27, "大阪府", "大阪", {135.5200, 34.6863}},
    {28, "兵庫県", "神戸", {135.1830, 34.6913}},
    {29, "奈良県", "奈良", {135.8329, 34.6851}},
    {30, "和歌山県", "和歌山", {135.1675, 34.2261}},
    {31, "鳥取県", "鳥取", {134.2383, 35.5036}},
    {32, "島根県", "松江", {133.0505, 35.4723}},
    {33, "岡山県", "岡山", {133.9344, 34.6618}},
    {34, "広島県", "広島", {132.4596, 34.3966}},
    {35, "山口県", "山口", {131.4714, 34.1859}},
    {36, "徳島県", "徳島", {134.5593, 34.0657}},
    {37, "香川県", "高松", {134.0434, 34.3401}},
    {38, "愛媛県", "松山", {132.7657, 33.8416}},
    {39, "高知県", "高知", {133.5311, 33.5597}},
    {40, "福岡県", "福岡", {130.4181, 33.6064}},
    {41, "佐賀県", "佐賀", {130.2988, 33.2494}},
    {42, "長崎県", "長崎", {129.8737, 32.7448}},
    {43, "熊本県", "熊本", {130.7417, 32.7898}},
    {44, "大分県", "大分", {131.6126, 33.2381}},
    {45, "宮崎県", "宮崎", {131.4239, 31.9111}},
    {46, "鹿児島県", "鹿児島", {130.5581, 31.5602}},
    {47, "沖縄県", "那覇", {127.6809, 26.2124}},
};

HalfPlane XBelow(double v) {
    return {1, 0, v};
}
HalfPlane XAbove(double v) {
    return {-1, 0, -v};
}
HalfPlane YBelow(double v) {
    return {0, 1, v};
}
HalfPlane YAbove(double v) {
    return {0, -1, -v};
}

struct AreaDef {
    int code;
    const char* name;
    const char* shortName;
    int prefecture;
    int block;
    std::vector<HalfPlane> cuts; // the area is the prefecture's land inside all of them
};

// The cuts between the parts of one prefecture follow its traditional divisions
// closely enough for a map (each part is convex, so no part needs two pieces).
std::vector<AreaDef> AreaDefinitions() {
    const HalfPlane hokkaidoSouth = LeftOf({140.9, 42.1}, {140.1, 42.75});
    const HalfPlane sadoSide = LeftOf({137.7, 37.3}, {139.5, 38.55});
    return {
        {10, "北海道（道北）", "道北", 1, 1, {XBelow(142.95), YAbove(43.85)}},
        {11, "北海道（道東）", "道東", 1, 1, {XAbove(142.95)}},
        {12,
         "北海道（道央）",
         "道央",
         1,
         1,
         {XBelow(142.95), YBelow(43.85), hokkaidoSouth.Opposite()}},
        {13, "北海道（道南）", "道南", 1, 1, {XBelow(142.95), YBelow(43.85), hokkaidoSouth}},
        {14, "青森県", "青森", 2, 5, {}},
        {15, "岩手県（内陸）", "岩手内陸", 3, 5, {XBelow(141.45)}},
        {16, "岩手県（沿岸）", "岩手沿岸", 3, 5, {XAbove(141.45)}},
        {17, "宮城県", "宮城", 4, 5, {}},
        {18, "秋田県", "秋田", 5, 5, {}},
        {19, "山形県", "山形", 6, 5, {}},
        {20, "福島県（中通り・浜通り）", "福島", 7, 5, {XAbove(140.15)}},
        {21, "福島県（会津）", "会津", 7, 5, {XBelow(140.15)}},
        {22, "茨城県", "茨城", 8, 4, {}},
        {23, "栃木県", "栃木", 9, 4, {}},
        {24, "群馬県", "群馬", 10, 4, {}},
        {25, "埼玉県", "埼玉", 11, 4, {}},
        {26, "千葉県", "千葉", 12, 4, {}},
        {27, "東京都", "東京", 13, 4, {YAbove(35.2)}},
        {28, "神奈川県", "神奈川", 14, 4, {}},
        {29, "山梨県", "山梨", 19, 4, {}},
        {30, "長野県（北部）", "長野北部", 20, 4, {YAbove(36.3)}},
        {31, "長野県（南部）", "長野南部", 20, 4, {YBelow(36.3)}},
        {32, "新潟県", "新潟", 15, 5, {sadoSide.Opposite()}},
        {33, "新潟県（佐渡）", "佐渡", 15, 5, {sadoSide}},
        {34, "富山県", "富山", 16, 3, {}},
        {35, "石川県", "石川", 17, 3, {}},
        {36, "福井県", "福井", 18, 3, {}},
        {37, "岐阜県（飛騨）", "飛騨", 21, 3, {YAbove(35.8)}},
        {38, "岐阜県（美濃）", "美濃", 21, 3, {YBelow(35.8)}},
        {39, "静岡県", "静岡", 22, 4, {}},
        {40, "愛知県", "愛知", 23, 3, {}},
        {41, "三重県", "三重", 24, 3, {}},
        {42, "滋賀県", "滋賀", 25, 3, {}},
        {43, "京都府", "京都", 26, 3, {}},
        {44, "大阪府", "大阪", 27, 3, {}},
        {45, "兵庫県（北部）", "兵庫北部", 28, 3, {YAbove(35.2)}},
        {46, "兵庫県（南部）", "兵庫南部", 28, 3, {YBelow(35.2)}},
        {47, "伊豆諸島", "伊豆諸島", 13, 7, {YBelow(35.2), YAbove(28.5)}},
        {48, "奈良県", "奈良", 29, 3, {}},
        {49, "和歌山県", "和歌山", 30, 3, {}},
        {50, "鳥取県", "鳥取", 31, 2, {}},
        {51, "島根県", "島根", 32, 2, {YBelow(35.85)}},
        {52, "島根県（隠岐）", "隠岐", 32, 2, {YAbove(35.85)}},
        {53, "岡山県", "岡山", 33, 2, {}},
        {54, "広島県", "広島", 34, 2, {}},
        {55, "山口県", "山口", 35, 2, {}},
        {56, "徳島県", "徳島", 36, 2, {}},
        {57, "香川県", "香川", 37, 2, {}},
        {58, "愛媛県", "愛媛", 38, 2, {}},
        {59, "高知県", "高知", 39, 2, {}},
        {60, "福岡県", "福岡", 40, 2, {}},
        {61, "佐賀県", "佐賀", 41, 2, {}},
        {62, "長崎県", "長崎", 42, 2, {YBelow(34.0)}},
        {63, "長崎県（対馬）", "対馬", 42, 2, {YAbove(34.0)}},
        {64, "熊本県", "熊本", 43, 2, {}},
        {65, "大分県", "大分", 44, 2, {}},
        {66, "宮崎県", "宮崎", 45, 2, {}},
        {67, "鹿児島県", "鹿児島", 46, 2, {YAbove(30.95)}},
        {68, "鹿児島県（種子島・屋久島）", "種子屋久", 46, 2, {YBelow(30.95), YAbove(29.0)}},
        {69, "鹿児島県（奄美）", "奄美", 46, 6, {YBelow(29.0)}},
        {70, "沖縄県（本島）", "沖縄本島", 47, 6, {XAbove(126.5), XBelow(130.0)}},
        {71, "沖縄県（宮古・八重山）", "先島", 47, 6, {XBelow(126.5)}},
        {72, "沖縄県（大東島）", "大東島", 47, 6, {XAbove(130.0)}},
        {95, "小笠原諸島", "小笠原", 13, 8, {YBelow(28.5)}},
    };
}

// The national map finds the block under the mouse by testing the block rectangles
// in this order, so the blocks are numbered to let the overlaps of their
// rectangles fall to the block that owns the land there.
const char* const kBlockNames[9] = {"北海道",           "中国・四国・九州", "北陸・東海・近畿",
                                    "関東・甲信・静岡", "東北・新潟",       "沖縄・奄美",
                                    "伊豆諸島",         "小笠原諸島",       "硫黄島"};

} // namespace

const std::vector<Prefecture>& Prefectures() {
    return kPrefectures;
}

const Area* Geography::FindArea(int code) const {
    for (const auto& area : areas) {
        if (area.code == code) {
            return &area;
        }
    }
    return nullptr;
}

const Area* Geography::AreaAt(double lon, double lat) const {
    for (const auto& area : areas) {
        if (!area.land.Contains(lon, lat)) {
            continue;
        }
        for (const auto& ring : area.rings) {
            if (PointInRing(ring, lon, lat)) {
                return &area;
            }
        }
    }
    return nullptr;
}

CDRect MapRectAround(const Bounds& land, double margin, double eastBias) {
    const double midLat = 0.5 * (land.top + land.bottom);
    const double k = std::cos(midLat * kDegToRad);
    double wTrue = (land.right - land.left) * k;
    double h = land.top - land.bottom;
    const double pad = margin * std::max(wTrue, h);
    wTrue += 2 * pad;
    h += 2 * pad;
    const double target = static_cast<double>(kMapWidthPx) / kMapHeightPx;
    if (wTrue / h < target) {
        wTrue = h * target;
    } else {
        h = wTrue / target;
    }
    const double w = wTrue / k;
    const double padLon = pad / k;
    // The margin stays on both sides; only the widening for the shape is biased.
    const double spare = w - (land.right - land.left) - 2 * padLon;
    const double left = land.left - padLon - 0.5 * (1.0 - eastBias) * spare;
    return {left, midLat + 0.5 * h, left + w, midLat - 0.5 * h};
}

CDRect AreaView(const Area& area) {
    const double margin = area.land.right - area.land.left < 0.3 ? 0.35 : 0.08;
    return MapRectAround(area.land, margin);
}

Geography BuildGeography(const Mapdata& source) {
    constexpr double kMinRingArea = 2e-7; // square degrees, about 2,000 m2
    std::vector<std::vector<Ring>> byPrefecture(48);
    for (const auto& polygon : source.polygons) {
        for (auto& ring : MakeValidRings(polygon.ring, kMinRingArea)) {
            byPrefecture[static_cast<std::size_t>(polygon.prefecture)].push_back(std::move(ring));
        }
    }

    Geography geo;
    geo.lines = source.lines;
    for (const auto& def : AreaDefinitions()) {
        Area area;
        area.code = def.code;
        area.name = def.name;
        area.shortName = def.shortName;
        area.prefecture = def.prefecture;
        area.block = def.block;
        for (const auto& ring : byPrefecture[static_cast<std::size_t>(def.prefecture)]) {
            std::vector<Ring> pieces{ring};
            for (const auto& cut : def.cuts) {
                std::vector<Ring> next;
                for (const auto& piece : pieces) {
                    for (auto& clipped : ClipRing(piece, cut)) {
                        next.push_back(std::move(clipped));
                    }
                }
                pieces.swap(next);
            }
            for (const auto& piece : pieces) {
                for (auto& valid : MakeValidRings(piece, kMinRingArea)) {
                    area.land.Add(RingBounds(valid));
                    area.landArea += std::fabs(SignedArea(valid));
                    area.rings.push_back(std::move(valid));
                }
            }
        }
        if (area.rings.empty()) {
            throw std::runtime_error("area " + area.name + " has no land");
        }
        geo.areas.push_back(std::move(area));
    }
    std::sort(geo.areas.begin(), geo.areas.end(),
              [](const Area& a, const Area& b) { return a.code < b.code; });

    // Kunashiri, Etorofu, Shikotan and the Habomai islands: drawn, but no sites.
    for (const auto& ring : geo.FindArea(11)->rings) {
        const Bounds b = RingBounds(ring);
        if (b.left > 145.3) {
            geo.siteExclusions.push_back(b);
        }
    }

    for (int code = 1; code <= 9; ++code) {
        Bounds land;
        for (const auto& area : geo.areas) {
            const bool member = code == 9 ? area.code == 95 : area.block == code;
            if (!member) {
                continue;
            }
            for (const auto& ring : area.rings) {
                const Bounds b = RingBounds(ring);
                const bool excluded = std::any_of(
                    geo.siteExclusions.begin(), geo.siteExclusions.end(),
                    [&](const Bounds& e) { return e.left == b.left && e.top == b.top; });
                // Blocks 8 and 9 share area 95: the Ogasawara and the Iwo islands.
                // Tokara and Takeshima would stretch the south-western block map.
                const bool farOut = code == 2 && (b.bottom < 30.0 || b.top > 36.6);
                if (excluded || farOut || (code == 8 && b.top < 25.6) ||
                    (code == 9 && b.bottom > 25.6)) {
                    continue;
                }
                land.Add(b);
            }
        }
        // The main blocks widen westwards only, over blocks tested before them or
        // over the sea, so that a click on the national map opens the block that
        // owns the land there (for all but about one site in twenty).
        const double eastBias[10] = {0, 0, -1, -1, -1, -1, 0, 0, 0, 0};
        const double margin = code >= 7 ? 0.25 : (code == 1 ? 0.04 : 0.015);
        geo.blocks.push_back(
            {code, kBlockNames[code - 1], MapRectAround(land, margin, eastBias[code])});
    }
    // The main islands with Tokara at the bottom; the insets of blocks 6, 8 and 9
    // land in the seas of this rectangle.
    Bounds national;
    national.Add(CDPoint{126.0, 29.0});
    national.Add(CDPoint{149.0, 46.0});
    geo.national = MapRectAround(national, 0.0);
    return geo;
}

} // namespace quorvane::datakit
