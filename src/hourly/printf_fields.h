#pragma once

#include <cstddef>

namespace quorvane {

// The printf conversions the hourly texts and exports use, written by hand so that
// they are fast, allocate nothing and never depend on the process locale. Each
// appends at `out` and returns the new end; nothing is null-terminated.

inline constexpr std::size_t kMaxIntField = 16;     // "%*d" of any int with width <= 11
inline constexpr std::size_t kMaxFixed1Field = 320; // "%*.1f" of any double with width <= 5

// "%<width>d", or "%0<width>d" with `zeroPad`. Width may be 0 ("%d"); wider values
// are never cut.
inline char* AppendInt(char* out, int value, int width = 0, bool zeroPad = false) {
    char digits[12];
    int count = 0;
    // Unsigned so that INT_MIN negates without overflow.
    unsigned magnitude =
        value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int length = count + (value < 0 ? 1 : 0);
    if (!zeroPad) {
        for (; length < width; ++length) {
            *out++ = ' ';
        }
    }
    if (value < 0) {
        *out++ = '-';
    }
    if (zeroPad) {
        for (; length < width; ++length) {
            *out++ = '0';
        }
    }
    while (count > 0) {
        *out++ = digits[--count];
    }
    return out;
}

// "%<width>.1f", rounded exactly as glibc's printf rounds (the binary value to the
// nearest, ties to even); inf and nan as printf writes them.
char* AppendFixed1(char* out, double value, int width = 0);

} // namespace quorvane
