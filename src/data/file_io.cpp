#include "data/file_io.h"

#include "data/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

bool IsNumberedName(std::string_view name, std::string_view prefix, int digits,
                    std::string_view suffix) {
    const std::size_t size = prefix.size() + static_cast<std::size_t>(digits) + suffix.size();
    if (name.size() != size || !name.starts_with(prefix) || !name.ends_with(suffix)) {
        return false;
    }
    const std::string_view number = name.substr(prefix.size(), static_cast<std::size_t>(digits));
    return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool FolderHoldsNumberedFile(const std::string& folder, std::string_view prefix, int digits,
                             std::string_view suffix) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code ignored;
        if (IsNumberedName(it->path().filename().string(), prefix, digits, suffix) &&
            it->is_regular_file(ignored)) {
            return true;
        }
    }
    return false;
}

std::string JoinPath(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

bool IsReadableDataFile(const std::string& path, std::uint64_t maxBytes) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           static_cast<std::uint64_t>(st.st_size) <= maxBytes;
}

int OpenDataFile(const std::string& path, std::uint64_t maxBytes) {
    // O_NONBLOCK keeps a FIFO from waiting for a writer; for a regular file it
    // changes nothing.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::uint64_t maxBytes) {
    bytes.clear();
    const int fd = OpenDataFile(path, maxBytes);
    if (fd < 0) {
        return false;
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > maxBytes) {
            ok = false; // grew while being read
            break;
        }
    }
    ::close(fd);
    if (!ok) {
        bytes.clear();
    }
    return ok;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!parent.empty()) {
        std::filesystem::create_directories(parent, error);
    }
    return WriteAtomically(path, bytes) == WriteStatus::Completed;
}

} // namespace quorvane
