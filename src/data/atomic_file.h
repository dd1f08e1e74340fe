#pragma once

#include "data/write_status.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Over the file-size limit the kernel kills the process with SIGXFSZ, leaving the
// temporary file behind and the user without a message; ignored, the write fails
// with EFBIG and is reported like any other. Programs call this once at start.
void IgnoreFileSizeSignal();

// The file a write to `path` must replace: a symbolic link the user chose as the
// target stays a link and the file it points to (followed to the end, dangling or
// not) is written instead, with the temporary file beside that.
std::string ResolveWriteTarget(std::string path);

// Writes a user's file through a temporary file in the same folder that is
// renamed over the target only when every byte was written, so a failed write
// never leaves the user's existing file damaged or half-written. A symbolic link
// as the target is kept: the file it points to is replaced.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string targetPath);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False when the temporary file could not be created or the target was refused.
    bool IsOpen() const { return fd_ >= 0; }
    bool TargetIsInput() const { return targetIsInput_; }

    // Buffered; the first failure is remembered and later writes are ignored.
    void Write(std::string_view bytes);

    // Flushes, closes and renames into place. Without a call (or after a failure)
    // the temporary file is removed and the target is left as it was. TargetIsInput:
    // the target is a file the program reads (see program_inputs.h).
    WriteStatus Commit();

private:
    bool Flush();
    void Discard();

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool failed_ = false;
    bool targetIsInput_ = false;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

// The whole of `bytes` as the file `path`, through an AtomicFileWriter.
WriteStatus WriteAtomically(const std::string& path, std::string_view bytes);

} // namespace quorvane
