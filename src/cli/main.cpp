#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
    "usage: quorvane-cli <command> [options]\n"
    "commands: slope, export, rank, monthly, mesh\n";

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::fputs(kUsage, stderr);
    return 2;
}
