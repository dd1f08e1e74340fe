#include "data/text_codec.h"

#include <cerrno>
#include <iconv.h>

namespace quorvane {

namespace {

// Without a converter the text must not pass through as it is: CP932 bytes are not
// UTF-8 and UTF-8 bytes are not CP932. ASCII is the same in both.
std::string AsciiOnly(std::string_view in, std::string_view replacement) {
    std::string out;
    for (char c : in) {
        if (static_cast<unsigned char>(c) < 0x80) {
            out += c;
        } else {
            out.append(replacement);
        }
    }
    return out;
}

std::string Convert(std::string_view in, const char* to, const char* from,
                    std::string_view replacement, TextConversion* result) {
    TextConversion ignored;
    TextConversion& status = result != nullptr ? *result : ignored;
    status = TextConversion::Complete;
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        status = TextConversion::Unavailable;
        return AsciiOnly(in, replacement);
    }
    out.reserve(in.size() * 3 / 2 + 4);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[1024];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) {
                continue;
            }
            // EILSEQ or EINVAL (truncated sequence): replace one byte and go on.
            out.append(replacement);
            status = TextConversion::Replaced;
            ++src;
            --srcLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    iconv_close(cd);
    return out;
}

} // namespace

std::string Cp932ToUtf8(std::string_view cp932, TextConversion* result) {
    return Convert(cp932, "UTF-8", "CP932", "\xEF\xBF\xBD", result);
}

std::string Utf8ToCp932(std::string_view utf8, TextConversion* result) {
    return Convert(utf8, "CP932", "UTF-8", "?", result);
}

} // namespace quorvane
