#include "ui/app_style.h"

#include "ui/image.h"

namespace quorvane {

AppStyle::AppStyle()
    : background_(255, 250, 200), brush_(background_),
      font_(CreatePixelFont(GothicFace(), FontStyle::Regular, 12)) {}

const AppStyle& AppStyle::Get() {
    static const AppStyle style;
    return style;
}

} // namespace quorvane
