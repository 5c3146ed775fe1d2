#include "cli_output.h"

#include "fit.h"
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

// Appends the pieces: GCC 12 warns, wrongly, about some sums of a literal and a temporary string.
void Append(std::string& out, std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces) {
        out += piece;
    }
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

TrainFacts FactsOf(const CliRequest& request, const SolutionRecord& record, double target,
                   const std::optional<Thread>& thread) {
    TrainFacts facts{
        MakeSolutionTexts(record, target, request.firstDriverSmaller, request.firstDrivenLarger), {}, {}, 0};
    if (request.fitMargin) {
        facts.arrangement = FitArrangement(record, *request.fitMargin);
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

std::optional<Thread> ThreadOfRequest(const CliRequest& request) {
    if (!request.pitch) {
        return std::nullopt;
    }
    return ThreadOf(request, *request.pitch);
}

std::string FitLine(const CliRequest& request) {
    return "Fit: margin " + std::to_string(*request.fitMargin) +
           " teeth; A on the spindle meshes B on the stud, C beside B meshes D on the leadscrew\n";
}

std::string ToleranceText(const Tolerance& tolerance) {
    return FormatShortest(tolerance.amount) + (tolerance.ppm ? " ppm" : "");
}

// Columns wide enough for every train the search can return: tooth counts up
// to 165, achieved ratios below 107, errors above -108. The thread's and the
// fit's columns follow when asked for.
std::string FormatText(const CliRequest& request, const SearchResult& result, std::uint64_t trainCount) {
    const double target = TargetOf(request);
    const std::optional<Thread> thread = ThreadOfRequest(request);
    std::string out = "Outcome: " + std::string(OutcomeName(result.outcome)) + "\n";
    out += "Candidates: " + std::to_string(result.candidateCount) + "\n";
    if (request.every) {
        out += "Trains: " + std::to_string(trainCount) + " within " + ToleranceText(request.tolerance) + "\n";
    }
    if (thread) {
        out += "Thread: " + ThreadName(*thread) + " on " + LeadscrewName(*thread) + ": lead " +
               FormatFixed(LeadMm(*thread), 6) + " mm, ratio " + FormatFixed14(target) + "\n";
    }
    if (request.fitMargin) {
        out += FitLine(request);
    }
    const bool more = thread || request.fitMargin;
    unsigned number = 0;
    for (const SolutionRecord& record : result.solutions) {
        const TrainFacts facts = FactsOf(request, record, target, thread);
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
    const double target = TargetOf(request);
    const std::optional<Thread> thread = ThreadOfRequest(request);
    std::string out =
        "number,firstDriver,firstDriven,secondDriver,secondDriven,achievedRatio,error,zeroCount";
    out += thread ? ",lead,leadErrorPpm" : "";
    out += request.fitMargin ? ",A,B,C,D\n" : "\n";
    unsigned number = 0;
    for (const SolutionRecord& record : result.solutions) {
        const TrainFacts facts = FactsOf(request, record, target, thread);
        const SolutionTexts& texts = facts.texts;
        out += std::to_string(++number) + "," + texts.firstDriver + "," + texts.firstDriven + "," +
               texts.secondDriver + "," + texts.secondDriven + "," + texts.achievedRatio + "," + texts.error +
               "," + texts.zeroCount;
        if (facts.lead) {
            Append(out, {",", FormatShortest(*facts.lead), ",", FormatShortest(facts.leadErrorPpm)});
        }
        if (facts.arrangement) {
            for (std::uint32_t gear : *facts.arrangement) {
                Append(out, {",", std::to_string(gear)});
            }
        }
        out += "\n";
    }
    return out;
}

std::string FormatJson(const CliRequest& request, const SearchResult& result, std::uint64_t trainCount) {
    const double target = TargetOf(request);
    const std::optional<Thread> thread = ThreadOfRequest(request);
    Json json = {{"target", target},
                 {"outcome", OutcomeName(result.outcome)},
                 {"candidateCount", result.candidateCount},
                 {"search", request.every ? "every" : "bisection"}};
    if (request.every) {
        json["trainCount"] = trainCount;
    }
    if (thread) {
        json["thread"] = {
            {"lead", LeadMm(*thread)}, {"leadscrew", LeadscrewMm(*thread)}, {"fixed", thread->fixed}};
    }
    Json& solutions = json["solutions"] = Json::array();
    for (const SolutionRecord& record : result.solutions) {
        solutions.push_back(SolutionJson(record, FactsOf(request, record, target, thread)));
    }
    return JsonText(json) + "\n";
}

// "20-99,127", and "(2 of 40)" for more than one gear of a size.
std::string StockText(const CliRequest& request) {
    const std::vector<std::uint32_t>& teeth = request.checkedTeeth;
    std::string text;
    std::string several;
    for (std::size_t i = 0; i < teeth.size(); ++i) {
        std::size_t last = i;
        while (last + 1 < teeth.size() && teeth[last + 1] == teeth[last] + 1) {
            ++last;
        }
        Append(text, {text.empty() ? "" : ",", std::to_string(teeth[i])});
        if (last > i) {
            Append(text, {"-", std::to_string(teeth[last])});
        }
        for (std::size_t k = i; k <= last; ++k) {
            if (request.multiplicity[teeth[k]] > 1) {
                Append(several, {several.empty() ? "" : ", ", std::to_string(request.multiplicity[teeth[k]]),
                                 " of ", std::to_string(teeth[k])});
            }
        }
        i = last;
    }
    return (text.empty() ? "none" : text) + (several.empty() ? "" : " (" + several + ")");
}

std::string ScoreText(const ChartScore& score, std::size_t rows) {
    return std::to_string(score.rowsWithin) + " of " + std::to_string(rows) +
           " threads within tolerance; worst lead error " + FormatFixed(score.worstPpm, 1) + " ppm";
}

std::string ChartText(const CliRequest& request, const Chart& chart) {
    const Thread leadscrew = ThreadOf(request, {1, PitchUnit::Mm});
    std::string out = "Thread chart: " + LeadscrewName(leadscrew) + "\n";
    Append(out, {"Gears: ", StockText(request), "; tolerance ", ToleranceText(request.tolerance), "\n"});
    if (request.fitMargin) {
        out += FitLine(request);
    }
    out += "\nThread           A    B    C    D        Lead mm           Error\n";
    for (const ChartRow& row : chart.rows) {
        const Thread thread = ThreadOf(request, row.pitch);
        out += PadRight(ThreadName(thread), 12);
        if (!row.best) {
            out += "   no train within tolerance\n";
            continue;
        }
        const TrainFacts facts = FactsOf(request, *row.best, row.target, thread);
        for (const std::string& gear : GearsAbcd(facts)) {
            out += PadLeft(gear, 5);
        }
        out += PadLeft(FormatFixed(*facts.lead, 6), 15) + PadLeft(PpmText(facts.leadErrorPpm), 16) + "\n";
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

std::string ChartCsv(const CliRequest& request, const Chart& chart) {
    std::string out = "thread,pitchMm,unit,value,target,A,B,C,D,achievedRatio,error,lead,leadErrorPpm\n";
    for (const ChartRow& row : chart.rows) {
        const Thread thread = ThreadOf(request, row.pitch);
        out += ThreadName(thread) + "," + FormatShortest(PitchMm(row.pitch)) + "," +
               std::string(UnitName(row.pitch.unit)) + "," + FormatShortest(row.pitch.value) + "," +
               FormatShortest(row.target);
        if (!row.best) {
            out += ",,,,,,,,\n";
            continue;
        }
        const TrainFacts facts = FactsOf(request, *row.best, row.target, thread);
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

std::string ChartJson(const CliRequest& request, const Chart& chart) {
    const Thread leadscrew = ThreadOf(request, {1, PitchUnit::Mm});
    Json json = {{"leadscrew", LeadscrewMm(leadscrew)}, {"fixed", request.fixed}, {"rows", Json::array()}};
    for (const ChartRow& row : chart.rows) {
        const Thread thread = ThreadOf(request, row.pitch);
        Json solutions = Json::array();
        if (row.best) {
            solutions.push_back(SolutionJson(*row.best, FactsOf(request, *row.best, row.target, thread)));
        }
        json["rows"].push_back({{"pitch", PitchMm(row.pitch)},
                                {"unit", UnitName(row.pitch.unit)},
                                {"value", row.pitch.value},
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

std::string FormatResult(const CliRequest& request, const SearchResult& result, std::uint64_t trainCount) {
    switch (request.format) {
    case OutputFormat::Csv:
        return FormatCsv(request, result);
    case OutputFormat::Json:
        return FormatJson(request, result, trainCount);
    case OutputFormat::Text:
        break;
    }
    return FormatText(request, result, trainCount);
}

std::string FormatChart(const CliRequest& request, const Chart& chart) {
    switch (request.format) {
    case OutputFormat::Csv:
        return ChartCsv(request, chart);
    case OutputFormat::Json:
        return ChartJson(request, chart);
    case OutputFormat::Text:
        break;
    }
    return ChartText(request, chart);
}
