#include "cli_output.h"

#include "better_kind_text.h"
#include "chart_page.h"
#include "chart_table.h"
#include "gear_list.h"
#include "number_text.h"
#include "search_report.h"
#include "shown_train.h"
#include "solution_texts.h"
#include "train_facts.h"

#include <algorithm>

namespace {

// The columns a UTF-8 text takes: its characters ("µm" and '·' are two bytes), not its bytes.
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

// What the report is about, as the report's writer (search_report.h) takes it.
SearchQuery QueryOf(const CliRequest& request) {
    return {request.search, request.thread, {request.firstDriverSmaller, request.firstDrivenLarger}};
}

std::string ToleranceText(const Tolerance& tolerance) {
    return FormatShortest(tolerance.amount) + (tolerance.ppm ? " ppm" : "");
}

std::string ThreadLine(const Thread& thread, double target) {
    return "Thread: " + ThreadOnLeadscrew(thread) + ": lead " + LeadText(thread, LeadMm(thread)) +
           ", ratio " + FormatFixed14(target) + "\n";
}

// The widest of one text of the trains, at least `least`.
std::size_t Widest(const std::vector<TrainFacts>& lines, std::string TrainFacts::*text, std::size_t least) {
    for (const TrainFacts& facts : lines) {
        least = std::max(least, Columns(facts.*text));
    }
    return least;
}

std::string StudText(const TrainFacts& facts) {
    return facts.stud ? "  stud " + PadLeft(FormatFixed(*facts.stud, 2), 7) + " mm" : "";
}

// One line per train. Columns wide enough for every train the search can
// return: tooth counts up to 165, achieved ratios below 107, errors above
// -108. Four-gear trains show the window's texts; the other kinds their gear
// count and their gears (TrainGearsText). The thread's columns (as wide as the
// list's longest lead and error), the fit's and the stud's follow when asked
// for, then for the nearest trains (outside the tolerance kept) each one's verdict.
std::string TrainLines(const CliRequest& request, const std::vector<SolutionRecord>& trains,
                       const std::optional<Tolerance>& outsideOf) {
    const SearchRequest& search = request.search;
    const std::vector<TrainFacts> all = AllFacts(QueryOf(request), trains);
    const bool more = request.thread || search.fitMargin || search.banjo;
    const std::size_t leadWidth = Widest(all, &TrainFacts::leadText, 14);
    const std::size_t errorWidth = Widest(all, &TrainFacts::leadErrorText, 14);
    std::size_t gearsWidth = 0;
    const std::size_t settingWidth = Widest(all, &TrainFacts::settingText, 0);
    for (std::size_t i = 0; i < all.size(); ++i) {
        gearsWidth = std::max(gearsWidth, Columns(TrainGearsText(trains[i], all[i], 3)));
    }
    std::string out;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const TrainFacts& facts = all[i];
        const SolutionTexts& texts = facts.texts;
        out += PadLeft(std::to_string(i + 1), 3) + "  ";
        if (settingWidth != 0) {
            out += PadRight(facts.settingText, settingWidth) + "  ";
        }
        if (search.train == TrainKind::Compound && trains[i].gears == 0) {
            out += std::string(15, ' '); // the plate's gears: the setting says so
        } else if (search.train == TrainKind::Compound) {
            out += PadLeft(texts.firstDriver, 3) + " " + PadLeft(texts.firstDriven, 3) + " " +
                   PadLeft(texts.secondDriver, 3) + " " + PadLeft(texts.secondDriven, 3);
        } else {
            out += std::to_string(trains[i].gears) + "  " +
                   PadRight(TrainGearsText(trains[i], facts, 3), gearsWidth);
        }
        out += "  " + PadLeft(texts.achievedRatio, 18) + "  " + PadLeft(texts.error, 19);
        if (!texts.zeroCount.empty() || more) {
            out += "  " + PadLeft(texts.zeroCount, 2);
        }
        if (facts.lead) {
            out += "  lead " + PadLeft(facts.leadText, leadWidth) + "  " +
                   PadLeft(facts.leadErrorText, errorWidth);
        }
        if (facts.arrangement && search.train == TrainKind::Compound) {
            out += "  fit " + GearsText({facts.arrangement->begin(), facts.arrangement->end()}, " ", 3);
        }
        out += StudText(facts);
        if (!facts.dialText.empty()) {
            out += "  " + facts.dialText;
        }
        if (outsideOf) {
            out += "  " + NearestVerdict(QueryOf(request), *outsideOf, trains[i]);
        }
        out += "\n";
    }
    return out;
}

