#include "cli_options.h"

#include "chart.h"
#include "fit.h"
#include "number_text.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <optional>

namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

// Empty when the text is a whole number in [low, high], stored in value;
// otherwise what is wrong with it.
std::string ReadWhole(std::string_view text, std::uint32_t low, std::uint32_t high, std::string_view what,
                      std::uint32_t& value) {
    if (text.starts_with('-') && AllDigits(text.substr(1))) {
        return std::string(what) + " " + std::string(text) + " is negative";
    }
    if (!AllDigits(text)) {
        return Quoted(text) + " is not a " + std::string(what);
    }
    const std::optional<std::uint32_t> read = ReadWholeNumber(text, low, high);
    if (!read) {
        return std::string(what) + " " + std::string(text) + " is outside " + std::to_string(low) + ".." +
               std::to_string(high);
    }
    value = *read;
    return {};
}

std::string ReadTooth(std::string_view text, std::uint32_t& tooth) {
    return ReadWhole(text, kFirstTooth, kLastTooth, "tooth count", tooth);
}

// "20-99,127": tooth counts and ascending ranges, separated by commas.
std::string ReadToothList(std::string_view list, std::array<bool, kGearCount>& checked) {
    while (true) {
        auto comma = list.find(',');
        std::string_view item = list.substr(0, comma);
        auto dash = item.find('-');
        std::uint32_t first = 0;
        std::uint32_t last = 0;
        std::string problem = ReadTooth(item.substr(0, dash), first);
        if (problem.empty()) {
            last = first;
            if (dash != std::string_view::npos) {
                problem = ReadTooth(item.substr(dash + 1), last);
            }
        }
        if (problem.empty() && last < first) {
            problem = "range " + std::string(item) + " runs downward";
        }
        if (!problem.empty()) {
            return problem;
        }
        for (std::uint32_t tooth = first; tooth <= last; ++tooth) {
            checked[IndexOfTooth(tooth)] = true;
        }
        if (comma == std::string_view::npos) {
            return {};
        }
        list.remove_prefix(comma + 1);
    }
}

std::string CheckGearSet(std::string_view gearSet) {
    for (char c : gearSet) {
        if (c != '0' && c != '1' && c != '"') {
            return std::string("character ") + c + " is not 0, 1 or a quotation mark";
        }
    }
    return {};
}

// "T=K": multiplicity K of tooth count T.
std::string ReadMultiplicity(std::string_view text, MultiplicityTable& table) {
    auto equals = text.find('=');
    if (equals == std::string_view::npos) {
        return "expected T=K, a tooth count and its multiplicity, such as 40=2";
    }
    std::uint32_t tooth = 0;
    std::uint32_t count = 0;
    std::string problem = ReadTooth(text.substr(0, equals), tooth);
    if (problem.empty()) {
        problem = ReadWhole(text.substr(equals + 1), 1, 3, "multiplicity", count);
    }
    if (problem.empty()) {
        table[tooth] = static_cast<std::uint16_t>(count);
    }
    return problem;
}

std::optional<OutputFormat> ReadFormat(std::string_view text) {
    if (text == "text") {
        return OutputFormat::Text;
    }
    if (text == "csv") {
        return OutputFormat::Csv;
    }
    if (text == "json") {
        return OutputFormat::Json;
    }
    return std::nullopt;
}

std::string CheckRatio(std::string_view text) {
    if (text.empty()) {
        return "RATIO is empty";
    }
    if (text[0] == '-' && IsDecimalText(text.substr(1))) {
        return "RATIO " + Quoted(text) + " is negative";
    }
    if (!IsDecimalText(text)) {
        return "RATIO " + Quoted(text) + " is not a number (digits with at most one decimal point)";
    }
    return {};
}

