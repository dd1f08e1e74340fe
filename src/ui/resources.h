#pragma once

namespace quorvane {

// Registers the program's compiled-in Qt resource files (":/png/…", ":/bmp/…").
// They are linked from a static library, so each must be named once before the
// first load; the image loaders call this themselves. Idempotent.
void InitQuorvaneResources();

} // namespace quorvane
