#pragma once

#include <array>
#include <cstdint>

namespace quorvane {

// The colours of the graphs, as ARGB values; 0 is "no colour" (a series that is not
// drawn as a line). The legend, built in the core, takes its colours from here; the
// canvas's pens and brushes are made from the same values.
inline constexpr std::uint32_t kNoColour = 0;

// The horizontal series by element - 1: markers, legend samples and lines (row 3),
// and two lighter rows the canvas keeps for fills.
inline constexpr std::array<std::uint32_t, 9> kSeriesRow1 = {0xffff3300, 0xffefa724, 0xff7c298b,
                                                             0xffef7510, 0xff66cc00, kNoColour,
                                                             kNoColour,  0xff3399ff, 0xffa4b0ee};
inline constexpr std::array<std::uint32_t, 9> kSeriesRow2 = {0xffffb8a6, 0xffffeeac, 0xffe6bfec,
                                                             0xfff7af8c, 0xffcdf5c5, kNoColour,
                                                             0xffcecece, 0xffd9f2fb, 0xffe6eeeb};
inline constexpr std::array<std::uint32_t, 9> kSeriesRow3 = {0xffff3300, 0xffe89b0f, 0xff7c298b,
                                                             0xffed5c18, 0xff66cc00, kNoColour,
                                                             kNoColour,  0xff79d8f7, 0xff898ebc};

// The slope series (and the monthly orientations, the first 13).
inline constexpr std::array<std::uint32_t, 14> kPalette = {
    0xff29b5e2, 0xff0b92d9, 0xff165ad3, 0xff2121cd, 0xffa502b3, 0xffed02b3, 0xffff0300,
    0xffff9d00, 0xffdcc53f, 0xffa7ac00, 0xffaee82b, 0xff62d911, 0xff53a21a, 0xff404040};
inline constexpr std::array<std::uint32_t, 14> kPaletteLight = {
    0xffbce8f5, 0xff99cbf4, 0xff6998ef, 0xff6464e6, 0xffc886f9, 0xfffeadea, 0xffff6a6a,
    0xffffc562, 0xffdcc53f, 0xffc0c514, 0xffc8efa7, 0xff8cf149, 0xff52c561, 0xffcccccc};

// The year-to-year variation chart: average, maximum and minimum.
inline constexpr std::uint32_t kAverageArgb = 0xff3eae3e;
inline constexpr std::uint32_t kMaximumArgb = 0xffff6262;
inline constexpr std::uint32_t kMinimumArgb = 0xff29b5e2;

} // namespace quorvane
