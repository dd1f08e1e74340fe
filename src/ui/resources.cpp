#include "ui/resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitResourceFiles() {
    Q_INIT_RESOURCE(ui);
    Q_INIT_RESOURCE(app);
}

namespace quorvane {

void InitQuorvaneResources() {
    static const bool done = [] {
        InitResourceFiles();
        return true;
    }();
    (void)done;
}

} // namespace quorvane
