// The settings file: the folders as the program reads them, and a value written
// into the text, which must read back.
#include "data/ini_file.h"
#include "data/settings.h"

#include "fuzz_support.h"

#include <cstdlib>

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteInput("system.ini", data, size);
    ReadDataFolders(path);
    std::string text(fuzz::AsText(data, size));
    if (SetIniValue(text, "DataDir", "Horix", "/srv/horix") &&
        FindIniValue(text, "DataDir", "Horix") != "/srv/horix") {
        std::abort(); // a written value must read back
    }
    return 0;
}
