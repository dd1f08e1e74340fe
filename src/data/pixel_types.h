#pragma once

namespace quorvane {

// An integer rectangle in screen orientation (y grows downwards). It holds its left
// and top edges and excludes its right and bottom edges, so Width() is right - left
// and a pixel at x == right lies outside.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
    PixelRect Translated(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    PixelRect Inflated(int d) const { return {left - d, top - d, right + d, bottom + d}; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

} // namespace quorvane