// An absolute tolerance in (0, 0.1], or "Nppm" of the target with N in (0, 100000].
std::string ReadTolerance(std::string_view text, Tolerance& tolerance) {
    const std::string_view unit = text.substr(text.size() < 3 ? 0 : text.size() - 3);
    tolerance.ppm = unit.size() == 3 && std::equal(unit.begin(), unit.end(), "ppm", [](char a, char b) {
                        return a == b || a == b - 'a' + 'A';
                    });
    std::string problem =
        ReadPositiveNumber(tolerance.ppm ? text.substr(0, text.size() - 3) : text, tolerance.amount);
    if (problem.empty() && tolerance.amount > (tolerance.ppm ? 100000 : 0.1)) {
        problem = tolerance.ppm ? "is above 100000ppm" : "is above 0.1";
    }
    return problem;
}

// The problem as one line of visible text: the control characters of the
// arguments it quotes (a line break, say) written as \xNN.
std::string OneLine(std::string_view problem) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line;
    for (char c : problem) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            line += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
        } else {
            line += c;
        }
    }
    return line;
}

// A negative number stands where RATIO would, so it is taken as one, not as an option.
bool IsOption(std::string_view arg) {
    return arg.size() > 1 && arg[0] == '-' && !IsDigit(arg[1]) && arg[1] != '.';
}

// The options' texts as given, before they are read.
struct Given {
    std::optional<std::string> ratio;
    std::optional<std::string> gears;
    std::optional<std::string> teeth;
    std::vector<std::string> mult;
    bool driverLargerFirst = false;
    bool drivenSmallerFirst = false;
    std::optional<std::string> format;
    std::optional<std::string> pitch;
    std::optional<std::string> starts;
    std::optional<std::string> leadscrew;
    std::optional<std::string> fixed;
    bool every = false;
    std::optional<std::string> tolerance;
    std::optional<std::string> limit;
    std::optional<std::string> fit;
    bool metric = false;
    bool imperial = false;
    std::optional<std::string> pitches;
    std::optional<std::string> suggest;
};

// The options that the search and the chart share.
void AddSharedOptions(CLI::App& app, Given& given) {
    app.add_option("--gears", given.gears);
    app.add_option("--teeth", given.teeth);
    app.add_option("--mult", given.mult)->allow_extra_args(false);
    app.add_flag("--driver-larger-first", given.driverLargerFirst)->disable_flag_override();
    app.add_flag("--driven-smaller-first", given.drivenSmallerFirst)->disable_flag_override();
    app.add_option("--format", given.format);
    app.add_option("--leadscrew", given.leadscrew);
    app.add_option("--fixed", given.fixed);
    app.add_option("--tolerance", given.tolerance);
    app.add_option("--fit", given.fit);
}

