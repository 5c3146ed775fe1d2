// tandrel-cli: runs the gear-train search or prints a thread chart once; see RunTool.
#include "tool.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // Keep "\n" as it is, so that both platforms print the same bytes.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    std::string out;
    std::string err;
    const int exitCode = RunTool(args, out, err);
    std::fputs(err.c_str(), stderr);
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fputs("tandrel-cli: cannot write the output\n", stderr);
        return 1;
    }
    return exitCode;
}
