#include "search.h"

#include "every_train.h"
#include "gear_search.h"
#include "mount.h"
#include "number_text.h"
#include "simple_train.h"
#include "six_gear.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The gears on hand, a size owned twice counting twice; no gear has 0 teeth.
unsigned GearsOnHand(const Stock& stock) {
    unsigned gears = 0;
    for (std::size_t tooth = 1; tooth < stock.count.size(); ++tooth) {
        gears += stock.count[tooth];
    }
    return gears;
}

// The fewest gears a train of the kind takes: a simple train two and an idler,
// a compound one four, a six-gear one six; with every kind, a simple one.
struct SmallestTrain {
    unsigned gears;
    const char* name; // "a simple train needs 3 (two gears and an idler)"
};

SmallestTrain SmallestTrainOf(TrainKind kind) {
    switch (kind) {
    case TrainKind::Simple:
        return {3, "a simple train needs 3 (two gears and an idler)"};
    case TrainKind::Six:
        return {6, "a six-gear train needs 6"};
    case TrainKind::Any:
        return {3, "the smallest train, a simple one, needs 3 (two gears and an idler)"};
    case TrainKind::Compound:
        break;
    }
    return {4, "a compound train needs 4"};
}

// Two significant digits without an exponent: "1.8", "0.12", "0.00051"; "18" from 10 on.
std::string TwoSignificantDigits(double value) {
    int decimals = 0;
    while (decimals < 15 && value * std::pow(10.0, decimals) < 9.95) {
        ++decimals;
    }
    return FormatFixed(value, decimals);
}

} // namespace

std::string ToleranceShort(const Tolerance& tolerance) {
    return tolerance.ppm ? FormatShortestFixed(tolerance.amount / 1e4) + " %"
                         : FormatShortestFixed(tolerance.amount);
}

bool IsComplete(const SearchRequest& request) {
    return request.method == SearchMethod::EveryTrain || request.train != TrainKind::Compound;
}

