// The one way into the searches: what to search for and how, and the run that
// picks the search, applies the fit rule and returns the list with its counts.
// The window's recalculation and the command-line tool both go through it.
#pragma once

#include "banjo.h"
#include "stock.h"
#include "train.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An absolute tolerance, or one relative to the target in parts per million.
struct Tolerance {
    double amount = 0.002;
    bool ppm = false;

    // The ppm amount is scaled first: target * amount may overflow where the tolerance does not.
    double For(double target) const { return ppm ? target * (amount * 1e-6) : amount; }

    bool operator==(const Tolerance&) const = default;
};

// A tolerance as a reader meets it: "0.1 %" for 1000 ppm, or the absolute "0.002".
std::string ToleranceShort(const Tolerance& tolerance);

// An absolute tolerance in (0, 0.1], or "Nppm" of the target with N in
// (0, 100000]; what is wrong with the text otherwise.
std::string ReadTolerance(std::string_view text, Tolerance& tolerance);

// Bisection: the window's quick search (gear_search.h), within 0.002, at most
// 100 trains, not every train there is. EveryTrain: the complete search
// (every_train.h) with the request's tolerance and limit.
enum class SearchMethod { Bisection, EveryTrain };

// The trains searched: simple (two gears and an idler, simple_train.h),
// compound (four gears), six gears (six_gear.h), or all three together.
enum class TrainKind { Simple, Compound, Six, Any };

// A quick-change gearbox between the change gears and the leadscrew, as a
// thread's search takes it: each setting gives the change gears a target of
// its own, the thread's over the setting's ratio.
struct BoxSettings {
    std::vector<std::string> names; // as the lathe's plate writes them, "A1", "C-4"
    std::vector<double> ratios;     // each setting's ratio, box output over input
    std::optional<double> plate;    // the ratio of the change gears the plate assumes, if it names them
    bool plateOnly = false;         // only the plate's gears: no other change gears are searched

    bool operator==(const BoxSettings&) const = default;
};

struct SearchRequest {
    double target = 0;
    Stock stock{};
    SearchMethod method = SearchMethod::Bisection;
    Tolerance tolerance{};                    // every train
    std::size_t limit = 100;                  // every train: the best this many; 0 lists all
    std::optional<std::uint32_t> fitMargin{}; // keep only the trains that fit (fit.h)
    TrainKind train = TrainKind::Compound;
    std::optional<Banjo> banjo{}; // with fitMargin its geometry decides what fits (mount.h)
    bool count = true; // false: the four- and six-gear searches skip the counts, which cost the six-gear
                       // search most of its time and the four-gear one its fit on the banjo
    std::optional<BoxSettings> gearbox{}; // the target is the ratio at the leadscrew, behind the box

    bool operator==(const SearchRequest&) const = default;
};

// Whether the request runs a complete search: every train, or trains of any
// kind but four gears, which only the complete searches find.
bool IsComplete(const SearchRequest& request);

// The bisection search keeps, in their order, the trains of its list that fit;
// the complete searches apply the fit rule before their limit. With every kind
// of train, the first trains of all three kinds in AnyBefore's order with the
// request's tolerance, and the three searches' counts added up.
// Behind a gearbox the search runs once for each setting, and the plate's
// gears count at each setting whose lead they cut within the tolerance; one
// list of them all in GearboxBefore's order, the counts added up.
SearchResult RunSearch(const SearchRequest& request);

// The order of trains behind a gearbox: by the error at the leadscrew (errors
// within 1e-12 of the target of each other count as equal, so that rounding
// in the settings' ratios never decides), with every kind plus AnyBefore's
// share of the tolerance for each pair of gears beyond the first; then the
// plate's own gears, which need nothing changed; then fewer gears; then
// TrainBefore's order and the settings' order. tolerance: absolute.
bool GearboxBefore(const SolutionRecord& x, const SolutionRecord& y, double target, double tolerance,
                   bool anyKind);

// The order of trains of every kind: by the error plus a tenth of the
// tolerance (absolute) for each pair of gears beyond the first (two gears
// nothing, four 0.1 t, six 0.2 t), then in TrainBefore's order. Fewer gears
// thus come first wherever the errors lie within a tenth of the tolerance of
// each other; a six-gear train comes before a four-gear one only where it is
// closer by more than 0.1 t, and before a simple one by more than 0.2 t. A
// strict weak order, the same as TrainBefore's within one kind, so that the
// first trains of each kind are enough to merge.
bool AnyBefore(const SolutionRecord& x, const SolutionRecord& y, double tolerance);

// The tolerance a request's search keeps to: the bisection's 0.002, or the request's own.
Tolerance ToleranceKept(const SearchRequest& request);

// How far from the target the nearest trains may lie, as a share of it: a
// lead further off is no use even for a short thread.
inline constexpr double kNearestReach = 0.01;

// What a search that found no train offers instead: the trains nearest the
// target, outside the tolerance it kept to, each shown with its OutsideVerdict.
struct NearestTrains {
    Tolerance kept;
    std::vector<SolutionRecord> trains; // by error, none more than kNearestReach of the target away
};

// The first `count` trains of the complete search within kNearestReach of the
// target, with the request's stock, kind of train, fit and banjo; with the
// plate's gears only, the nearest settings however far off.
NearestTrains FindNearestTrains(const SearchRequest& request, std::size_t count);

// What stands where no train lies within kNearestReach of the target: "no usable train within 1 %".
std::string NoUsableTrain();

// The verdict on a train shown though it lies outside the tolerance kept, in
// words: "outside 0.1 %: 1.8 % long" for a thread's lead ("short" when the
// lead falls short), "outside 0.002: 0.31 % high" for a plain ratio ("low").
// The share is the train's ratio against the target, which is its lead's
// against the thread's, to two significant digits: enough to tell a lead
// that may do for a few turns from one that is scrap, without false precision.
std::string OutsideVerdict(const Tolerance& kept, double target, double ratio, bool lead);

// Why a search found nothing before it began, as a sentence: "no gears on
// hand", that the target lies outside the ratios the gears on hand make, or
// too few gears for the kind of train ("too few gears on hand: a compound
// train needs 4, and 1 is on hand"; a size owned twice counts twice). Empty
// otherwise.
std::string OutcomeSentence(const SearchResult& result, const SearchRequest& request);
