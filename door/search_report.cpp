#include "search_report.h"

#include "better_kind_text.h"
#include "chart_table.h"
#include "json_text.h"
#include "shown_train.h"

#include <nlohmann/json.hpp>

using Json = nlohmann::ordered_json;

namespace {

// The nearest trains listed when the every-train search finds none.
constexpr std::size_t kNearestListed = 3;

Json GearsJson(const SolutionRecord& record, const TrainFacts& facts, bool drivers) {
    return SideGears(record, facts, drivers);
}

// The json's names for the measured lead error, by the thread's unit.
const char* MeasuredErrorName(const Thread& thread) {
    return TextOf(thread.pitch.unit).inch ? "errorThouPerInch" : "errorOver25mmUm";
}

// gears: the train's tooth counts in position order, as the window and the
// tool's text show them (ShowTrain).
Json SolutionJson(const SolutionRecord& record, const TrainFacts& facts, const std::optional<Thread>& thread,
                  const std::optional<Banjo>& banjo, const std::vector<std::uint32_t>& gears) {
    const SolutionTexts& texts = facts.texts;
    Json json = Json::object();
    if (record.gears == 4) {
        json = {{"driver1", record.driver1},
                {"driver2", record.driver2},
                {"driven1", record.driven1},
                {"driven2", record.driven2}};
    }
    json.update(Json{{"error", record.error},
                     {"signedError", facts.signedError},
                     {"achievedRatio", texts.achievedRatio},
                     {"errorText", texts.error},
                     {"zeroCount", nullptr}});
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
        json["leadText"] = facts.leadText;
        json["leadErrorText"] = facts.leadErrorText;
    }
    if (facts.dial) {
        json["dial"] = {{"gear", facts.dial->gear},
                        {"step", facts.dial->step},
                        {"closed", facts.dial->closed},
                        {"text", facts.dial->text}};
    }
    json["kind"] = record.gears;
    json["drivers"] = GearsJson(record, facts, true);
    json["driven"] = GearsJson(record, facts, false);
    if (record.gears == 2) {
        json["idler"] = record.idler;
    }
    json["gears"] = gears;
    if (banjo) {
        json["stud"] = facts.stud ? Json(*facts.stud) : Json(nullptr);
    }
    if (!facts.setting.empty()) {
        json["setting"] = facts.setting;
        json["settingText"] = facts.settingText;
        json["plateGears"] = record.gears == 0;
    }
    return json;
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
    json["text"] = ThreadOnLeadscrew(thread);
    return json;
}

// A chart row's train as its text shows it: a four-gear train in positions has
// A and B as driver1 and driven1, its first pair, and C and D as driver2 and driven2.
Json ChartTrainJson(const ChartRequest& request, const ChartRow& row, const SolutionRecord& train) {
    const TrainFacts facts = RowFacts(request, row, train);
    SolutionRecord paired = train;
    if (facts.arrangement) {
        const Arrangement& g = *facts.arrangement;
        paired.driver1 = g[0];
        paired.driven1 = g[1];
        paired.driver2 = g[2];
        paired.driven2 = g[3];
    }
    const SearchRequest& search = request.search;
    return SolutionJson(paired, facts, row.thread, search.banjo,
                        ShowTrain(train, {search.train, search.fitMargin, search.banjo}).gears);
}

} // namespace

SearchAnswer AnswerSearch(const SearchRequest& search) {
    SearchAnswer answer{RunSearch(search), {ToleranceKept(search), {}}, std::nullopt};
    if (IsComplete(search) && answer.result.solutions.empty()) {
        answer.nearest = FindNearestTrains(search, kNearestListed);
    }
    answer.betterKind = FindBetterKind(search, answer.result.solutions);
    return answer;
}

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

std::vector<TrainFacts> AllFacts(const SearchQuery& query, const std::vector<SolutionRecord>& trains) {
    const SearchRequest& search = query.search;
    const Arranging arranging = ArrangingOf(search.fitMargin, search.banjo);
    std::vector<TrainFacts> all;
    for (const SolutionRecord& record : trains) {
        all.push_back(FactsOf(query.order, arranging, record, search.target, query.thread, search.gearbox));
    }
    return all;
}

std::string NearestVerdict(const SearchQuery& query, const Tolerance& kept, const SolutionRecord& train) {
    return OutsideVerdict(kept, query.search.target, TrainRatio(train), query.thread.has_value());
}

std::string BetterKindOf(const SearchQuery& query, const BetterKind& better) {
    const SearchRequest& search = query.search;
    return BetterKindText(better,
                          {search.train, search.fitMargin, search.banjo, query.order.firstDriverSmaller,
                           query.order.firstDrivenLarger},
                          search.target, query.thread);
}

std::string OutcomeText(const SearchQuery& query, const SearchAnswer& answer) {
    const SearchRequest& search = query.search;
    const SearchResult& result = answer.result;
    const std::string outcome = OutcomeSentence(result, search);
    if (outcome.empty() && IsComplete(search) && result.solutions.empty() && answer.nearest.trains.empty()) {
        return NoUsableTrain();
    }
    return outcome;
}

