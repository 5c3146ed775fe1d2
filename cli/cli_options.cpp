#include "cli_options.h"

#include "banjo.h"
#include "banjo_form.h"
#include "fit.h"
#include "gear_list.h"
#include "gear_set.h"
#include "lathe.h"
#include "load_lathe.h"
#include "number_text.h"
#include "request.h"
#include "version.h"

#include <CLI/CLI.hpp>

#include <optional>

namespace {

// NAME 'TEXT' PROBLEM: how every refused argument is named.
[[noreturn]] void Refuse(const std::string& name, std::string_view text, const std::string& problem) {
    throw CLI::ValidationError(Refusal(name, text, problem));
}

// An option whose text a reader turns into its value; the reader says what is
// wrong with a text it refuses.
template <class T, class Read>
CLI::Option* AddRead(CLI::App& app, const std::string& name, T& value, Read read, const std::string& help) {
    const auto take = [name, &value, read](const std::string& text) {
        if (std::string problem = read(text, value); !problem.empty()) {
            Refuse(name, text, problem);
        }
    };
    return app.add_option_function<std::string>(name, take, help);
}

auto WholeFrom(std::uint32_t low, std::uint32_t high) {
    return [low, high](std::string_view text, std::uint32_t& value) {
        return ReadWholeNumber(text, low, high, value);
    };
}

// "20-80/5, 35x2, 127": a gear list (gear_list.h), not empty.
std::string ReadTeeth(std::string_view list, Stock& stock) {
    if (list.empty()) {
        return "is empty";
    }
    if (std::string problem = ReadGearList(list, stock); !problem.empty()) {
        return "has " + problem;
    }
    return {};
}

// A gear-set string, not empty: on the command line an empty one would stand
// for the default set, which is no way to ask for it.
std::string ReadGearSet(std::string_view gearSet, Stock& stock) {
    if (gearSet.empty()) {
        return "is an empty gear-set string";
    }
    std::array<bool, kGearCount> checked{};
    if (std::string problem = ReadGearSetString(gearSet, checked); !problem.empty()) {
        return problem;
    }
    stock = StockOf(checked, AllMultiplicitiesOne());
    return {};
}

// "T=K": K gears of tooth count T on hand.
std::string ReadMultiplicity(std::string_view text, MultiplicityTable& table) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return "is not T=K, a tooth count and its multiplicity, such as 40=2";
    }
    const std::string_view toothText = text.substr(0, equals);
    const std::string_view countText = text.substr(equals + 1);
    std::uint32_t tooth = 0;
    std::uint32_t count = 0;
    if (std::string problem = WholeFrom(kFirstTooth, kLastTooth)(toothText, tooth); !problem.empty()) {
        return "has the tooth count " + Quoted(toothText) + ", which " + problem;
    }
    if (std::string problem = WholeFrom(1, kMaxMultiplicity)(countText, count); !problem.empty()) {
        return "has the multiplicity " + Quoted(countText) + ", which " + problem;
    }
    table[tooth] = static_cast<std::uint16_t>(count);
    return {};
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

// The values the options are read into, before they make the request. What a
// lathe file (--lathe) gives is taken for what no option gives.
struct Values {
    std::optional<double> ratio;
    std::optional<Lathe> lathe;
    std::optional<Stock> stock;       // --gears or --teeth
    MultiplicityTable multiplicity{}; // --mult; 0 where none is given
    bool driverLargerFirst = false;
    bool drivenSmallerFirst = false;
    std::string format = "text";
    std::optional<Pitch> pitch;
    std::uint32_t starts = 1;
    std::optional<Pitch> leadscrew;
    std::optional<double> fixed;
    bool every = false;
    std::optional<Tolerance> tolerance; // without --tolerance: 0.002, or the thread's (LatheSearch)
    std::uint32_t limit = 100;
    bool count = false;
    std::optional<std::string> fit; // --fit, as given after it (empty when bare); its margin in fitMargin
    std::optional<std::uint32_t> fitMargin;
    std::string train = "4";
    std::optional<double> module; // the banjo: --module or --dp
    std::optional<double> dp;
    std::optional<double> centreDistance;
    std::optional<double> studMin;
    std::optional<double> studMax;
    std::optional<double> clearance;
    std::optional<std::uint32_t> maxA;
    std::optional<std::uint32_t> maxLast;
    bool metric = false;
    bool imperial = false;
    std::vector<Pitch> pitches;
    std::uint32_t suggest = 0;
    bool plateGears = false;
};

