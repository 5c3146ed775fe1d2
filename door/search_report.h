// The report of a search and of a thread chart as JSON: the one writer of
// both, for the door (door.h) and the tool's --format json.
#pragma once

#include "better_kind.h"
#include "chart.h"
#include "search.h"
#include "thread.h"
#include "train.h"
#include "train_facts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a search's report is about: the search, the thread it cuts, if any,
// and the order the window's option boxes give the gears.
struct SearchQuery {
    SearchRequest search;
    std::optional<Thread> thread;
    GearOrder order;
};

// What a search finds: its trains, the nearest ones when a complete search
// finds none, and another kind of train that does better (better_kind.h).
struct SearchAnswer {
    SearchResult result;
    NearestTrains nearest;
    std::optional<BetterKind> betterKind;
};

// Runs the search, and the searches its report needs besides.
SearchAnswer AnswerSearch(const SearchRequest& search);

// The code the report gives for an outcome: "Searched", "NoStock", "OutOfRange".
std::string_view OutcomeName(SearchOutcome outcome);

// Every train's facts, in the list's order.
std::vector<TrainFacts> AllFacts(const SearchQuery& query, const std::vector<SolutionRecord>& trains);

// The verdict on one of the nearest trains, outside the tolerance kept.
std::string NearestVerdict(const SearchQuery& query, const Tolerance& kept, const SolutionRecord& train);

// Another kind of train that does better, in the words the window's thread line uses.
std::string BetterKindOf(const SearchQuery& query, const BetterKind& better);

// Why the search lists no train, in the tool's words: why no search ran or
// none can be found (OutcomeSentence), or that a complete search found no
// usable train; empty otherwise.
std::string OutcomeText(const SearchQuery& query, const SearchAnswer& answer);

// The report as one JSON object, ending in a newline.
std::string SearchReportJson(const SearchQuery& query, const SearchAnswer& answer);

// The chart's report as one JSON object, ending in a newline.
std::string ChartReportJson(const ChartRequest& request, const Chart& chart);

// The chart as the chart window shows it, one JSON object ending in a
// newline: the table's "headers", its "rows" (each row's "cells" and whether
// it is "within" tolerance), the "summary" line, the "score" and, asked for,
// the "suggestions": their "heading", the "rule" that ranks them, and each
// gear's "tooth", "score" and "effect".
std::string ChartTableJson(const ChartRequest& request, const Chart& chart);
