#include "data/atomic_file.h"

#include "data/program_inputs.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace quorvane {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

mode_t NewFileMode(const std::string& target) {
    struct stat st {};
    if (stat(target.c_str(), &st) == 0) {
        return st.st_mode & 07777;
    }
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::string ResolveWriteTarget(std::string path) {
    namespace fs = std::filesystem;
    for (int depth = 0; depth < 40; ++depth) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error)) || error) {
            return path;
        }
        const fs::path next = fs::read_symlink(path, error);
        if (error) {
            return path;
        }
        path = next.is_absolute() ? next.string() : (fs::path(path).parent_path() / next).string();
    }
    return path;
}

void IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

AtomicFileWriter::AtomicFileWriter(std::string targetPath)
    : target_(ResolveWriteTarget(std::move(targetPath))) {
    if (IsProtectedInput(target_)) {
        targetIsInput_ = true;
        return;
    }
    struct stat st {};
    if (stat(target_.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        return; // a folder or device is never replaced
    }
    std::string pattern = target_ + ".XXXXXX";
    fd_ = mkstemp(pattern.data());
    if (fd_ < 0) {
        return;
    }
    temp_ = pattern;
    fchmod(fd_, NewFileMode(target_));
    buffer_.resize(kBufferSize);
}

AtomicFileWriter::~AtomicFileWriter() {
    Discard();
}

void AtomicFileWriter::Write(std::string_view bytes) {
    if (fd_ < 0 || failed_) {
        return;
    }
    while (!bytes.empty()) {
        if (used_ == buffer_.size() && !Flush()) {
            return;
        }
        std::size_t n = std::min(bytes.size(), buffer_.size() - used_);
        std::memcpy(buffer_.data() + used_, bytes.data(), n);
        used_ += n;
        bytes.remove_prefix(n);
    }
}

bool AtomicFileWriter::Flush() {
    std::size_t done = 0;
    while (done < used_) {
        ssize_t n = ::write(fd_, buffer_.data() + done, used_ - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            failed_ = true;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    used_ = 0;
    return true;
}

WriteStatus AtomicFileWriter::Commit() {
    if (fd_ < 0) {
        return targetIsInput_ ? WriteStatus::TargetIsInput : WriteStatus::CannotCreate;
    }
    if (failed_ || !Flush() || ::close(fd_) != 0) {
        if (!failed_) {
            fd_ = -1; // close() failed: the descriptor is gone either way
        }
        failed_ = true;
        Discard();
        return WriteStatus::WriteFailed;
    }
    fd_ = -1;
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) {
        Discard();
        return WriteStatus::WriteFailed;
    }
    temp_.clear();
    return WriteStatus::Completed;
}

void AtomicFileWriter::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

WriteStatus WriteAtomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer(path);
    if (writer.IsOpen()) {
        writer.Write(bytes);
    }
    return writer.Commit();
}

} // namespace quorvane