// Reads the given texts into the request; what is wrong, or empty.
std::string ReadGiven(const Given& given, bool chart, CliRequest& request) {
    auto named = [](std::string_view name, std::string_view value, const std::string& problem) {
        return std::string(name) + " " + Quoted(value) + ": " + problem;
    };
    if (given.gears && given.teeth) {
        return "--gears " + Quoted(*given.gears) + ": the gear stock is already given by --teeth";
    }
    std::array<bool, kGearCount> checked{};
    for (int index = 0; index < kGearCount; ++index) {
        checked[index] = StartsChecked(given.gears.value_or(""), index);
    }
    if (given.gears) {
        if (std::string problem = CheckGearSet(*given.gears); !problem.empty()) {
            return named("--gears", *given.gears, problem);
        }
    }
    if (given.teeth) {
        checked.fill(false);
        if (std::string problem = ReadToothList(*given.teeth, checked); !problem.empty()) {
            return named("--teeth", *given.teeth, problem);
        }
    }
    for (int index = 0; index < kGearCount; ++index) {
        if (checked[index]) {
            request.checkedTeeth.push_back(ToothOfIndex(index));
        }
    }
    for (const std::string& mult : given.mult) {
        if (std::string problem = ReadMultiplicity(mult, request.multiplicity); !problem.empty()) {
            return named("--mult", mult, problem);
        }
    }
    request.firstDriverSmaller = !given.driverLargerFirst;
    request.firstDrivenLarger = !given.drivenSmallerFirst;
    if (given.format) {
        if (auto format = ReadFormat(*given.format)) {
            request.format = *format;
        } else {
            return named("--format", *given.format, "choose text, csv or json");
        }
    }
    if (given.pitch) {
        Pitch pitch{};
        if (std::string problem = ReadPitch(*given.pitch, pitch); !problem.empty()) {
            return "--pitch " + problem;
        }
        request.pitch = pitch;
    }
    if (given.starts) {
        if (std::string problem = ReadWhole(*given.starts, 1, kMaxStarts, "count of starts", request.starts);
            !problem.empty()) {
            return named("--starts", *given.starts, problem);
        }
    }
    if (given.leadscrew) {
        if (std::string problem = ReadPitch(*given.leadscrew, request.leadscrew); !problem.empty()) {
            return "--leadscrew " + problem;
        }
        if (request.leadscrew.unit != PitchUnit::Mm && request.leadscrew.unit != PitchUnit::Tpi) {
            return named("--leadscrew", *given.leadscrew, "a leadscrew's pitch is in mm or tpi");
        }
    }
    if (given.fixed) {
        if (std::string problem = ReadPositiveNumber(*given.fixed, request.fixed); !problem.empty()) {
            return "--fixed " + Quoted(*given.fixed) + " " + problem;
        }
    }
    request.every = given.every;
    if (given.tolerance) {
        if (std::string problem = ReadTolerance(*given.tolerance, request.tolerance); !problem.empty()) {
            return "--tolerance " + Quoted(*given.tolerance) + " " + problem;
        }
    }
    if (given.limit) {
        std::uint32_t limit = 0;
        if (std::string problem = ReadWhole(*given.limit, 0, 0xFFFFFFFF, "limit", limit); !problem.empty()) {
            return named("--limit", *given.limit, problem);
        }
        request.limit = limit;
    }
    if (given.fit) {
        std::uint32_t margin = 0;
        if (std::string problem = ReadWhole(*given.fit, 0, kMaxFitMargin, "margin", margin);
            !problem.empty()) {
            return named("--fit", *given.fit, problem);
        }
        request.fitMargin = margin;
    }
    if (given.pitches) {
        std::string_view list = *given.pitches;
        for (std::size_t comma = 0; comma != std::string_view::npos; list.remove_prefix(comma + 1)) {
            comma = list.find(',');
            Pitch pitch{};
            if (std::string problem = ReadPitch(list.substr(0, comma), pitch); !problem.empty()) {
                return named("--pitches", *given.pitches, problem);
            }
            request.chartPitches.push_back(pitch);
        }
    }
    if (given.metric) {
        request.chartPitches = MetricPitches();
    }
    if (given.imperial) {
        request.chartPitches = ImperialPitches();
    }
    if (given.suggest) {
        if (std::string problem = ReadWhole(*given.suggest, 1, kGearCount, "count", request.suggest);
            !problem.empty()) {
            return named("--suggest", *given.suggest, problem);
        }
    }

    // What goes with what.
    if (chart) {
        if (given.ratio) {
            return "RATIO " + Quoted(*given.ratio) + " does not go with chart";
        }
        for (const auto& [isGiven, name] : {std::pair{given.every, "--every"},
                                            {given.pitch.has_value(), "--pitch"},
                                            {given.starts.has_value(), "--starts"},
                                            {given.limit.has_value(), "--limit"}}) {
            if (isGiven) {
                return std::string(name) + " does not go with chart";
            }
        }
        if (!given.leadscrew) {
            return "chart needs --leadscrew";
        }
        if (given.metric + given.imperial + given.pitches.has_value() != 1) {
            return given.metric || given.imperial || given.pitches
                       ? "chart takes one pitch list: --metric, --imperial or --pitches"
                       : "chart needs a pitch list: --metric, --imperial or --pitches";
        }
        return {};
    }
    if (given.pitch && given.ratio) {
        return "RATIO " + Quoted(*given.ratio) + " and --pitch both give the target; give one";
    }
    if (!given.pitch) {
        for (const auto& [option, name] : {std::pair{given.leadscrew, "--leadscrew"},
                                           {given.starts, "--starts"},
                                           {given.fixed, "--fixed"}}) {
            if (option) {
                return std::string(name) + " " + Quoted(*option) + " needs --pitch";
            }
        }
        if (!given.ratio) {
            return "RATIO is missing";
        }
        if (std::string problem = CheckRatio(*given.ratio); !problem.empty()) {
            return problem;
        }
        request.ratioText = *given.ratio;
    } else if (!given.leadscrew) {
        return "--pitch " + Quoted(*given.pitch) + " needs --leadscrew";
    }
    if (!given.every) {
        if (given.tolerance) {
            return "--tolerance " + Quoted(*given.tolerance) + " needs --every";
        }
        if (given.limit) {
            return "--limit " + Quoted(*given.limit) + " needs --every";
        }
    }
    return {};
}

