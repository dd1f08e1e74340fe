#pragma once

#include <csignal>
#include <sys/resource.h>

namespace quorvane::test {

// Runs `write` with the process's file-size limit lowered to `bytes`, so that a
// write fails midway as on a full disk; the limit and the signal are restored after.
template <class Write>
auto WithFileSizeLimit(rlim_t bytes, Write write) {
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
    auto result = write();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    return result;
}

} // namespace quorvane::test
