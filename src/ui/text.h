#pragma once

#include <QString>
#include <string_view>

namespace quorvane {

// UTF-8 text of the core as a QString.
inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// CP932 bytes (data-file text) as a QString.
QString ToWide(std::string_view cp932);

} // namespace quorvane
