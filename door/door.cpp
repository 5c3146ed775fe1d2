#include "door.h"

#include "chart.h"
#include "chart_page.h"
#include "chart_table.h"
#include "gear_list.h"
#include "gear_set.h"
#include "json_text.h"
#include "lathe_json.h"
#include "number_text.h"
#include "request.h"
#include "search_report.h"
#include "shown_train.h"
#include "train_svg.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <initializer_list>
#include <optional>

using Json = nlohmann::json;
using Ordered = nlohmann::ordered_json;

namespace {

std::string ErrorJson(const DoorProblem& problem) {
    Ordered json = {{"error", problem.what}};
    if (!problem.field.empty()) {
        json["field"] = problem.field;
    }
    return JsonText(json) + "\n";
}

const Json* Field(const Json& request, const char* name) {
    const auto found = request.find(name);
    return found == request.end() ? nullptr : &*found;
}

// A field the op does not take is refused rather than passed over: a name
// misspelt would otherwise change the answer without a word.
DoorProblem OnlyFields(const Json& request, std::string_view op,
                       std::initializer_list<std::string_view> known) {
    for (const auto& [key, value] : request.items()) {
        if (key != "op" && std::find(known.begin(), known.end(), key) == known.end()) {
            return {key, key + " is not a field of " + std::string(op)};
        }
    }
    return {};
}

DoorProblem ReadText(const Json& request, const char* name, std::optional<std::string>& text) {
    if (const Json* value = Field(request, name)) {
        if (!value->is_string()) {
            return {name, std::string(name) + " must be a text"};
        }
        text = value->get<std::string>();
    }
    return {};
}

DoorProblem ReadWhole(const Json& request, const char* name, std::uint32_t low, std::uint32_t high,
                      std::optional<std::uint32_t>& whole) {
    if (const Json* value = Field(request, name)) {
        if (!value->is_number_unsigned() || value->get<std::uint64_t>() < low ||
            value->get<std::uint64_t>() > high) {
            return {name, std::string(name) + " must be a whole number from " + std::to_string(low) + " to " +
                              std::to_string(high)};
        }
        whole = static_cast<std::uint32_t>(value->get<std::uint64_t>());
    }
    return {};
}

// A field given as a JSON number or as a text, read as the tool reads its
// argument, and refused in the same words.
// said: the field's name in the sentence, where it is not the field's own.
template <class T, class Read>
DoorProblem ReadNumberText(const Json& request, const char* name, Read read, std::optional<T>& value,
                           std::string_view said = {}) {
    const Json* field = Field(request, name);
    if (field == nullptr) {
        return {};
    }
    std::string text;
    if (field->is_string()) {
        text = field->get<std::string>();
    } else if (field->is_number()) {
        text = FormatShortest(field->get<double>());
    } else {
        return {name, std::string(name) + " must be a number or a text"};
    }
    T read_value{};
    if (std::string problem = read(text, read_value); !problem.empty()) {
        return {name, Refusal(said.empty() ? name : said, text, problem)};
    }
    value = read_value;
    return {};
}

Lathe DefaultLathe() {
    Lathe lathe;
    lathe.stock = DefaultStock();
    return lathe;
}

// What every op that searches reads: the lathe, the kind of train, the
// tolerance and the fit.
struct Asked {
    Lathe lathe = DefaultLathe(); // without a lathe: the default gear set
    TrainKind train = TrainKind::Compound;
    std::optional<Tolerance> tolerance;
    bool plateGears = false; // behind the lathe's gearbox, only the plate's gears
};

DoorProblem ReadPlateGearsField(const Json& request, Asked& asked) {
    const Json* value = Field(request, "plateGears");
    if (value == nullptr) {
        return {};
    }
    if (!value->is_boolean()) {
        return {"plateGears", "plateGears must be true or false"};
    }
    asked.plateGears = value->get<bool>();
    if (asked.plateGears && !(asked.lathe.gearbox && asked.lathe.gearbox->plate)) {
        return {"plateGears", "plateGears needs a lathe whose gearbox names its plate_gears"};
    }
    return {};
}

DoorProblem ReadTrain(const Json& request, TrainKind& train) {
    const Json* value = Field(request, "train");
    if (value == nullptr) {
        return {};
    }
    const std::string text = value->is_string()            ? value->get<std::string>()
                             : value->is_number_unsigned() ? std::to_string(value->get<std::uint64_t>())
                                                           : "";
    if (text != "2" && text != "4" && text != "6" && text != "any") {
        return {"train", "train must be 2, 4, 6 or \"any\""};
    }
    train = text == "2"     ? TrainKind::Simple
            : text == "6"   ? TrainKind::Six
            : text == "any" ? TrainKind::Any
                            : TrainKind::Compound;
    return {};
}

// "fit": true (the banjo's geometry decides), false, or a margin in teeth; without it the lathe's.
DoorProblem ReadFit(const Json& request, Lathe& lathe) {
    const Json* fit = Field(request, "fit");
    if (fit == nullptr) {
        return {};
    }
    if (fit->is_boolean()) {
        if (fit->get<bool>() && !lathe.banjo) {
            return {"fit", "fit true needs the lathe's banjo, whose geometry decides what fits; without one "
                           "give the margin in teeth"};
        }
        lathe.fitMargin = fit->get<bool>() ? std::optional<std::uint32_t>(0) : std::nullopt;
        return {};
    }
    if (!fit->is_number_unsigned() || fit->get<std::uint64_t>() > kMaxFitMargin) {
        return {"fit", "fit must be true, false or a margin in teeth from 0 to 200"};
    }
    lathe.fitMargin = static_cast<std::uint32_t>(fit->get<std::uint64_t>());
    return {};
}

DoorProblem ReadAsked(const Json& request, Asked& asked) {
    if (const Json* lathe = Field(request, "lathe")) {
        if (DoorProblem problem = ReadLatheJson(*lathe, asked.lathe); !problem.what.empty()) {
            return problem;
        }
    }
    if (DoorProblem problem = ReadTrain(request, asked.train); !problem.what.empty()) {
        return problem;
    }
    if (DoorProblem problem = ReadNumberText(request, "tolerance", ReadTolerance, asked.tolerance);
        !problem.what.empty()) {
        return problem;
    }
    if (DoorProblem problem = ReadPlateGearsField(request, asked); !problem.what.empty()) {
        return problem;
    }
    return ReadFit(request, asked.lathe);
}

DoorProblem ReadQuery(const Json& request, std::string_view op, SearchQuery& query) {
    if (DoorProblem problem = OnlyFields(request, op,
                                         {"lathe", "ratio", "pitch", "starts", "train", "search", "tolerance",
                                          "limit", "count", "fit", "index", "plateGears"});
        !problem.what.empty()) {
        return problem;
    }
    Asked asked;
    std::optional<double> ratio;
    std::optional<Pitch> pitch;
    std::optional<std::uint32_t> starts;
    std::optional<std::uint32_t> limit;
    std::optional<std::string> method;
    std::optional<bool> count;
    if (const Json* value = Field(request, "count")) {
        if (!value->is_boolean()) {
            return {"count", "count must be true or false"};
        }
        count = value->get<bool>();
    }
    for (const DoorProblem& problem :
         {ReadAsked(request, asked), ReadNumberText(request, "ratio", ReadRatio, ratio),
          ReadNumberText(request, "pitch", ReadPitch, pitch),
          ReadWhole(request, "starts", 1, kMaxStarts, starts),
          ReadWhole(request, "limit", 0, 0xFFFFFFFF, limit), ReadText(request, "search", method)}) {
        if (!problem.what.empty()) {
            return problem;
        }
    }
    const Lathe& lathe = asked.lathe;
    if (method && *method != "every" && *method != "bisection") {
        return {"search", "search must be \"bisection\" or \"every\""};
    }
    if (ratio && pitch) {
        return {"pitch", "ratio and pitch exclude each other: give one target"};
    }
    if (!ratio && !pitch) {
        return {"ratio", "the request needs its target: a ratio or a pitch"};
    }
    if (starts && !pitch) {
        return {"starts", "starts needs a pitch"};
    }
    if (asked.plateGears && !pitch) {
        return {"plateGears", "plateGears needs a pitch"};
    }
    if (pitch && !lathe.leadscrew) {
        return {"lathe.leadscrew", "a pitch needs the lathe's leadscrew"};
    }
    const bool every = method == "every";
    if (!every && !pitch && asked.train == TrainKind::Compound) {
        for (const auto& [given, name] : {std::pair{asked.tolerance.has_value(), "tolerance"},
                                          {limit.has_value(), "limit"},
                                          {count.has_value(), "count"}}) {
            if (given) {
                return {name,
                        std::string(name) + " needs search \"every\", a pitch or train 2, 6 or \"any\""};
            }
        }
    }
    if (pitch) {
        query.thread = Thread{*pitch, starts.value_or(1), *lathe.leadscrew, lathe.fixed, lathe.dial};
    }
    query.search = LatheSearch(lathe, query.thread ? TargetRatio(*query.thread) : *ratio, asked.train,
                               {.method = every ? SearchMethod::EveryTrain : SearchMethod::Bisection,
                                .tolerance = asked.tolerance,
                                .thread = query.thread.has_value(),
                                .countSix = count.value_or(false),
                                .plateGears = asked.plateGears});
    query.search.limit = limit.value_or(100);
    return {};
}

// "pitches": "metric", "imperial", "module" or a list as text; without it the lathe's chart.
DoorProblem ReadPitches(const Json& request, const Lathe& lathe, std::vector<Pitch>& pitches) {
    std::optional<std::string> list;
    if (DoorProblem problem = ReadText(request, "pitches", list); !problem.what.empty()) {
        return problem;
    }
    if (!list) {
        pitches = lathe.chart;
    } else if (*list == "metric") {
        pitches = MetricPitches();
    } else if (*list == "imperial") {
        pitches = ImperialPitches();
    } else if (*list == "module") {
        pitches = ModulePitches();
    } else if (std::string problem = ReadPitchList(*list, pitches); !problem.empty()) {
        return {"pitches", Refusal("pitches", *list, problem)};
    }
    if (pitches.empty()) {
        return {"pitches", "the chart needs its pitches: \"metric\", \"imperial\", a list such as \"M6, "
                           "8tpi\", or a lathe with a chart"};
    }
    return {};
}

// "format": the chart's report (json, the default), its rows as the chart
// window lists them (table), its printable page (html, which names the
// "date" the caller gives) or its CSV.
DoorProblem ReadChartFormat(const Json& request, std::string& format, std::optional<std::string>& date) {
    std::optional<std::string> given;
    for (const DoorProblem& problem : {ReadText(request, "format", given), ReadText(request, "date", date)}) {
        if (!problem.what.empty()) {
            return problem;
        }
    }
    format = given.value_or("json");
    if (format != "json" && format != "table" && format != "html" && format != "csv") {
        return {"format", "format must be \"json\", \"table\", \"html\" or \"csv\""};
    }
    if (date && format != "html") {
        return {"date", "date needs format \"html\""};
    }
    if (!date && format == "html") {
        return {"date", "format \"html\" needs the date the page names, such as \"2024-05-01\""};
    }
    return {};
}

std::string ChartAnswer(const Json& request) {
    if (DoorProblem problem = OnlyFields(
            request, "chart", {"lathe", "train", "tolerance", "fit", "pitches", "suggest", "plateGears", "format", "date"});
        !problem.what.empty()) {
        return ErrorJson(problem);
    }
    Asked asked;
    std::vector<Pitch> pitches;
    std::optional<std::uint32_t> suggest;
    std::string format;
    std::optional<std::string> date;
    for (const DoorProblem& problem :
         {ReadAsked(request, asked), ReadWhole(request, "suggest", 1, kGearCount, suggest),
          ReadChartFormat(request, format, date)}) {
        if (!problem.what.empty()) {
            return ErrorJson(problem);
        }
    }
    const Lathe& lathe = asked.lathe;
    if (DoorProblem problem = ReadPitches(request, lathe, pitches); !problem.what.empty()) {
        return ErrorJson(problem);
    }
    std::optional<ChartRequest> chart =
        LatheChart(lathe, pitches, asked.train, asked.tolerance, asked.plateGears);
    if (!chart) {
        return ErrorJson({"lathe.leadscrew", "the chart needs the lathe's leadscrew"});
    }
    chart->suggest = suggest.value_or(0);
    const Chart made = MakeChart(*chart);
    if (format == "html") {
        return JsonText(Ordered{{"html", ChartPage(*chart, made, {lathe.name, *date})}}) + "\n";
    }
    if (format == "csv") {
        return JsonText(Ordered{{"csv", ChartCsv(*chart, made)}}) + "\n";
    }
    return format == "table" ? ChartTableJson(*chart, made) : ChartReportJson(*chart, made);
}

std::string SearchAnswerJson(const Json& request) {
    SearchQuery query;
    if (Field(request, "index") != nullptr) {
        return ErrorJson({"index", "index is a field of drawing"});
    }
    if (DoorProblem problem = ReadQuery(request, "search", query); !problem.what.empty()) {
        return ErrorJson(problem);
    }
    return SearchReportJson(query, AnswerSearch(query.search));
}

// The search's train at "index" (from 0, the first by default) as the window draws it.
std::string DrawingAnswer(const Json& request) {
    SearchQuery query;
    std::optional<std::uint32_t> index;
    for (const DoorProblem& problem :
         {ReadQuery(request, "drawing", query), ReadWhole(request, "index", 0, 0xFFFFFFFF, index)}) {
        if (!problem.what.empty()) {
            return ErrorJson(problem);
        }
    }
    const SearchRequest& search = query.search;
    const std::vector<SolutionRecord> trains = RunSearch(search).solutions;
    if (index.value_or(0) >= trains.size()) {
        return ErrorJson({"index", "index " + std::to_string(index.value_or(0)) + " is past the " +
                                       std::to_string(trains.size()) + " trains found"});
    }
    const ShownTrain shown =
        ShowTrain(trains[index.value_or(0)], {search.train, search.fitMargin, search.banjo,
                                              query.order.firstDriverSmaller, query.order.firstDrivenLarger});
    return JsonText(Ordered{{"svg", TrainSvg(shown, search.banjo, GearsText(shown.gears))}}) + "\n";
}

std::string ReadLatheAnswer(const Json& request) {
    std::optional<std::string> text;
    for (const DoorProblem& problem :
         {OnlyFields(request, "readLathe", {"text"}), ReadText(request, "text", text)}) {
        if (!problem.what.empty()) {
            return ErrorJson(problem);
        }
    }
    Lathe lathe;
    const LatheProblem problem = ReadLathe(text.value_or(""), lathe);
    if (!problem.what.empty()) {
        Ordered json = {{"error", DescribeLatheProblem("the lathe file", problem)}, {"field", "text"}};
        if (problem.line != 0) {
            json["line"] = problem.line;
        }
        return JsonText(json) + "\n";
    }
    return JsonText(Ordered{{"lathe", LatheJson(lathe)}}) + "\n";
}

std::string WriteLatheAnswer(const Json& request) {
    if (DoorProblem problem = OnlyFields(request, "writeLathe", {"lathe"}); !problem.what.empty()) {
        return ErrorJson(problem);
    }
    const Json* value = Field(request, "lathe");
    if (value == nullptr) {
        return ErrorJson({"lathe", "writeLathe needs the lathe"});
    }
    Lathe lathe;
    if (DoorProblem problem = ReadLatheJson(*value, lathe); !problem.what.empty()) {
        return ErrorJson(problem);
    }
    return JsonText(Ordered{{"text", LatheText(lathe)}}) + "\n";
}

// A pitch or designation as the tool's --pitch reads it, with the lead of its starts.
std::string ReadThreadAnswer(const Json& request) {
    std::optional<Pitch> pitch;
    std::optional<std::uint32_t> starts;
    for (const DoorProblem& problem : {OnlyFields(request, "readThread", {"text", "starts"}),
                                       ReadNumberText(request, "text", ReadPitch, pitch, "pitch"),
                                       ReadWhole(request, "starts", 1, kMaxStarts, starts)}) {
        if (!problem.what.empty()) {
            return ErrorJson(problem);
        }
    }
    if (!pitch) {
        return ErrorJson({"text", "readThread needs the text"});
    }
    Ordered json = {{"text", PitchText(*pitch)},
                    {"value", pitch->value},
                    {"unit", TextOf(pitch->unit).key},
                    {"pitch", PitchMm(*pitch)},
                    {"lead", LeadMm(Thread{*pitch, starts.value_or(1)})}};
    if (!pitch->designation.empty()) {
        json["designation"] = pitch->designation;
    }
    return JsonText(json) + "\n";
}

// A gear list as the Gears dialog, the tool and lathe files read it, with each size's count.
std::string ReadGearsAnswer(const Json& request) {
    std::optional<std::string> text;
    for (const DoorProblem& problem :
         {OnlyFields(request, "readGears", {"text"}), ReadText(request, "text", text)}) {
        if (!problem.what.empty()) {
            return ErrorJson(problem);
        }
    }
    if (!text) {
        return ErrorJson({"text", "readGears needs the text"});
    }
    Stock stock;
    if (std::string problem = ReadGearList(*text, stock); !problem.empty()) {
        return ErrorJson({"text", "the gear list has " + problem});
    }
    Ordered counts = Ordered::object();
    for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
        if (stock.count[tooth] != 0) {
            counts[std::to_string(tooth)] = stock.count[tooth];
        }
    }
    return JsonText(Ordered{{"text", GearListText(stock)}, {"counts", counts}}) + "\n";
}

} // namespace

std::string Door(std::string_view text) {
    if (text.size() > kMaxRequestSize) {
        return ErrorJson({"", "the request is larger than 1 MB"});
    }
    const Json request = Json::parse(text, nullptr, false);
    if (request.is_discarded()) {
        return ErrorJson({"", "the request is not JSON"});
    }
    if (!request.is_object()) {
        return ErrorJson({"", "the request is not a JSON object"});
    }
    std::optional<std::string> op;
    if (DoorProblem problem = ReadText(request, "op", op); !problem.what.empty()) {
        return ErrorJson(problem);
    }
    constexpr std::pair<std::string_view, std::string (*)(const Json&)> kOps[] = {
        {"search", SearchAnswerJson},   {"chart", ChartAnswer},           {"drawing", DrawingAnswer},
        {"readLathe", ReadLatheAnswer}, {"writeLathe", WriteLatheAnswer}, {"readThread", ReadThreadAnswer},
        {"readGears", ReadGearsAnswer}};
    for (const auto& [name, answer] : kOps) {
        if (op.value_or("search") == name) {
            return answer(request);
        }
    }
    return ErrorJson(
        {"op", Refusal("op", *op,
                       "is not one of search, chart, drawing, readLathe, writeLathe, readThread, "
                       "readGears")});
}