// A reader into an optional value, which holds one once it is read.
template <class T, class Read> auto Given(Read read) {
    return [read](std::string_view text, std::optional<T>& value) {
        T read_value{};
        std::string problem = read(text, read_value);
        if (problem.empty()) {
            value = read_value;
        }
        return problem;
    };
}

const char* const kFooter = R"(
Finds the four-gear trains, built from the gears on hand, whose ratio
(driver 1 x driver 2) / (driven 1 x driven 2) lies near the target, and prints
them ordered by error. The target is RATIO, or the ratio that cuts a thread.

The bisection search (default for RATIO) is the window's: within 0.002 of
the target, at most 100 trains, and not every train there is. --every finds
them all. A thread (--pitch) is always searched as --every searches, within
1000 ppm of its lead unless --tolerance says otherwise. --train 2, 6 or any
finds every simple train (a driver, an idler, a driven gear), every six-gear
train, or every train of the three kinds: by the error plus a tenth of the
tolerance for each pair of gears beyond the first, so fewer gears first where
the errors lie within a tenth of the tolerance.

text: the outcome (Searched, or why no search ran), the candidate count and,
for a complete search, the count of trains (with --train 6 or any both "not
counted" unless --count asks for them), then one line per train: its number, first driver, first driven, second driver,
second driven, achieved ratio, error (achieved ratio minus the target) and the
error's count of zeros after the decimal point (blank when not 1 to 13); with
a thread, the lead it cuts in the thread's unit and its error in ppm and in
µm over 25 mm or thou per inch; with --fit or the banjo, the gears A B C D as
they go on and the stud's distance from the leadscrew. With --train 2, 6 or
any, each line gives the count of gears and then the gears in the order of the
Positions line where they were arranged, otherwise as drivers and driven
gears. When a complete search finds no train, the nearest ones within 1 % of
the target follow, each saying how far off it is ("outside 0.1 %: 0.34 %
short"), or "no usable train within 1 %".
csv: a header line and the same columns per train. json: one object.

Exit codes: 0 when the search ran (also when it found nothing), 1 when the
output could not be written, 2 for a bad argument.

Examples: tandrel-cli --teeth 20-80,127 --mult 40=2 1.5875
          tandrel-cli --every --pitch 11tpi --leadscrew 3mm --fit 20
          tandrel-cli --train 2 --pitch 16tpi --leadscrew 8tpi
          tandrel-cli chart --leadscrew 8tpi --metric --suggest 3
          tandrel-cli chart --lathe mini.tandrel --metric)";

// The banjo's geometry, lengths in mm; with it --fit keeps the trains that
// mount, and the trains that mount show their positions.
void AddBanjoOptions(CLI::App& app, Values& v) {
    const std::string banjo =
        "Banjo (lengths in mm; --module or --dp, --centre-distance and the slot together, or each over "
        "the lathe file's)";
    const auto length = Given<double>(ReadPositiveNumber);
    CLI::Option* module = AddRead(app, "--module", v.module, length, "the change gears' module m")
                              ->type_name("M")
                              ->group(banjo);
    AddRead(app, "--dp", v.dp, Given<double>(ReadDiametralPitchText),
            "or their diametral pitch (m = 25.4 / dp)")
        ->type_name("P")
        ->excludes(module)
        ->group(banjo);
    AddRead(app, "--centre-distance", v.centreDistance, length,
            "from the spindle's output shaft (gear A) to the leadscrew")
        ->type_name("D")
        ->group(banjo);
    AddRead(app, "--stud-min", v.studMin, length,
            "the slot: the least distance from the leadscrew to the stud")
        ->type_name("S")
        ->group(banjo);
    AddRead(app, "--stud-max", v.studMax, length, "and the largest")->type_name("S")->group(banjo);
    AddRead(app, "--clearance", v.clearance, Given<double>(ReadClearanceText),
            "the least gap between a gear's tips and a shaft it passes (default 3)")
        ->type_name("C")
        ->group(banjo);
    AddRead(app, "--max-a", v.maxA, Given<std::uint32_t>(WholeFrom(kFirstTooth, kLastTooth)),
            "the largest gear the spindle takes")
        ->type_name("T")
        ->group(banjo);
    AddRead(app, "--max-last", v.maxLast, Given<std::uint32_t>(WholeFrom(kFirstTooth, kLastTooth)),
            "the largest gear the leadscrew takes")
        ->type_name("T")
        ->group(banjo);
}

// The banjo the options give, each over the lathe file's, or what is missing
// or wrong in them: named by its option, or as the lathe's where the file gave it.
std::string ReadBanjo(const Values& v, std::optional<Banjo>& banjo) {
    const std::optional<Banjo> file = v.lathe ? v.lathe->banjo : std::nullopt;
    if (!v.module && !v.dp && !v.centreDistance && !v.studMin && !v.studMax && !v.clearance && !v.maxA &&
        !v.maxLast) {
        banjo = file;
        return {};
    }
    BanjoFigures figures;
    if (file) {
        figures = {.module = file->module,
                   .centreDistance = file->centreDistance,
                   .studMin = file->studMin,
                   .studMax = file->studMax,
                   .clearance = file->clearance,
                   .maxA = file->maxA,
                   .maxLast = file->maxLast};
    }
    if (v.module || v.dp) {
        figures.module = v.module;
        figures.dp = v.dp;
    }
    const auto over = [](auto& figure, const auto& option) {
        if (option) {
            figure = option;
        }
    };
    over(figures.centreDistance, v.centreDistance);
    over(figures.studMin, v.studMin);
    over(figures.studMax, v.studMax);
    over(figures.clearance, v.clearance);
    over(figures.maxA, v.maxA);
    over(figures.maxLast, v.maxLast);
    const bool fileMin = file && !v.studMin;
    const bool fileMax = file && !v.studMax;
    const BanjoNames names{.module = "--module",
                           .dp = "--dp",
                           .centreDistance = "--centre-distance",
                           .studMin = fileMin ? "stud_min" : "--stud-min",
                           .studMax = fileMax ? "stud_max" : "--stud-max",
                           .studMinOwner = fileMin ? "the lathe's " : "",
                           .studMaxOwner = fileMax ? "the lathe's " : "",
                           .quoted = true};
    Banjo read;
    if (std::string problem = BanjoOf(figures, names, read); !problem.empty()) {
        return problem;
    }
    banjo = read;
    return {};
}

// The gear stock, the display order, the format and the fit: the search's and the chart's.
// The gears on hand: a gear-set string or a gear list, the multiplicities, a lathe file.
void AddGearOptions(CLI::App& app, Values& v) {
    const std::string gears = "Gears on hand (without --gears, --teeth or --lathe: 20 to 99)";
    CLI::Option* gearSet =
        AddRead(app, "--gears", v.stock, Given<Stock>(ReadGearSet),
                "a gear-set string: character i stands for tooth count 16 + i, '1' on hand")
            ->type_name("STRING")
            ->group(gears);
    AddRead(app, "--teeth", v.stock, Given<Stock>(ReadTeeth),
            "a gear list of tooth counts from 16 to 165: counts, ranges and ranges with a step, xK "
            "for K of a size, such as 20-80/5,35x2,127")
        ->type_name("LIST")
        ->excludes(gearSet)
        ->group(gears);
    app.add_option_function<std::vector<std::string>>(
           "--mult",
           [&v](const std::vector<std::string>& texts) {
               for (const std::string& text : texts) {
                   if (std::string problem = ReadMultiplicity(text, v.multiplicity); !problem.empty()) {
                       Refuse("--mult", text, problem);
                   }
               }
           },
           "K (1 to 3) gears of tooth count T on hand; repeatable")
        ->type_name("T=K")
        ->allow_extra_args(false)
        ->group(gears);
    app.add_option_function<std::string>(
           "--lathe",
           [&v](const std::string& file) {
               Lathe lathe;
               if (LatheProblem problem = LoadLathe(file, lathe); !problem.what.empty()) {
                   throw CLI::ValidationError("--lathe " + DescribeLatheProblem(Quoted(file), problem));
               }
               v.lathe = lathe;
           },
           "a lathe file (.tandrel): its gears, leadscrew, fixed ratio, fit margin, banjo and chart list, "
           "for each that no option gives")
        ->type_name("FILE")
        ->group(gears);
}

void AddOutputOptions(CLI::App& app, Values& v) {
    const std::string output = "Output";
    app.add_flag("--driver-larger-first", v.driverLargerFirst, "show the larger driver first")
        ->disable_flag_override()
        ->group(output);
    app.add_flag("--driven-smaller-first", v.drivenSmallerFirst, "show the smaller driven gear first")
        ->disable_flag_override()
        ->group(output);
    app.add_option("--format", v.format, "the output form (default text); html: chart only, a printable page")
        ->check(CLI::IsMember({"text", "csv", "json", "html"}))
        ->type_name("FORMAT")
        ->group(output);
}

// How --fit takes its margin: only as --fit=M, which leaves the argument after
// it to RATIO, or also as the argument after it.
enum class FitMargin { Attached, AttachedOrNext };

// Which trains: the fit, the kind of train and the banjo.
void AddTrainOptions(CLI::App& app, Values& v, FitMargin fitMargin) {
    const auto readFit = [&v, fitMargin](std::string_view text, std::optional<std::uint32_t>& margin) {
        v.fit = text;
        if (fitMargin == FitMargin::AttachedOrNext && !std::ranges::all_of(text, IsDigit)) {
            throw CLI::ValidationError("--fit takes its margin in teeth as --fit=M; " + std::string(text) +
                                       " is not a margin");
        }
        return text.empty() ? std::string() : Given<std::uint32_t>(WholeFrom(0, kMaxFitMargin))(text, margin);
    };
    AddRead(app, "--fit", v.fitMargin, readFit,
            "only trains that fit on the banjo: by its geometry when given (then --fit takes no value), "
            "otherwise with M teeth (0 to 200) to spare, as --fit=M (or --fit M): A (spindle) meshes B "
            "(stud), C beside B meshes D (leadscrew); A + B >= C + M, C + D >= B + M")
        ->type_name("[M]")
        ->expected(0, fitMargin == FitMargin::Attached ? 0 : 1)
        ->group("Search");
    app.add_option("--train", v.train,
                   "the trains: 2 (simple, with an idler), 4 (default), 6, or any (all three, fewer "
                   "gears first within a tenth of the tolerance); all but 4 search every train")
        ->check(CLI::IsMember({"2", "4", "6", "any"}))
        ->type_name("KIND")
        ->group("Search");
    AddBanjoOptions(app, v);
}

void AddSharedOptions(CLI::App& app, Values& v, FitMargin fitMargin) {
    AddGearOptions(app, v);
    AddOutputOptions(app, v);
    AddTrainOptions(app, v, fitMargin);
    app.add_flag("--plate-gears", v.plateGears,
                 "behind the lathe file's gearbox, only the plate's gears: which setting comes nearest")
        ->disable_flag_override()
        ->group("Thread");
}

CLI::Option* AddLeadscrew(CLI::App& app, Values& v) {
    return AddRead(app, "--leadscrew", v.leadscrew, Given<Pitch>(ReadLeadscrew),
                   "the leadscrew's pitch: 2mm, 8tpi or 0.2in")
        ->type_name("L")
        ->group("Thread");
}

CLI::Option* AddFixed(CLI::App& app, Values& v) {
    return AddRead(app, "--fixed", v.fixed, Given<double>(ReadPositiveNumber),
                   "gearing outside the change gears (default 1): target = lead / (L x R)")
        ->type_name("R")
        ->group("Thread");
}

CLI::Option* AddTolerance(CLI::App& app, Values& v) {
    return AddRead(app, "--tolerance", v.tolerance, Given<Tolerance>(ReadTolerance),
                   "the error a train stays below: up to 0.1, or Nppm of the target up to 100000ppm "
                   "(default 0.002, for a thread 1000ppm)")
        ->type_name("T")
        ->group("Search");
}

// RATIO or --pitch with its lathe, and how to search; the chart takes none of them.
void AddSearchOptions(CLI::App& app, CLI::App& chart, Values& v) {
    CLI::Option* ratio = AddRead(app, "RATIO", v.ratio, Given<double>(ReadRatio),
                                 "the target ratio: digits with at most one decimal point; its first 17 "
                                 "characters count")
                             ->type_name("");
    CLI::Option* pitch = AddRead(app, "--pitch", v.pitch, Given<Pitch>(ReadPitch),
                                 "the thread: 1.25mm, P1.25, 11tpi, 0.1in, 1.5module (a worm), 20dp "
                                 "(diametral pitch), or M6, M6x0.75, 1/2-13 UNC, 1/4 BSW, 1/2 BSP")
                             ->type_name("P")
                             ->excludes(ratio)
                             ->group("Thread");
    AddRead(app, "--starts", v.starts, WholeFrom(1, kMaxStarts),
            "the thread's starts (default 1): lead = pitch x N")
        ->type_name("N")
        ->needs(pitch)
        ->group("Thread");
    AddLeadscrew(app, v)->needs(pitch);
    AddFixed(app, v)->needs(pitch);
    app.add_flag("--every", v.every, "every train within the tolerance, one per set of four gears")
        ->disable_flag_override()
        ->group("Search");
    AddTolerance(app, v);
    AddRead(app, "--limit", v.limit, WholeFrom(0, 0xFFFFFFFF),
            "with --every, --pitch or --train 2, 6 or any: the best N trains (default 100, 0 lists all)")
        ->type_name("N")
        ->group("Search");
    app.add_flag("--count", v.count,
                 "with --train 6 or any: count every train within the tolerance (seconds on many gears); "
                 "simple and four-gear trains are always counted")
        ->disable_flag_override()
        ->group("Search");
    chart.excludes(ratio)->excludes(pitch);
}

void AddChartOptions(CLI::App& chart, Values& v) {
    AddLeadscrew(chart, v);
    AddFixed(chart, v);
    AddTolerance(chart, v);
    // Excluding each other rather than in an option group: CLI11 takes an empty
    // argument for the group's empty name and parses it again without end.
    // That one of them is given is checked after parsing.
    const std::string list = "Pitches (one list)";
    CLI::Option* metric = chart.add_flag("--metric", v.metric, "the ISO metric pitches, 0.2 to 6 mm")
                              ->disable_flag_override()
                              ->group(list);
    CLI::Option* imperial = chart.add_flag("--imperial", v.imperial, "the usual inch threads, 4 to 80 TPI")
                                ->disable_flag_override()
                                ->excludes(metric)
                                ->group(list);
    AddRead(chart, "--pitches", v.pitches, ReadPitchList, "pitches of your own, such as 8tpi,11tpi,1.25mm,M6")
        ->type_name("LIST")
        ->excludes(metric)
        ->excludes(imperial)
        ->group(list);
    AddRead(chart, "--suggest", v.suggest, WholeFrom(1, kGearCount),
            "the N gears, not yet on hand, that would improve the chart most")
        ->type_name("N");
}

// Arguments that no option took: a RATIO that looks like an option (such as
// -.5), or what is not known. Each is a mistake; the first one is named.
std::string LeftOverProblem(const std::vector<std::string>& leftOver, const Values& v, bool chart) {
    for (const std::string& arg : leftOver) {
        if (IsOption(arg)) {
            return "unknown option " + Quoted(arg) + (chart ? " for chart" : "");
        }
        double ratio = 0;
        if (std::string problem = ReadRatio(arg, ratio); !chart && !v.ratio && !problem.empty()) {
            return "RATIO " + Quoted(arg) + " " + problem;
        }
        return "unexpected argument " + Quoted(arg) + (chart ? " (chart takes no RATIO)" : "");
    }
    return {};
}

TrainKind KindOf(const std::string& train) {
    return train == "2"     ? TrainKind::Simple
           : train == "6"   ? TrainKind::Six
           : train == "any" ? TrainKind::Any
                            : TrainKind::Compound;
}

// The first argument that no option took, named; empty when all were taken.
std::string LeftOverProblem(const CLI::App& app, const CLI::App& chart, const Values& v) {
    std::string problem = LeftOverProblem(app.remaining(), v, false);
    return problem.empty() ? LeftOverProblem(chart.remaining(), v, true) : problem;
}

// The leadscrew, from --leadscrew or the lathe file.
std::optional<Pitch> LeadscrewOf(const Values& v) {
    return v.leadscrew ? v.leadscrew : v.lathe ? v.lathe->leadscrew : std::nullopt;
}

// What the parse itself cannot tell: a target, a pitch list or a leadscrew
// missing (a lathe file may give the leadscrew), the search options that need
// a complete search, and the banjo's geometry read into banjo.
std::string MissingOrAmiss(const CLI::App& app, const CLI::App& chart, const Values& v,
                           std::optional<Banjo>& banjo) {
    if (!chart.parsed() && !v.ratio && !v.pitch) {
        return "RATIO is missing";
    }
    if (chart.parsed() && !v.metric && !v.imperial && v.pitches.empty() &&
        !(v.lathe && !v.lathe->chart.empty())) {
        return "chart needs one pitch list: --metric, --imperial, --pitches, or a lathe file's chart";
    }
    if (!chart.parsed() && v.format == "html") {
        return "--format html is for chart alone";
    }
    if (!chart.parsed() && !v.every && v.train == "4" && !v.pitch) {
        for (const char* option : {"--tolerance", "--limit", "--count"}) {
            if (app.count(option) != 0) {
                return std::string(option) + " requires --every, --pitch or --train 2, 6 or any";
            }
        }
    }
    if (std::string problem = ReadBanjo(v, banjo); !problem.empty()) {
        return problem;
    }
    if (v.fit && !v.fitMargin && !banjo) {
        return "--fit needs its margin M without the banjo's geometry";
    }
    if (!LeadscrewOf(v) && (chart.parsed() || v.pitch)) {
        return chart.parsed() ? "--leadscrew is required" : "--pitch requires --leadscrew";
    }
    if (v.plateGears && !chart.parsed() && !v.pitch) {
        return "--plate-gears requires --pitch or chart";
    }
    if (v.plateGears && !(v.lathe && v.lathe->gearbox && v.lathe->gearbox->plate)) {
        return "--plate-gears requires a lathe file whose [gearbox] names its plate_gears";
    }
    return {};
}

// The gears from --gears or --teeth, else the lathe's, else the default set;
// --mult then sets how many of a size on hand there are.
Stock StockOf(const Values& v) {
    Stock stock = v.stock ? *v.stock : v.lathe ? v.lathe->stock : DefaultStock();
    for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
        if (stock.count[tooth] != 0 && v.multiplicity[tooth] != 0) {
            stock.count[tooth] = static_cast<std::uint8_t>(v.multiplicity[tooth]);
        }
    }
    return stock;
}