// Arguments that CLI11 took for none of the options: a RATIO that looks like
// an option to it (such as -.5), or what is not known.
std::string ReadLeftOver(const std::vector<std::string>& leftOver, bool chart, Given& given) {
    for (const std::string& arg : leftOver) {
        if (IsOption(arg)) {
            return "unknown option " + Quoted(arg) + (chart ? " for chart" : "");
        }
        if (chart || given.ratio) {
            return "unexpected argument " + Quoted(arg) +
                   (chart ? " (chart takes no RATIO)" : " after RATIO " + Quoted(*given.ratio));
        }
        given.ratio = arg;
    }
    return {};
}

} // namespace

Thread ThreadOf(const CliRequest& request, const Pitch& pitch) {
    return {pitch, request.starts, request.leadscrew, request.fixed};
}

double TargetOf(const CliRequest& request) {
    return request.pitch ? TargetRatio(ThreadOf(request, *request.pitch)) : RatioFromText(request.ratioText);
}

CliParse ParseArguments(std::span<const std::string_view> args) {
    CliParse parse;
    auto fail = [&parse](const std::string& problem) {
        parse.action = CliAction::BadArgument;
        parse.error = "tandrel-cli: " + OneLine(problem) + " (see tandrel-cli --help)";
        return parse;
    };
    for (std::string_view arg : args) {
        if (arg == "--help" || arg == "-h") {
            parse.action = CliAction::Help;
            return parse;
        }
        if (arg == "--version") {
            parse.action = CliAction::Version;
            return parse;
        }
    }

    Given given;
    CLI::App app;
    app.set_help_flag();
    app.allow_extras();
    app.add_option("RATIO", given.ratio);
    AddSharedOptions(app, given);
    app.add_option("--pitch", given.pitch);
    app.add_option("--starts", given.starts);
    app.add_flag("--every", given.every)->disable_flag_override();
    app.add_option("--limit", given.limit);
    CLI::App* chart = app.add_subcommand("chart");
    chart->set_help_flag();
    chart->allow_extras();
    AddSharedOptions(*chart, given);
    chart->add_flag("--metric", given.metric)->disable_flag_override();
    chart->add_flag("--imperial", given.imperial)->disable_flag_override();
    chart->add_option("--pitches", given.pitches);
    chart->add_option("--suggest", given.suggest);

    std::vector<std::string> reversed(args.rbegin(), args.rend()); // CLI11 takes them last first
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        return fail(error.what());
    }
    const bool isChart = chart->parsed();
    std::string problem = ReadLeftOver(app.remaining(), false, given);
    if (problem.empty()) {
        problem = ReadLeftOver(chart->remaining(), true, given);
    }
    if (problem.empty()) {
        problem = ReadGiven(given, isChart, parse.request);
    }
    if (!problem.empty()) {
        return fail(problem);
    }
    parse.action = isChart ? CliAction::Chart : CliAction::Search;
    return parse;
}