namespace {

// Every kind's first trains, merged in AnyBefore's order with the tolerance
// `order` (the request's own, or the one a search for the nearest trains kept).
SearchResult FindAnyTrains(const SearchRequest& request, const EveryTrainOptions& options, double order) {
    SearchResult all{SearchOutcome::NoStock, 0, {}};
    for (const auto find : {FindSimpleTrains, FindEveryTrain, FindSixGearTrains}) {
        SearchResult part = find(request.target, request.stock, options);
        all.outcome = part.outcome; // NoStock for one search, NoStock for all
        all.candidateCount += part.candidateCount;
        all.trainCount += part.trainCount;
        all.solutions.insert(all.solutions.end(), part.solutions.begin(), part.solutions.end());
    }
    std::sort(all.solutions.begin(), all.solutions.end(),
              [order](const SolutionRecord& x, const SolutionRecord& y) { return AnyBefore(x, y, order); });
    if (request.limit != 0 && all.solutions.size() > request.limit) {
        all.solutions.resize(request.limit);
    }
    return all;
}

SearchResult Run(const SearchRequest& request, double anyOrder);

// A train's place in GearboxBefore's first measure: its error, with every
// kind plus a share of the tolerance for each pair of gears beyond the first.
double OrderError(const SolutionRecord& train, double tolerance, bool anyKind) {
    const double pairs = anyKind ? std::max(static_cast<double>(train.gears), 2.0) - 2 : 0;
    return train.error + tolerance * pairs / 20;
}

// Each setting's search for the thread's target over the setting's ratio,
// with the tolerance it leaves the change gears. A train of the change gears
// whose ratio is the plate's stands for the same lead as the plate's gears at
// that setting, which need nothing changed: the plate's train is kept. Once
// `limit` trains are found, a later setting looks only for trains that would
// come before the last of them, which spares most of the searches.
SearchResult RunGearbox(const SearchRequest& request, double anyOrder) {
    const BoxSettings& box = *request.gearbox;
    const bool anyKind = request.train == TrainKind::Any;
    const double tolerance = request.tolerance.For(request.target);
    const auto before = [&](const SolutionRecord& x, const SolutionRecord& y) {
        return GearboxBefore(x, y, request.target, anyOrder, anyKind);
    };
    SearchResult all{box.plateOnly ? SearchOutcome::Searched : SearchOutcome::NoStock, 0, {}};
    std::vector<SolutionRecord> found;
    for (std::size_t i = 0; box.plate && i < box.ratios.size(); ++i) {
        SolutionRecord plate{
            0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<std::uint32_t>(i + 1), *box.plate * box.ratios[i]};
        plate.error = std::fabs(TrainRatio(plate) - request.target);
        ++all.candidateCount;
        if (plate.error < tolerance) { // kept below the tolerance, as the searches keep theirs
            ++all.trainCount;
            found.push_back(plate);
        }
    }
    double reach = tolerance;
    const auto keepFirst = [&] {
        if (request.limit == 0 || found.size() < request.limit) {
            return;
        }
        const auto last = found.begin() + static_cast<std::ptrdiff_t>(request.limit - 1);
        std::nth_element(found.begin(), last, found.end(), before);
        found.resize(request.limit);
        if (!request.count) { // counting needs every train within the tolerance
            reach = std::min(reach, OrderError(*last, anyOrder, anyKind) + std::fabs(request.target) * 2e-12);
        }
    };
    keepFirst();
    for (std::size_t i = 0; !box.plateOnly && i < box.ratios.size(); ++i) {
        const double ratio = box.ratios[i];
        SearchRequest one = request;
        one.gearbox.reset();
        one.target = request.target / ratio;
        one.tolerance = {reach / ratio, false};
        SearchResult part = Run(one, anyOrder / ratio);
        if (all.outcome != SearchOutcome::Searched) {
            all.outcome = part.outcome;
        }
        all.candidateCount += part.candidateCount;
        all.trainCount += part.trainCount;
        for (SolutionRecord& train : part.solutions) {
            if (box.plate && std::fabs(TrainRatio(train) - *box.plate) <= *box.plate * 1e-12) {
                continue;
            }
            train.setting = static_cast<std::uint32_t>(i + 1);
            train.box = ratio;
            train.error = std::fabs(TrainRatio(train) - request.target);
            found.push_back(train);
        }
        keepFirst();
    }
    std::sort(found.begin(), found.end(), before);
    all.solutions = std::move(found);
    return all;
}

SearchResult Run(const SearchRequest& request, double anyOrder) {
    if (request.gearbox) {
        return RunGearbox(request, anyOrder);
    }
    if (!IsComplete(request)) {
        SearchResult result = FindGearTrains(request.target, request.stock);
        if (const std::optional<MountRule> rule = FitRule(request.fitMargin, request.banjo)) {
            std::erase_if(result.solutions, [&](const SolutionRecord& train) {
                return !MountArrangement(train.driver1, train.driver2, train.driven1, train.driven2, *rule);
            });
        }
        return result;
    }
    const EveryTrainOptions options{request.tolerance.For(request.target), request.limit, request.fitMargin,
                                    request.banjo, request.count};
    switch (request.train) {
    case TrainKind::Simple:
        return FindSimpleTrains(request.target, request.stock, options);
    case TrainKind::Compound:
        return FindEveryTrain(request.target, request.stock, options);
    case TrainKind::Six:
        return FindSixGearTrains(request.target, request.stock, options);
    case TrainKind::Any:
        break;
    }
    return FindAnyTrains(request, options, anyOrder);
}

} // namespace

SearchResult RunSearch(const SearchRequest& request) {
    return Run(request, request.tolerance.For(request.target));
}

bool AnyBefore(const SolutionRecord& x, const SolutionRecord& y, double tolerance) {
    const auto key = [tolerance](const SolutionRecord& train) {
        return train.error + tolerance * (static_cast<double>(train.gears) - 2) / 20;
    };
    const double kx = key(x);
    const double ky = key(y);
    return kx < ky || (kx == ky && TrainBefore(x, y));
}

