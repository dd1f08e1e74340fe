#include "data/file_io.h"

#include "data/atomic_file.h"

#include <cstdio>
#include <filesystem>

namespace quorvane {

std::string JoinPath(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!parent.empty()) {
        std::filesystem::create_directories(parent, error);
    }
    AtomicFileWriter writer(path);
    if (!writer.IsOpen()) {
        return false;
    }
    writer.Write(bytes);
    return writer.Commit() == AtomicFileWriter::Status::Ok;
}

} // namespace quorvane