std::string_view UsageText() {
    return R"(Usage: tandrel-cli [OPTIONS] RATIO
       tandrel-cli [OPTIONS] --pitch P --leadscrew L [--starts N] [--fixed R]
       tandrel-cli chart [OPTIONS] --leadscrew L (--metric | --imperial | --pitches LIST)

Finds the four-gear trains, built from the gears on hand, whose ratio
(driver 1 x driver 2) / (driven 1 x driven 2) lies near the target, and prints
them ordered by error. The target is RATIO, or the ratio that cuts a thread.

RATIO                     the target ratio: digits with at most one decimal
                          point; its first 17 characters count
--pitch P                 the thread to cut, a number with its unit: 1.25mm,
                          11tpi, 1.5module (a worm's module) or 20dp
                          (diametral pitch); the unit in any case
--starts N                the thread's starts (default 1): lead = pitch x N
--leadscrew L             the leadscrew's pitch: 2mm or 8tpi
--fixed R                 the gearing outside the change gears, from spindle
                          to leadscrew (default 1); target = lead / (L x R)

The bisection search (default) is the window's: within 0.002 of the target,
at most 100 trains, and not every train there is. --every finds them all:
--every                   the every-train search: every train within the
                          tolerance, one per set of four tooth counts
--tolerance T             with --every and chart: the largest error, below
                          which a train is kept: 0.002 (default), or Nppm of
                          the target such as 50ppm; at most 0.1 or 100000ppm
--limit N                 with --every: list the best N trains (default 100,
                          0 lists all); the count of all is printed
--fit M                   keep only trains that fit on the banjo with a margin
                          of M teeth (0 to 200): gear A on the spindle meshes B
                          on the stud, C beside B meshes D on the leadscrew,
                          and A + B >= C + M, C + D >= B + M

--gears STRING            the gears on hand as a gear-set string: character i
                          stands for tooth count 16 + i, '1' means on hand,
                          '0' or '"' not; an empty STRING means 20 to 99
--teeth LIST              the gears on hand as tooth counts and ranges from
                          16 to 165, such as 20-99,127
                          (without --gears or --teeth: 20 to 99)
--mult T=K                K gears of tooth count T on hand (K is 1, 2 or 3;
                          1 for every tooth count not named); repeatable
--driver-larger-first     show the larger driver first
--driven-smaller-first    show the smaller driven gear first
--format text|csv|json    the output form (default text)
-h, --help                show this help
--version                 show the version

chart: for every pitch of the list, its best train from the every-train
search, or that none is within tolerance; takes the gear, --fixed, --fit,
--tolerance and --format options and:
--metric                  the ISO metric pitches, 0.2 to 6 mm
--imperial                the usual inch threads, 4 to 80 TPI
--pitches LIST            pitches of your own, such as 8tpi,11tpi,1.25mm
--suggest N               the N tooth counts, not yet on hand, of which one
                          gear would improve the chart most: more threads
                          within tolerance, then a smaller worst lead error

text: the outcome (Searched, NoStock or OutOfRange), the candidate count, then
one line per train: its number, first driver, first driven, second driver,
second driven, achieved ratio, error (achieved ratio minus the target) and the
error's count of zeros after the decimal point (blank when not 1 to 13); with
a thread, the lead it cuts and its error in ppm; with --fit, the gears A B C D.
csv: a header line and the same columns per train. json: one object.

Exit codes: 0 when the search ran (also when it found nothing), 1 when the
output could not be written, 2 for a bad argument.

Examples: tandrel-cli --teeth 20-80,127 --mult 40=2 1.5875
          tandrel-cli --every --pitch 11tpi --leadscrew 3mm --fit 20
          tandrel-cli chart --leadscrew 8tpi --metric --suggest 3
)";
}