std::string BetterKindLine(const CliRequest& request, const std::optional<BetterKind>& betterKind) {
    return betterKind ? "Another kind: " + BetterKindOf(QueryOf(request), *betterKind) + "\n" : "";
}

std::string FormatText(const CliRequest& request, const SearchResult& result, const NearestTrains& nearest,
                       const std::optional<BetterKind>& betterKind) {
    const SearchRequest& search = request.search;
    const std::string outcome = OutcomeSentence(result, search);
    std::string out =
        "Outcome: " + (outcome.empty() ? std::string(OutcomeName(result.outcome)) : outcome) + "\n";
    out += "Candidates: " + (search.count ? std::to_string(result.candidateCount) : "not counted") + "\n";
    if (IsComplete(search)) {
        out += search.count ? "Trains: " + std::to_string(result.trainCount) + " within " +
                                  ToleranceText(search.tolerance) + "\n"
                            : "Trains: not counted (--count counts them)\n";
    }
    if (request.thread) {
        out += ThreadLine(*request.thread, search.target);
    }
    out += GearboxLine(search.gearbox);
    out += ArrangingLines(search.fitMargin, search.banjo, search.train);
    out += TrainLines(request, result.solutions, std::nullopt);
    out += TrainLines(request, nearest.trains, nearest.kept);
    if (IsComplete(search) && outcome.empty() && result.solutions.empty() && nearest.trains.empty()) {
        out += "  " + NoUsableTrain() + "\n";
    }
    return out + BetterKindLine(request, betterKind);
}

std::string FormatCsv(const CliRequest& request, const SearchResult& result) {
    const SearchRequest& search = request.search;
    const std::optional<Thread>& thread = request.thread;
    const bool compound = search.train == TrainKind::Compound;
    const bool arranged = ArrangingOf(search.fitMargin, search.banjo).rule.has_value();
    std::string out =
        compound ? "number,firstDriver,firstDriven,secondDriver,secondDriven,achievedRatio,error,zeroCount"
                 : "number,kind,drivers,driven,idler,achievedRatio,error,zeroCount";
    out += thread ? ",lead,leadErrorPpm" : "";
    out += compound && arranged ? ",A,B,C,D" : "";
    out += search.banjo ? ",stud" : "";
    out += search.gearbox ? ",setting,plateGears\n" : "\n";
    const std::vector<TrainFacts> all = AllFacts(QueryOf(request), result.solutions);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const SolutionRecord& record = result.solutions[i];
        const TrainFacts& facts = all[i];
        const SolutionTexts& texts = facts.texts;
        out += std::to_string(i + 1) + ",";
        if (compound) {
            out += texts.firstDriver + "," + texts.firstDriven + "," + texts.secondDriver + "," +
                   texts.secondDriven;
        } else {
            out += std::to_string(record.gears) + "," + GearsText(SideGears(record, facts, true)) + "," +
                   GearsText(SideGears(record, facts, false)) + "," +
                   (record.gears == 2 ? std::to_string(record.idler) : "");
        }
        out += "," + texts.achievedRatio + "," + texts.error + "," + texts.zeroCount;
        std::vector<std::string> more;
        if (facts.lead) {
            more = {FormatShortest(*facts.lead), FormatShortest(facts.leadErrorPpm)};
        }
        if (compound && arranged) {
            for (int k = 0; k < 4; ++k) {
                more.push_back(facts.arrangement ? std::to_string((*facts.arrangement)[k]) : "");
            }
        }
        if (search.banjo) {
            more.push_back(StudField(facts));
        }
        if (search.gearbox) {
            more.push_back(facts.setting);
            more.push_back(record.gears == 0 ? "true" : "false");
        }
        for (const std::string& field : more) {
            out += ',';
            out += field;
        }
        out += "\n";
    }
    return out;
}

// The stock as a gear list, "20-80/5, 35x2, 127", or "none".
std::string StockText(const Stock& stock) {
    const std::string list = GearListText(stock);
    return list.empty() ? "none" : list;
}

// Each suggestion's score, what it brings within tolerance and what stays outside.
std::string SuggestionLines(const Chart& chart) {
    std::string out = std::string(kBadnessRule) + "\n";
    for (const GearSuggestion& suggestion : chart.suggestions) {
        out += PadLeft(std::to_string(suggestion.tooth), 5) +
               " teeth: " + ChartScoreText(suggestion.score, chart.rows.size()) + "\n";
        out += "        " + SuggestionEffect(chart, suggestion) + "\n";
    }
    return out;
}

