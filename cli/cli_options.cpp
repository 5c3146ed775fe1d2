#include "cli_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted.append(text);
    quoted.push_back('\'');
    return quoted;
}

// Digits with at most one decimal point and at least one digit: what the
// window's ratio field admits.
bool IsRatioText(std::string_view text) {
    auto points = std::count(text.begin(), text.end(), '.');
    auto digits = std::count_if(text.begin(), text.end(), IsDigit);
    return points <= 1 && digits > 0 && points + digits == static_cast<std::ptrdiff_t>(text.size());
}

// Empty when the text is a whole number in [low, high], stored in value;
// otherwise what is wrong with it.
std::string ReadWhole(std::string_view text, std::uint32_t low, std::uint32_t high, std::string_view what,
                      std::uint32_t& value) {
    if (!AllDigits(text)) {
        return Quoted(text) + " is not a " + std::string(what);
    }
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || value < low || value > high) {
        return std::string(what) + " " + std::string(text) + " is outside " + std::to_string(low) + ".." +
               std::to_string(high);
    }
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
    if (text[0] == '-' && IsRatioText(text.substr(1))) {
        return "RATIO " + Quoted(text) + " is negative";
    }
    if (!IsRatioText(text)) {
        return "RATIO " + Quoted(text) + " is not a number (digits with at most one decimal point)";
    }
    return {};
}

// A negative number stands where RATIO would, so it is taken as one, not as an option.
bool IsOption(std::string_view arg) {
    return arg.size() > 1 && arg[0] == '-' && !IsDigit(arg[1]) && arg[1] != '.';
}

} // namespace

CliParse ParseArguments(std::span<const std::string_view> args) {
    CliParse parse;
    auto fail = [&parse](const std::string& problem) {
        parse.action = CliAction::BadArgument;
        parse.error = "tandrel-cli: " + problem + " (see tandrel-cli --help)";
        return parse;
    };
    CliRequest& request = parse.request;
    std::optional<std::string_view> ratio;
    std::optional<std::string_view> stockOption;
    std::string_view gearSet; // empty: the default gear set
    std::optional<std::array<bool, kGearCount>> teeth;

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parse.action = CliAction::Help;
            return parse;
        }
        if (!IsOption(arg)) {
            if (ratio) {
                return fail("unexpected argument " + Quoted(arg) + " after RATIO " + Quoted(*ratio));
            }
            if (std::string problem = CheckRatio(arg); !problem.empty()) {
                return fail(problem);
            }
            ratio = arg;
            continue;
        }
        if (arg == "--driver-larger-first") {
            request.firstDriverSmaller = false;
            continue;
        }
        if (arg == "--driven-smaller-first") {
            request.firstDrivenLarger = false;
            continue;
        }

        // The options with a value, as "--name value" or "--name=value".
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (auto equals = arg.find('='); arg.starts_with("--") && equals != std::string_view::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        if (name != "--gears" && name != "--teeth" && name != "--mult" && name != "--format") {
            return fail("unknown option " + Quoted(arg));
        }
        if (!value) {
            if (i + 1 == args.size()) {
                return fail("option " + Quoted(name) + " needs a value");
            }
            value = args[++i];
        }
        std::string problem;
        if (name == "--gears" || name == "--teeth") {
            if (stockOption) {
                return fail(std::string(name) + " " + Quoted(*value) +
                            ": the gear stock is already given by " + std::string(*stockOption));
            }
            stockOption = name;
            if (name == "--gears") {
                problem = CheckGearSet(*value);
                gearSet = *value;
            } else {
                teeth.emplace(); // all unchecked
                problem = ReadToothList(*value, *teeth);
            }
        } else if (name == "--mult") {
            problem = ReadMultiplicity(*value, request.multiplicity);
        } else if (auto format = ReadFormat(*value)) {
            request.format = *format;
        } else {
            problem = "choose text, csv or json";
        }
        if (!problem.empty()) {
            return fail(std::string(name) + " " + Quoted(*value) + ": " + problem);
        }
    }

    if (!ratio) {
        return fail("RATIO is missing");
    }
    request.ratioText = *ratio;
    for (int index = 0; index < kGearCount; ++index) {
        if (teeth ? (*teeth)[index] : StartsChecked(gearSet, index)) {
            request.checkedTeeth.push_back(ToothOfIndex(index));
        }
    }
    return parse;
}

std::string_view UsageText() {
    return R"(Usage: tandrel-cli [OPTIONS] RATIO

Finds the four-gear trains, built from the gears on hand, whose ratio
(driver 1 x driver 2) / (driven 1 x driven 2) lies within 0.002 of RATIO,
and prints them ordered by error, at most 100.

RATIO                     the target ratio: digits with at most one decimal
                          point; its first 17 characters count
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

text: the outcome (Searched, NoStock or OutOfRange), the candidate count, then
one line per train: its number, first driver, first driven, second driver,
second driven, achieved ratio, error (achieved ratio minus RATIO) and the
error's count of zeros after the decimal point (blank when not 1 to 13).
csv: a header line and the same columns per train. json: one object.

Exit codes: 0 when the search ran (also when it found nothing), 1 when the
output could not be written, 2 for a bad argument.

Example: tandrel-cli --teeth 20-80,127 --mult 40=2 1.5875
)";
}
