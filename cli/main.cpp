// tandrel-cli: runs the gear-train search once and prints every train found,
// with the texts the window would show for it.
#include "cli_options.h"
#include "cli_output.h"
#include "gear_search.h"
#include "number_text.h"

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
    std::vector<std::string_view> args(argv + 1, argv + argc);
    CliParse parse = ParseArguments(args);
    if (parse.action == CliAction::BadArgument) {
        std::fputs((parse.error + "\n").c_str(), stderr);
        return 2;
    }

    std::string out;
    if (parse.action == CliAction::Help) {
        out = UsageText();
    } else {
        const CliRequest& request = parse.request;
        SearchResult result =
            FindGearTrains(RatioFromText(request.ratioText), request.checkedTeeth,
                           [&request](std::uint32_t tooth) { return request.multiplicity.at(tooth); });
        out = FormatResult(request, result);
    }
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fputs("tandrel-cli: cannot write the output\n", stderr);
        return 1;
    }
    return 0;
}