bool GearboxBefore(const SolutionRecord& x, const SolutionRecord& y, double target, double tolerance,
                   bool anyKind) {
    const double step = std::fabs(target) * 1e-12;
    const auto key = [&](const SolutionRecord& train) {
        const double error = OrderError(train, tolerance, anyKind);
        return step > 0 ? std::floor(error / step) : error;
    };
    const double kx = key(x);
    const double ky = key(y);
    if (kx != ky) {
        return kx < ky;
    }
    if (x.gears != y.gears) {
        return x.gears < y.gears; // the plate's gears are a train of none
    }
    if (TrainBefore(x, y) || TrainBefore(y, x)) {
        return TrainBefore(x, y);
    }
    return x.setting < y.setting;
}

Tolerance ToleranceKept(const SearchRequest& request) {
    return IsComplete(request) ? request.tolerance : Tolerance{kBisectionTolerance, false};
}

NearestTrains FindNearestTrains(const SearchRequest& request, std::size_t count) {
    SearchRequest near = request;
    near.method = SearchMethod::EveryTrain;
    near.tolerance = {std::fabs(request.target) * kNearestReach, false};
    if (request.gearbox && request.gearbox->plateOnly) {
        // With the plate's gears alone the question is which setting comes nearest, however far off.
        near.tolerance.amount = std::numeric_limits<double>::infinity();
    }
    near.limit = count;
    near.count = false;
    const Tolerance kept = ToleranceKept(request);
    return {kept, Run(near, kept.For(request.target)).solutions}; // kinds ordered as the search kept them
}

std::string NoUsableTrain() {
    return "no usable train within " + FormatShortest(kNearestReach * 100) + " %";
}

std::string OutsideVerdict(const Tolerance& kept, double target, double ratio, bool lead) {
    const double share = (ratio - target) / target;
    const char* side = lead ? (share < 0 ? "short" : "long") : (share < 0 ? "low" : "high");
    return "outside " + ToleranceShort(kept) + ": " + TwoSignificantDigits(std::fabs(share) * 100) + " % " +
           side;
}

// The bisection search finds a target out of range when it lies below every
// ratio the stock makes or above every one, or is not a number. A search over
// fewer gears than the kind's smallest train needs runs, and can find nothing.
std::string OutcomeSentence(const SearchResult& result, const SearchRequest& request) {
    switch (result.outcome) {
    case SearchOutcome::NoStock:
        return "no gears on hand";
    case SearchOutcome::OutOfRange:
        if (std::isnan(request.target)) {
            return "the target ratio is not a number";
        }
        return request.target < 1 ? "the target ratio is below every ratio the gears on hand make"
                                  : "the target ratio is above every ratio the gears on hand make";
    case SearchOutcome::Searched:
        break;
    }
    const unsigned onHand = GearsOnHand(request.stock);
    const SmallestTrain smallest = SmallestTrainOf(request.train);
    if (onHand == 0 || onHand >= smallest.gears) { // none on hand: NoStock's
        return {};
    }
    return "too few gears on hand: " + std::string(smallest.name) + ", and " + std::to_string(onHand) +
           (onHand == 1 ? " is" : " are") + " on hand";
}

std::string ReadTolerance(std::string_view text, Tolerance& tolerance) {
    const std::string_view unit = text.substr(text.size() < 3 ? 0 : text.size() - 3);
    tolerance.ppm = unit.size() == 3 && std::equal(unit.begin(), unit.end(), "ppm", [](char a, char b) {
                        return a == b || a == b - 'a' + 'A';
                    });
    std::string problem =
        ReadPositiveNumber(tolerance.ppm ? text.substr(0, text.size() - 3) : text, tolerance.amount);
    if (problem.empty() && tolerance.amount > (tolerance.ppm ? 100000 : 0.1)) {
        problem = tolerance.ppm ? "is above 100000ppm" : "is above 0.1";
    }
    return problem;
}