std::string SearchReportJson(const SearchQuery& query, const SearchAnswer& answer) {
    const SearchRequest& search = query.search;
    const SearchResult& result = answer.result;
    const std::optional<Thread>& thread = query.thread;
    const bool every = IsComplete(search);
    const auto counted = [&](std::uint64_t count) { return search.count ? Json(count) : Json(nullptr); };
    Json json = {{"target", search.target},
                 {"outcome", OutcomeName(result.outcome)},
                 {"candidateCount", counted(result.candidateCount)},
                 {"search", every ? "every" : "bisection"}};
    if (every) {
        json["trainCount"] = counted(result.trainCount);
    }
    if (thread) {
        json["thread"] = ThreadJson(*thread);
    }
    const ShowSettings shown = {search.train, search.fitMargin, search.banjo, query.order.firstDriverSmaller,
                                query.order.firstDrivenLarger};
    const auto list = [&](const std::vector<SolutionRecord>& trains,
                          const std::optional<Tolerance>& outsideOf) {
        Json array = Json::array();
        const std::vector<TrainFacts> all = AllFacts(query, trains);
        for (std::size_t i = 0; i < all.size(); ++i) {
            array.push_back(
                SolutionJson(trains[i], all[i], thread, search.banjo, ShowTrain(trains[i], shown).gears));
            if (outsideOf) {
                array.back()["verdict"] = NearestVerdict(query, *outsideOf, trains[i]);
            }
        }
        return array;
    };
    if (search.gearbox) {
        json["gearbox"] = {{"settings", search.gearbox->names.size()},
                           {"plateGearsOnly", search.gearbox->plateOnly}};
    }
    json["solutions"] = list(result.solutions, std::nullopt);
    if (every && result.solutions.empty()) {
        json["nearest"] = list(answer.nearest.trains, answer.nearest.kept);
    }
    if (const std::string why = OutcomeText(query, answer); !why.empty()) {
        json["outcomeText"] = why;
    }
    if (answer.betterKind) {
        json["betterKind"] = list({answer.betterKind->train}, std::nullopt)[0];
        json["betterKind"]["text"] = BetterKindOf(query, *answer.betterKind);
    }
    return JsonText(json) + "\n";
}

std::string ChartReportJson(const ChartRequest& request, const Chart& chart) {
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
            jsonRow["solutions"].push_back(ChartTrainJson(request, row, *row.best));
        } else {
            jsonRow["nearest"] = Json::array();
            if (row.nearest) {
                jsonRow["nearest"].push_back(ChartTrainJson(request, row, *row.nearest));
                jsonRow["nearest"].back()["verdict"] = RowMark(request, row);
            }
        }
        if (row.betterKind) {
            jsonRow["betterKind"] = ChartTrainJson(request, row, row.betterKind->train);
            jsonRow["betterKind"]["text"] = BetterKindOfRow(request, row);
        }
        json["rows"].push_back(jsonRow);
    }
    json["totalBadness"] = chart.score.badness;
    if (request.search.gearbox && request.search.gearbox->plateOnly) {
        json["outsideWithPlateGears"] = RowNames(chart, RowsOutside(chart));
    }
    if (request.suggest != 0) {
        Json& suggestions = json["suggestions"] = Json::array();
        for (const GearSuggestion& suggestion : chart.suggestions) {
            suggestions.push_back({{"tooth", suggestion.tooth},
                                   {"rowsWithin", suggestion.score.rowsWithin},
                                   {"worstLeadErrorPpm", suggestion.score.worstPpm},
                                   {"totalBadness", suggestion.score.badness},
                                   {"bringsIn", RowNames(chart, suggestion.broughtIn)},
                                   {"stillOutside", RowNames(chart, suggestion.stillOutside)}});
        }
    }
    return JsonText(json) + "\n";
}

std::string ChartTableJson(const ChartRequest& request, const Chart& chart) {
    const ChartTable table = MakeChartTable(request, chart);
    Json json = {{"headers", table.headers}, {"rows", Json::array()}};
    for (const ChartLine& line : table.lines) {
        json["rows"].push_back({{"cells", line.cells}, {"within", line.within}});
    }
    json["summary"] = ChartSummary(request, chart);
    json["score"] = ChartScoreText(chart.score, chart.rows.size());
    if (request.suggest != 0) {
        Json gears = Json::array();
        for (const GearSuggestion& suggestion : chart.suggestions) {
            gears.push_back({{"tooth", suggestion.tooth},
                             {"score", ChartScoreText(suggestion.score, chart.rows.size())},
                             {"effect", SuggestionEffect(chart, suggestion)}});
        }
        json["suggestions"] = {{"heading", gears.empty() ? kNoSuggestion : kSuggestionsHeading},
                               {"rule", kBadnessRule},
                               {"gears", gears}};
    }
    return JsonText(json) + "\n";
}