// The lathe the options make: a lathe file's values under the options that
// give their own, the gears with their --mult counts, and the banjo read.
Lathe MergedLathe(const Values& v, const std::optional<Banjo>& banjo) {
    Lathe lathe = v.lathe.value_or(Lathe{});
    lathe.stock = StockOf(v);
    lathe.leadscrew = LeadscrewOf(v);
    lathe.fixed = v.fixed.value_or(lathe.fixed);
    if (v.fit) {
        lathe.fitMargin = v.fitMargin.value_or(0); // with the banjo's geometry the fit needs no margin
    }
    lathe.banjo = banjo;
    return lathe;
}

// The chart's list: --metric, --imperial, --pitches, or the lathe file's own.
std::vector<Pitch> ChartPitches(const Values& v, const Lathe& lathe) {
    return v.metric            ? MetricPitches()
           : v.imperial        ? ImperialPitches()
           : v.pitches.empty() ? lathe.chart
                               : v.pitches;
}

CliRequest MakeRequest(const Values& v, const std::optional<Banjo>& banjo, bool chart) {
    const Lathe lathe = MergedLathe(v, banjo);
    const TrainKind train = KindOf(v.train);
    CliRequest request;
    if (v.pitch) {
        request.thread = Thread{.pitch = *v.pitch,
                                .starts = v.starts,
                                .leadscrew = *lathe.leadscrew,
                                .fixed = lathe.fixed,
                                .dial = lathe.dial};
    }
    request.search =
        LatheSearch(lathe, request.thread ? TargetRatio(*request.thread) : v.ratio.value_or(0), train,
                    {.method = v.every ? SearchMethod::EveryTrain : SearchMethod::Bisection,
                     .tolerance = v.tolerance,
                     .thread = request.thread.has_value(),
                     .countSix = v.count,
                     .plateGears = v.plateGears});
    request.search.limit = v.limit;
    if (chart) {
        request.chart = *LatheChart(lathe, ChartPitches(v, lathe), train, v.tolerance, v.plateGears);
        request.chart.suggest = v.suggest;
    }
    request.latheName = lathe.name;
    request.firstDriverSmaller = !v.driverLargerFirst;
    request.firstDrivenLarger = !v.drivenSmallerFirst;
    request.format = v.format == "json"   ? OutputFormat::Json
                     : v.format == "csv"  ? OutputFormat::Csv
                     : v.format == "html" ? OutputFormat::Html
                                          : OutputFormat::Text;
    return request;
}

