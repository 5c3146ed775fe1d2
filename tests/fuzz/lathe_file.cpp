// A lathe file of any bytes: no fault; a file that reads writes back as a text
// that reads to the same lathe, and writing that lathe again gives the same text.
#include "lathe.h"
#include "require.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Lathe lathe;
    const LatheProblem problem =
        ReadLathe(std::string_view(reinterpret_cast<const char*>(data), size), lathe);
    Require(problem.what.empty() || problem.line <= size + 1, "a problem's line lies within the file");
    if (problem.what.empty()) {
        const std::string text = LatheText(lathe);
        Lathe read;
        Require(ReadLathe(text, read).what.empty(), "a written lathe file reads");
        Require(read == lathe, "a written lathe file reads back to the same lathe");
        Require(LatheText(read) == text, "the same lathe writes the same text");
    }
    return 0;
}
