#include "map/map_pictures.h"

#include <cstdio>
#include <filesystem>

namespace quorvane {

namespace {

bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::string MapPicturePath(const std::string& mapFolder, int recordIndex) {
    char name[48];
    std::snprintf(name, sizeof name, "/map/mapA/%dh.jpg", recordIndex);
    return mapFolder + name;
}

std::string SheetPicturePath(const std::string& mapFolder, int sheet) {
    char name[48];
    std::snprintf(name, sizeof name, "/map/mapB/%d-%d.jpg", sheet / 10, sheet % 10);
    return mapFolder + name;
}

bool MapPictureExists(const std::string& mapFolder, int recordIndex) {
    return recordIndex >= 0 && IsRegularFile(MapPicturePath(mapFolder, recordIndex));
}

bool SheetPictureExists(const std::string& mapFolder, int sheet) {
    int quarter = sheet % 10;
    return sheet > 0 && quarter >= 1 && quarter <= 4 &&
           IsRegularFile(SheetPicturePath(mapFolder, sheet));
}

} // namespace quorvane