// The chart window's table (chart_table.h) as aligned text: the thread, the
// gears (as A B C D, or in one column), the lead and its error, then the mark
// and another kind of train that does better.
std::string ChartText(const ChartRequest& request, const Chart& chart) {
    const SearchRequest& search = request.search;
    std::string out = "Thread chart: " + LeadscrewName(request.lathe) + "\n";
    out += "Gears: " + StockText(search.stock) + "; tolerance " + ToleranceText(search.tolerance) + "\n";
    out += ArrangingLines(search.fitMargin, search.banjo, search.train);
    out += GearboxLine(search.gearbox);
    const ChartTable table = MakeChartTable(request, chart);
    const bool columns = ChartHasPositionColumns(request);
    // Behind a gearbox the third cell is the setting's, which a column of its own shows.
    const bool setting = search.gearbox.has_value();
    std::size_t settingWidth = 7;
    std::size_t nameWidth = 12;
    std::size_t gearsWidth = 5;
    std::vector<TrainFacts> shown;
    for (const ChartLine& line : table.lines) {
        nameWidth = std::max(nameWidth, Columns(line.cells.front()) + 1);
        settingWidth = setting ? std::max(settingWidth, Columns(line.cells[2])) : 0;
        if (line.train) {
            shown.push_back(line.facts);
            gearsWidth = std::max(gearsWidth, Columns(TrainGearsText(*line.train, line.facts, 3)));
        }
    }
    const std::size_t leadWidth = Widest(shown, &TrainFacts::leadText, 13) + 2;
    const std::size_t errorWidth = Widest(shown, &TrainFacts::leadErrorText, 14) + 2;
    const auto settingCell = [&](const std::string& text) {
        return setting ? PadRight(text, settingWidth) + "  " : std::string();
    };
    out += "\n" + PadRight("Thread", nameWidth) + settingCell("Setting") +
           (columns ? "    A    B    C    D" : "  " + PadRight("Gears", gearsWidth)) +
           PadLeft("Lead", leadWidth) + PadLeft("Error", errorWidth) + "\n";
    for (const ChartLine& line : table.lines) {
        const std::string betterKind = line.betterKind.empty() ? "" : "  " + line.betterKind;
        out += PadRight(line.cells.front(), nameWidth) + settingCell(setting ? line.cells[2] : "");
        if (!line.train) {
            out += "   " + line.mark + betterKind + "\n";
            continue;
        }
        const TrainFacts& facts = line.facts;
        if (columns && facts.arrangement) {
            for (const std::string& gear : GearsAbcd(*facts.arrangement)) {
                out += PadLeft(gear, 5);
            }
        } else if (line.train->gears == 0) {
            out += std::string(columns ? 20 : gearsWidth + 2, ' '); // the setting says "plate gears"
        } else {
            out += "  " + PadRight(TrainGearsText(*line.train, facts, 3), gearsWidth);
        }
        out += PadLeft(facts.leadText, leadWidth) + PadLeft(facts.leadErrorText, errorWidth);
        out += facts.dialText.empty() ? "" : "  " + facts.dialText;
        out += line.within ? "" : "  " + line.mark;
        out += betterKind + "\n";
    }
    out += '\n';
    out += ChartScoreText(chart.score, chart.rows.size()) + "\n";
    out += PlateOnlyLine(request, chart);
    if (request.suggest != 0) {
        if (chart.suggestions.empty()) {
            out += std::string(kNoSuggestion) + "\n";
        } else {
            out += std::string(kSuggestionsHeading) + "\n" + SuggestionLines(chart);
        }
    }
    return out;
}

} // namespace

std::string FormatResult(const CliRequest& request, const SearchResult& result, const NearestTrains& nearest,
                         const std::optional<BetterKind>& betterKind) {
    switch (request.format) {
    case OutputFormat::Csv:
        return FormatCsv(request, result);
    case OutputFormat::Json:
        return SearchReportJson(QueryOf(request), {result, nearest, betterKind});
    case OutputFormat::Html: // refused for a search
    case OutputFormat::Text:
        break;
    }
    return FormatText(request, result, nearest, betterKind);
}

std::string FormatChart(const CliRequest& request, const Chart& chart, const std::string& date) {
    switch (request.format) {
    case OutputFormat::Csv:
        return ChartCsv(request.chart, chart);
    case OutputFormat::Json:
        return ChartReportJson(request.chart, chart);
    case OutputFormat::Html:
        return ChartPage(request.chart, chart, {request.latheName, date});
    case OutputFormat::Text:
        break;
    }
    return ChartText(request.chart, chart);
}
