#include "cli_output.h"

#include "fit.h"
#include "json_text.h"
#include "number_text.h"
#include "solution_texts.h"

#include <nlohmann/json.hpp>

#include <algorithm>

using Json = nlohmann::ordered_json;

namespace {

// The code the json gives for an outcome.
std::string_view OutcomeName(SearchOutcome outcome) {
    switch (outcome) {
    case SearchOutcome::NoStock:
        return "NoStock";
    case SearchOutcome::OutOfRange:
        return "OutOfRange";
    case SearchOutcome::Searched:
        break;
    }
    return "Searched";
}

// The columns a UTF-8 text takes: its characters ("µm" is two), not its bytes.
std::size_t Columns(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string PadLeft(const std::string& text, std::size_t width) {
    return std::string(width > Columns(text) ? width - Columns(text) : 0, ' ') + text;
}

std::string PadRight(const std::string& text, std::size_t width) {
    return text + std::string(width > Columns(text) ? width - Columns(text) : 0, ' ');
}

// What the tool prints about one train: the window's texts, and the thread's
// lead and the fit with them when asked for.
struct TrainFacts {
    SolutionTexts texts;
    std::optional<Arrangement> arrangement; // with --fit
    std::optional<double> lead;             // with a thread: mm
    double leadErrorPpm = 0;
    double leadInUnit = 0;        // the lead in the thread's unit
    double measuredLeadError = 0; // in µm over 25 mm or thou per inch
    std::string leadText;         // "11.0067 TPI (2.307692 mm)"
    std::string leadErrorText;    // "-605.7 ppm, 0.61 thou per inch"
};

// The window's order of the gears, from the option boxes the tool's flags stand for.
struct GearOrder {
    bool firstDriverSmaller = true;
    bool firstDrivenLarger = true;
};

TrainFacts FactsOf(const GearOrder& order, const std::optional<std::uint32_t>& fitMargin,
                   const SolutionRecord& record, double target, const std::optional<Thread>& thread) {
    TrainFacts facts;
    facts.texts = MakeSolutionTexts(record, target, order.firstDriverSmaller, order.firstDrivenLarger);
    if (fitMargin) {
        facts.arrangement = FitArrangement(record, *fitMargin);
    }
    if (thread) {
        facts.lead = LeadOfRatio(*thread, TrainRatio(record));
        facts.leadErrorPpm = LeadErrorPpm(*thread, TrainRatio(record));
        facts.leadInUnit = LeadInUnit(*thread, *facts.lead);
        facts.measuredLeadError = MeasuredLeadError(*thread, facts.leadErrorPpm);
        facts.leadText = LeadText(*thread, *facts.lead);
        facts.leadErrorText = LeadErrorText(*thread, facts.leadErrorPpm);
    }
    return facts;
}

// The gears as a machinist sets them up: A, B, C, D of the fit when there is
// one, otherwise the window's order.
Arrangement GearsAbcd(const TrainFacts& facts) {
    if (facts.arrangement) {
        return *facts.arrangement;
    }
    const SolutionTexts& t = facts.texts;
    return {static_cast<std::uint32_t>(std::stoul(t.firstDriver)),
            static_cast<std::uint32_t>(std::stoul(t.firstDriven)),
            static_cast<std::uint32_t>(std::stoul(t.secondDriver)),
            static_cast<std::uint32_t>(std::stoul(t.secondDriven))};
}

// The json's names for the measured lead error, by the thread's unit.
const char* MeasuredErrorName(const Thread& thread) {
    return TextOf(thread.pitch.unit).inch ? "errorThouPerInch" : "errorOver25mmUm";
}

Json SolutionJson(const SolutionRecord& record, const TrainFacts& facts,
                  const std::optional<Thread>& thread) {
    const SolutionTexts& texts = facts.texts;
    Json json = {{"driver1", record.driver1}, {"driver2", record.driver2},
                 {"driven1", record.driven1}, {"driven2", record.driven2},
                 {"error", record.error},     {"achievedRatio", texts.achievedRatio},
                 {"errorText", texts.error},  {"zeroCount", nullptr}};
    if (!texts.zeroCount.empty()) {
        json["zeroCount"] = std::stoul(texts.zeroCount);
    }
    if (facts.arrangement) {
        json["arrangement"] = *facts.arrangement;
    }
    if (thread) {
        json["lead"] = *facts.lead;
        json["leadErrorPpm"] = facts.leadErrorPpm;
        json["leadInUnit"] = facts.leadInUnit;
        json[MeasuredErrorName(*thread)] = facts.measuredLeadError;
    }
    return json;
}

GearOrder OrderOf(const CliRequest& request) {
    return {request.firstDriverSmaller, request.firstDrivenLarger};
}

std::string FitLine(std::uint32_t margin) {
    return "Fit: margin " + std::to_string(margin) +
           " teeth; A on the spindle meshes B on the stud, C beside B meshes D on the leadscrew\n";
}

std::string ToleranceText(const Tolerance& tolerance) {
    return FormatShortest(tolerance.amount) + (tolerance.ppm ? " ppm" : "");
}

// The widest of one text of the trains, at least `least`.
std::size_t Widest(const std::vector<TrainFacts>& lines, std::string TrainFacts::*text, std::size_t least) {
    for (const TrainFacts& facts : lines) {
        least = std::max(least, Columns(facts.*text));
    }
    return least;
}

// One line per train. Columns wide enough for every train the search can
// return: tooth counts up to 165, achieved ratios below 107, errors above
// -108. The thread's columns (as wide as the list's longest lead and error)
// and the fit's follow when asked for, then the mark.
std::string TrainLines(const CliRequest& request, const std::vector<SolutionRecord>& trains,
                       std::string_view mark) {
    const SearchRequest& search = request.search;
    std::vector<TrainFacts> lines;
    for (const SolutionRecord& record : trains) {
        lines.push_back(FactsOf(OrderOf(request), search.fitMargin, record, search.target, request.thread));
    }
    const std::size_t leadWidth = Widest(lines, &TrainFacts::leadText, 14);
    const std::size_t errorWidth = Widest(lines, &TrainFacts::leadErrorText, 14);
    const bool more = request.thread || search.fitMargin;
    std::string out;
    unsigned number = 0;
    for (const TrainFacts& facts : lines) {
        const SolutionTexts& texts = facts.texts;
        out += PadLeft(std::to_string(++number), 3) + "  " + PadLeft(texts.firstDriver, 3) + " " +
               PadLeft(texts.firstDriven, 3) + " " + PadLeft(texts.secondDriver, 3) + " " +
               PadLeft(texts.secondDriven, 3) + "  " + PadLeft(texts.achievedRatio, 18) + "  " +
               PadLeft(texts.error, 19);
        if (!texts.zeroCount.empty() || more) {
            out += "  " + PadLeft(texts.zeroCount, 2);
        }
        if (facts.lead) {
            out += "  lead " + PadLeft(facts.leadText, leadWidth) + "  " +
                   PadLeft(facts.leadErrorText, errorWidth);
        }
        if (facts.arrangement) {
            const Arrangement& g = *facts.arrangement;
            out += "  fit " + PadLeft(std::to_string(g[0]), 3) + " " + PadLeft(std::to_string(g[1]), 3) +
                   " " + PadLeft(std::to_string(g[2]), 3) + " " + PadLeft(std::to_string(g[3]), 3);
        }
        out += mark;
        out += "\n";
    }
    return out;
}

std::string FormatText(const CliRequest& request, const SearchResult& result, const NearestTrains& nearest) {
    const SearchRequest& search = request.search;
    const std::optional<Thread>& thread = request.thread;
    const std::string outcome = OutcomeSentence(result, search);
    std::string out =
        "Outcome: " + (outcome.empty() ? std::string(OutcomeName(result.outcome)) : outcome) + "\n";
    out += "Candidates: " + std::to_string(result.candidateCount) + "\n";
    if (search.method == SearchMethod::EveryTrain) {
        out += "Trains: " + std::to_string(result.trainCount) + " within " + ToleranceText(search.tolerance) +
               "\n";
    }
    if (thread) {
        out += "Thread: " + ThreadName(*thread) + " on " + LeadscrewName(*thread) + ": lead " +
               LeadText(*thread, LeadMm(*thread)) + ", ratio " + FormatFixed14(search.target) + "\n";
    }
    if (search.fitMargin) {
        out += FitLine(*search.fitMargin);
    }
    out += TrainLines(request, result.solutions, "");
    out += TrainLines(request, nearest.trains, "  outside tolerance");
    return out;
}

std::string FormatCsv(const CliRequest& request, const SearchResult& result) {
    const SearchRequest& search = request.search;
    const std::optional<Thread>& thread = request.thread;
    std::string out =
        "number,firstDriver,firstDriven,secondDriver,secondDriven,achievedRatio,error,zeroCount";
    out += thread ? ",lead,leadErrorPpm" : "";
    out += search.fitMargin ? ",A,B,C,D\n" : "\n";
    unsigned number = 0;
    for (const SolutionRecord& record : result.solutions) {
        const TrainFacts facts = FactsOf(OrderOf(request), search.fitMargin, record, search.target, thread);
        const SolutionTexts& texts = facts.texts;
        out += std::to_string(++number) + "," + texts.firstDriver + "," + texts.firstDriven + "," +
               texts.secondDriver + "," + texts.secondDriven + "," + texts.achievedRatio + "," + texts.error +
               "," + texts.zeroCount;
        std::vector<std::string> more;
        if (facts.lead) {
            more = {FormatShortest(*facts.lead), FormatShortest(facts.leadErrorPpm)};
        }
        if (facts.arrangement) {
            for (std::uint32_t gear : *facts.arrangement) {
                more.push_back(std::to_string(gear));
            }
        }
        for (const std::string& field : more) {
            out += ',';
            out += field;
        }
        out += "\n";
    }
    return out;
}

// The thread as the json names it: its unit, and its designation when it has one.
Json ThreadJson(const Thread& thread) {
    Json json = {{"lead", LeadMm(thread)},
                 {"leadscrew", LeadscrewMm(thread)},
                 {"fixed", thread.fixed},
                 {"unit", TextOf(thread.pitch.unit).key}};
    if (!thread.pitch.designation.empty()) {
        json["designation"] = thread.pitch.designation;
    }
    return json;
}

std::string FormatJson(const CliRequest& request, const SearchResult& result, const NearestTrains& nearest) {
    const SearchRequest& search = request.search;
    const std::optional<Thread>& thread = request.thread;
    const bool every = search.method == SearchMethod::EveryTrain;
    Json json = {{"target", search.target},
                 {"outcome", OutcomeName(result.outcome)},
                 {"candidateCount", result.candidateCount},
                 {"search", every ? "every" : "bisection"}};
    if (every) {
        json["trainCount"] = result.trainCount;
    }
    if (thread) {
        json["thread"] = ThreadJson(*thread);
    }
    const auto list = [&](const std::vector<SolutionRecord>& trains) {
        Json array = Json::array();
        for (const SolutionRecord& record : trains) {
            array.push_back(SolutionJson(
                record, FactsOf(OrderOf(request), search.fitMargin, record, search.target, thread), thread));
        }
        return array;
    };
    json["solutions"] = list(result.solutions);
    if (every && result.solutions.empty()) {
        json["nearest"] = list(nearest.trains);
    }
    return JsonText(json) + "\n";
}

// "20-99,127", and "(2 of 40)" for more than one gear of a size.
std::string StockText(const Stock& stock) {
    const std::vector<std::uint32_t> teeth = stock.Teeth();
    std::string text;
    std::string several;
    for (std::size_t i = 0; i < teeth.size(); ++i) {
        std::size_t last = i;
        while (last + 1 < teeth.size() && teeth[last + 1] == teeth[last] + 1) {
            ++last;
        }
        if (!text.empty()) {
            text += ',';
        }
        text += std::to_string(teeth[i]);
        if (last > i) {
            text += '-';
            text += std::to_string(teeth[last]);
        }
        for (std::size_t k = i; k <= last; ++k) {
            if (stock.count[teeth[k]] > 1) {
                several += (several.empty() ? "" : ", ") + std::to_string(stock.count[teeth[k]]) + " of " +
                           std::to_string(teeth[k]);
            }
        }
        i = last;
    }
    return (text.empty() ? "none" : text) + (several.empty() ? "" : " (" + several + ")");
}

std::string ScoreText(const ChartScore& score, std::size_t rows) {
    return std::to_string(score.rowsWithin) + " of " + std::to_string(rows) +
           " threads within tolerance; worst lead error " + FormatFixed(score.worstPpm, 1) +
           " ppm; total badness " + FormatFixed(score.badness, 2);
}

// The train a chart row shows: its best, or else the nearest one outside tolerance.
std::optional<SolutionRecord> ShownTrain(const ChartRow& row) {
    return row.best ? row.best : row.nearest;
}

std::string ChartText(const ChartRequest& request, const Chart& chart) {
    std::string out = "Thread chart: " + LeadscrewName(request.lathe) + "\n";
    out += "Gears: " + StockText(request.stock) + "; tolerance " + ToleranceText(request.tolerance) + "\n";
    if (request.fitMargin) {
        out += FitLine(*request.fitMargin);
    }
    std::size_t nameWidth = 12;
    std::vector<TrainFacts> shown;
    for (const ChartRow& row : chart.rows) {
        nameWidth = std::max(nameWidth, Columns(ThreadName(row.thread)) + 1);
        if (const std::optional<SolutionRecord> train = ShownTrain(row)) {
            shown.push_back(FactsOf({}, request.fitMargin, *train, row.target, row.thread));
        }
    }
    const std::size_t leadWidth = Widest(shown, &TrainFacts::leadText, 13) + 2;
    const std::size_t errorWidth = Widest(shown, &TrainFacts::leadErrorText, 14) + 2;
    out += "\n" + PadRight("Thread", nameWidth) + "    A    B    C    D" + PadLeft("Lead", leadWidth) +
           PadLeft("Error", errorWidth) + "\n";
    auto facts = shown.begin();
    for (const ChartRow& row : chart.rows) {
        out += PadRight(ThreadName(row.thread), nameWidth);
        if (!ShownTrain(row)) {
            out += "   no train within tolerance\n";
            continue;
        }
        for (std::uint32_t gear : GearsAbcd(*facts)) {
            out += PadLeft(std::to_string(gear), 5);
        }
        out += PadLeft(facts->leadText, leadWidth) + PadLeft(facts->leadErrorText, errorWidth);
        out += row.best ? "\n" : "  outside tolerance\n";
        ++facts;
    }
    out += "\n" + ScoreText(chart.score, chart.rows.size()) + "\n";
    if (request.suggest != 0) {
        if (chart.suggestions.empty()) {
            out += "No single gear more would improve this chart.\n";
        } else {
            out += "Gears to buy next, one of a size, best first:\n";
        }
        for (const GearSuggestion& suggestion : chart.suggestions) {
            out += PadLeft(std::to_string(suggestion.tooth), 5) +
                   " teeth: " + ScoreText(suggestion.score, chart.rows.size()) + "\n";
        }
    }
    return out;
}

std::string ChartCsv(const ChartRequest& request, const Chart& chart) {
    std::string out = "thread,pitchMm,unit,value,target,A,B,C,D,achievedRatio,error,lead,leadErrorPpm\n";
    for (const ChartRow& row : chart.rows) {
        const Pitch& pitch = row.thread.pitch;
        out += ThreadName(row.thread) + "," + FormatShortest(PitchMm(pitch)) + "," +
               std::string(TextOf(pitch.unit).key) + "," + FormatShortest(pitch.value) + "," +
               FormatShortest(row.target);
        if (!row.best) {
            out += ",,,,,,,,\n";
            continue;
        }
        const TrainFacts facts = FactsOf({}, request.fitMargin, *row.best, row.target, row.thread);
        for (std::uint32_t gear : GearsAbcd(facts)) {
            out += ',';
            out += std::to_string(gear);
        }
        out += "," + facts.texts.achievedRatio + "," + facts.texts.error + "," + FormatShortest(*facts.lead) +
               "," + FormatShortest(facts.leadErrorPpm) + "\n";
    }
    if (request.suggest != 0) {
        out += "\ntooth,rowsWithin,worstLeadErrorPpm,totalBadness\n";
        for (const GearSuggestion& suggestion : chart.suggestions) {
            out += std::to_string(suggestion.tooth) + "," + std::to_string(suggestion.score.rowsWithin) +
                   "," + FormatShortest(suggestion.score.worstPpm) + "," +
                   FormatShortest(suggestion.score.badness) + "\n";
        }
    }
    return out;
}

// A chart row's train as its text shows it: driver1 and driven1 are its A and
// B, the first pair, driver2 and driven2 its C and D.
Json ChartTrainJson(const ChartRow& row, const SolutionRecord& train, const ChartRequest& request) {
    const TrainFacts facts = FactsOf({}, request.fitMargin, train, row.target, row.thread);
    const Arrangement g = GearsAbcd(facts);
    return SolutionJson({train.error, g[0], g[2], g[1], g[3]}, facts, row.thread);
}

std::string ChartJson(const ChartRequest& request, const Chart& chart) {
    Json json = {
        {"leadscrew", LeadscrewMm(request.lathe)}, {"fixed", request.lathe.fixed}, {"rows", Json::array()}};
    for (const ChartRow& row : chart.rows) {
        const Pitch& pitch = row.thread.pitch;
        Json jsonRow = {{"pitch", PitchMm(pitch)}, {"unit", TextOf(pitch.unit).key}, {"value", pitch.value}};
        if (!pitch.designation.empty()) {
            jsonRow["designation"] = pitch.designation;
        }
        jsonRow["target"] = row.target;
        jsonRow["solutions"] = Json::array();
        if (row.best) {
            jsonRow["solutions"].push_back(ChartTrainJson(row, *row.best, request));
        } else {
            jsonRow["nearest"] = Json::array();
            if (row.nearest) {
                jsonRow["nearest"].push_back(ChartTrainJson(row, *row.nearest, request));
            }
        }
        json["rows"].push_back(jsonRow);
    }
    json["totalBadness"] = chart.score.badness;
    if (request.suggest != 0) {
        Json& suggestions = json["suggestions"] = Json::array();
        for (const GearSuggestion& suggestion : chart.suggestions) {
            suggestions.push_back({{"tooth", suggestion.tooth},
                                   {"rowsWithin", suggestion.score.rowsWithin},
                                   {"worstLeadErrorPpm", suggestion.score.worstPpm},
                                   {"totalBadness", suggestion.score.badness}});
        }
    }
    return JsonText(json) + "\n";
}

} // namespace

std::string FormatResult(const CliRequest& request, const SearchResult& result,
                         const NearestTrains& nearest) {
    switch (request.format) {
    case OutputFormat::Csv:
        return FormatCsv(request, result);
    case OutputFormat::Json:
        return FormatJson(request, result, nearest);
    case OutputFormat::Text:
        break;
    }
    return FormatText(request, result, nearest);
}

std::string FormatChart(const ChartRequest& request, const Chart& chart, OutputFormat format) {
    switch (format) {
    case OutputFormat::Csv:
        return ChartCsv(request, chart);
    case OutputFormat::Json:
        return ChartJson(request, chart);
    case OutputFormat::Text:
        break;
    }
    return ChartText(request, chart);
}
