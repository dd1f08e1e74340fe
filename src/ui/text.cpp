#include "ui/text.h"

#include "data/text_codec.h"

namespace quorvane {

QString ToWide(std::string_view cp932) {
    return ToQString(Cp932ToUtf8(cp932));
}

} // namespace quorvane
