// The printable chart with a lathe name and a pitch list of any bytes (the
// first line and the rest): no fault, and every text is escaped: the page
// holds as many '<' and '>' as the same page under a plain name, and the name
// appears escaped.
#include "chart_page.h"
#include "gear_list.h"
#include "require.h"
#include "train_svg.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

std::size_t Brackets(const std::string& page) {
    return static_cast<std::size_t>(
        std::count_if(page.begin(), page.end(), [](char c) { return c == '<' || c == '>'; }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    const std::string name(input.substr(0, newline));
    ChartRequest request;
    request.lathe.leadscrew = {3, PitchUnit::Mm};
    request.search.tolerance = kThreadTolerance;
    ReadGearList("20-80/5", request.search.stock);
    if (newline != std::string_view::npos) {
        ReadPitchList(input.substr(newline + 1), request.pitches);
        request.pitches.resize(std::min<std::size_t>(request.pitches.size(), 8));
    }
    const Chart chart = MakeChart(request);
    const std::string page = ChartPage(request, chart, {name, "2024-05-01"});
    const std::string plain = ChartPage(request, chart, {name.empty() ? "" : "x", "2024-05-01"});
    Require(Brackets(page) == Brackets(plain), "the lathe's name adds no tag");
    Require(page.find("Thread chart" + std::string(name.empty() ? "" : ": ") + EscapeHtml(name)) !=
                std::string::npos,
            "the name appears escaped");
    return 0;
}
