#include "cli_output.h"

#include "fit.h"
#include "gear_list.h"
#include "json_text.h"
#include "number_text.h"
#include "solution_texts.h"

#include <nlohmann/json.hpp>

using Json = nlohmann::ordered_json;

namespace {

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

std::string PadLeft(const std::string& text, std::size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

std::string PadRight(const std::string& text, std::size_t width) {
    return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

// What the tool prints about one train: the window's texts, and the thread's
// lead and the fit with them when asked for.
struct TrainFacts {
    SolutionTexts texts;
    std::optional<Arrangement> arrangement; // with --fit
    std::optional<double> lead;             // with a thread: mm
    double leadErrorPpm = 0;
};

// The window's order of the gears, from the option boxes the tool's flags stand for.
struct GearOrder {
    bool firstDriverSmaller = true;
    bool firstDrivenLarger = true;
};

TrainFacts FactsOf(const GearOrder& order, const std::optional<std::uint32_t>& fitMargin,
                   const SolutionRecord& record, double target, const std::optional<Thread>& thread) {
    TrainFacts facts{
        MakeSolutionTexts(record, target, order.firstDriverSmaller, order.firstDrivenLarger), {}, {}, 0};
    if (fitMargin) {
        facts.arrangement = FitArrangement(record, *fitMargin);
    }
    if (thread) {
        facts.lead = LeadOfRatio(*thread, TrainRatio(record));
        facts.leadErrorPpm = LeadErrorPpm(*thread, TrainRatio(record));
    }
    return facts;
}

// The gears as a machinist sets them up: A, B, C, D of the fit when there is
// one, otherwise the window's order.
std::array<std::string, 4> GearsAbcd(const TrainFacts& facts) {
    if (facts.arrangement) {
        const Arrangement& g = *facts.arrangement;
        return {std::to_string(g[0]), std::to_string(g[1]), std::to_string(g[2]), std::to_string(g[3])};
    }
    const SolutionTexts& t = facts.texts;
    return {t.firstDriver, t.firstDriven, t.secondDriver, t.secondDriven};
}

Json SolutionJson(const SolutionRecord& record, const TrainFacts& facts) {
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
    if (facts.lead) {
        json["lead"] = *facts.lead;
        json["leadErrorPpm"] = facts.leadErrorPpm;
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

// Columns wide enough for every train the search can return: tooth counts up
// to 165, achieved ratios below 107, errors above -108. The thread's and the
// fit's columns follow when asked for.
std::string FormatText(const CliRequest& request, const SearchResult& result) {
    const SearchRequest& search = request.search;
    const double target = search.target;
    const std::optional<Thread>& thread = request.thread;
    std::string out = "Outcome: " + std::string(OutcomeName(result.outcome)) + "\n";
    out += "Candidates: " + std::to_string(result.candidateCount) + "\n";
    if (search.method == SearchMethod::EveryTrain) {
        out += "Trains: " + std::to_string(result.trainCount) + " within " + ToleranceText(search.tolerance) +
               "\n";
    }
    if (thread) {
        out += "Thread: " + ThreadName(*thread) + " on " + LeadscrewName(*thread) + ": lead " +
               FormatFixed(LeadMm(*thread), 6) + " mm, ratio " + FormatFixed14(target) + "\n";
    }
    if (search.fitMargin) {
        out += FitLine(*search.fitMargin);
    }
    const bool more = thread || search.fitMargin;
    unsigned number = 0;
    for (const SolutionRecord& record : result.solutions) {
        const TrainFacts facts = FactsOf(OrderOf(request), search.fitMargin, record, target, thread);
        const SolutionTexts& texts = facts.texts;
        out += PadLeft(std::to_string(++number), 3) + "  " + PadLeft(texts.firstDriver, 3) + " " +
               PadLeft(texts.firstDriven, 3) + " " + PadLeft(texts.secondDriver, 3) + " " +
               PadLeft(texts.secondDriven, 3) + "  " + PadLeft(texts.achievedRatio, 18) + "  " +
               PadLeft(texts.error, 19);
        if (!texts.zeroCount.empty() || more) {
            out += "  " + PadLeft(texts.zeroCount, 2);
        }
        if (facts.lead) {
            out += "  lead " + PadLeft(FormatFixed(*facts.lead, 6), 11) + " mm " +
                   PadLeft(PpmText(facts.leadErrorPpm), 14);
        }
        if (facts.arrangement) {
            const Arrangement& g = *facts.arrangement;
            out += "  fit " + PadLeft(std::to_string(g[0]), 3) + " " + PadLeft(std::to_string(g[1]), 3) +
                   " " + PadLeft(std::to_string(g[2]), 3) + " " + PadLeft(std::to_string(g[3]), 3);
        }
        out += "\n";
    }
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

std::string FormatJson(const CliRequest& request, const SearchResult& result) {
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
        json["thread"] = {
            {"lead", LeadMm(*thread)}, {"leadscrew", LeadscrewMm(*thread)}, {"fixed", thread->fixed}};
    }
    Json& solutions = json["solutions"] = Json::array();
    for (const SolutionRecord& record : result.solutions) {
        solutions.push_back(
            SolutionJson(record, FactsOf(OrderOf(request), search.fitMargin, record, search.target, thread)));
    }
    return JsonText(json) + "\n";
}

// The stock as a gear list, "20-80/5, 35x2, 127", or "none".
std::string StockText(const Stock& stock) {
    const std::string list = GearListText(stock);
    return list.empty() ? "none" : list;
}

std::string ScoreText(const ChartScore& score, std::size_t rows) {
    return std::to_string(score.rowsWithin) + " of " + std::to_string(rows) +
           " threads within tolerance; worst lead error " + FormatFixed(score.worstPpm, 1) + " ppm";
}

std::string ChartText(const ChartRequest& request, const Chart& chart) {
    std::string out = "Thread chart: " + LeadscrewName(request.lathe) + "\n";
    out += "Gears: " + StockText(request.stock) + "; tolerance " + ToleranceText(request.tolerance) + "\n";
    if (request.fitMargin) {
        out += FitLine(*request.fitMargin);
    }
    out += "\nThread           A    B    C    D        Lead mm           Error\n";
    for (const ChartRow& row : chart.rows) {
        out += PadRight(ThreadName(row.thread), 12);
        if (!row.best) {
            out += "   no train within tolerance\n";
            continue;
        }
        const TrainFacts facts = FactsOf({}, request.fitMargin, *row.best, row.target, row.thread);
        for (const std::string& gear : GearsAbcd(facts)) {
            out += PadLeft(gear, 5);
        }
        out += PadLeft(FormatFixed(*facts.lead, 6), 15) + PadLeft(PpmText(facts.leadErrorPpm), 16) + "\n";
    }
    out += '\n';
    out += ScoreText(chart.score, chart.rows.size()) + "\n";
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
        for (const std::string& gear : GearsAbcd(facts)) {
            out += "," + gear;
        }
        out += "," + facts.texts.achievedRatio + "," + facts.texts.error + "," + FormatShortest(*facts.lead) +
               "," + FormatShortest(facts.leadErrorPpm) + "\n";
    }
    if (request.suggest != 0) {
        out += "\ntooth,rowsWithin,worstLeadErrorPpm\n";
        for (const GearSuggestion& suggestion : chart.suggestions) {
            out += std::to_string(suggestion.tooth) + "," + std::to_string(suggestion.score.rowsWithin) +
                   "," + FormatShortest(suggestion.score.worstPpm) + "\n";
        }
    }
    return out;
}

std::string ChartJson(const ChartRequest& request, const Chart& chart) {
    Json json = {
        {"leadscrew", LeadscrewMm(request.lathe)}, {"fixed", request.lathe.fixed}, {"rows", Json::array()}};
    for (const ChartRow& row : chart.rows) {
        Json solutions = Json::array();
        if (row.best) {
            solutions.push_back(
                SolutionJson(*row.best, FactsOf({}, request.fitMargin, *row.best, row.target, row.thread)));
        }
        const Pitch& pitch = row.thread.pitch;
        json["rows"].push_back({{"pitch", PitchMm(pitch)},
                                {"unit", TextOf(pitch.unit).key},
                                {"value", pitch.value},
                                {"target", row.target},
                                {"solutions", solutions}});
    }
    if (request.suggest != 0) {
        Json& suggestions = json["suggestions"] = Json::array();
        for (const GearSuggestion& suggestion : chart.suggestions) {
            suggestions.push_back({{"tooth", suggestion.tooth},
                                   {"rowsWithin", suggestion.score.rowsWithin},
                                   {"worstLeadErrorPpm", suggestion.score.worstPpm}});
        }
    }
    return JsonText(json) + "\n";
}

} // namespace

std::string FormatResult(const CliRequest& request, const SearchResult& result) {
    switch (request.format) {
    case OutputFormat::Csv:
        return FormatCsv(request, result);
    case OutputFormat::Json:
        return FormatJson(request, result);
    case OutputFormat::Text:
        break;
    }
    return FormatText(request, result);
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
