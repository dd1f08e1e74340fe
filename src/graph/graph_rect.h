#pragma once

namespace quorvane {

// An integer rectangle of the graph area. It holds its left and top edges and
// excludes its right and bottom edges, as every hit test of the graphs does.
struct GraphRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
    GraphRect Translated(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    GraphRect Inflated(int d) const { return {left - d, top - d, right + d, bottom + d}; }
    friend bool operator==(const GraphRect&, const GraphRect&) = default;
};

} // namespace quorvane
