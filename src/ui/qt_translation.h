#pragma once

namespace quorvane {

// Installs Qt's own Japanese texts (qtbase_ja) and makes Japanese the default locale,
// so that the file, folder and print dialogs and the message boxes' buttons speak the
// program's language. Returns false,
// and changes nothing, where the translation is not installed: those dialogs then
// stay in English and everything else works.
bool InstallQtTranslation();

} // namespace quorvane