// The arguments read with --fit taking its margin as fitMargin says; bareFit
// tells whether --fit came without one.
CliParse ParseWith(std::span<const std::string_view> args, FitMargin fitMargin, bool& bareFit) {
    CLI::App app("", "tandrel-cli");
    app.footer(kFooter);
    app.set_version_flag("--version", "tandrel-cli " TANDREL_VERSION, "show the version");
    app.allow_extras();
    CLI::App* chart = app.add_subcommand(
        "chart", "for every pitch of a list, its best train from the every-train search, or that none is "
                 "within tolerance");
    chart->allow_extras();
    Values v;
    AddSharedOptions(app, v, fitMargin);
    AddSharedOptions(*chart, v, fitMargin);
    AddSearchOptions(app, *chart, v);
    AddChartOptions(*chart, v);

    CliParse parse;
    // Help or the version wins over everything else on the line.
    for (std::string_view arg : args) {
        if (arg == "--help" || arg == "-h") {
            parse.action = CliAction::Help;
            parse.text = app.help("", CLI::AppFormatMode::All);
            return parse;
        }
        if (arg == "--version") {
            parse.action = CliAction::Version;
            parse.text = "tandrel-cli " TANDREL_VERSION "\n";
            return parse;
        }
    }
    std::vector<std::string> reversed(args.rbegin(), args.rend()); // CLI11 takes them last first
    std::string problem;
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        problem = error.what();
    }
    if (std::string leftOver = LeftOverProblem(app, *chart, v); !leftOver.empty()) {
        problem = leftOver; // the arguments no option took explain the parse's complaint best
    }
    bareFit = v.fit && v.fit->empty();
    std::optional<Banjo> banjo;
    if (problem.empty()) {
        problem = MissingOrAmiss(app, *chart, v, banjo);
    }
    if (!problem.empty()) {
        parse.action = CliAction::BadArgument;
        parse.text = "tandrel-cli: " + OneLine(problem) + " (see tandrel-cli --help)";
        return parse;
    }
    parse.action = chart->parsed() ? CliAction::Chart : CliAction::Search;
    parse.request = MakeRequest(v, banjo, chart->parsed());
    return parse;
}

} // namespace

// The banjo's geometry, which decides the fit, is known only once the options
// and the lathe file are read. So --fit takes no value first, which leaves
// "--fit 0.236" to RATIO; where that reading fails with a bare --fit (no
// banjo, or the argument after it cannot stand as RATIO), the argument after
// it is its margin.
CliParse ParseArguments(std::span<const std::string_view> args) {
    bool bareFit = false;
    CliParse parse = ParseWith(args, FitMargin::Attached, bareFit);
    if (parse.action == CliAction::BadArgument && bareFit) {
        parse = ParseWith(args, FitMargin::AttachedOrNext, bareFit);
    }
    return parse;
}
