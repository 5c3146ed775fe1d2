// What the complete searches share: where each starts, the tables they build
// from the stock, kept for the next search, and the first trains in
// TrainBefore's order (train.h), kept without holding or sorting all the
// trains met.
#pragma once

#include "stock.h"
#include "train.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

// Keeps the first `limit` trains (all when 0): when the buffer reaches twice
// the limit it is cut back to the best `limit`, and from then on only trains
// before the worst of those get in.
class FirstTrains {
  public:
    explicit FirstTrains(std::size_t limit) : limit_(limit) {}

    // Trains after this one are not among the first (its error is infinite
    // until the buffer is first cut).
    const SolutionRecord& Bound() const { return bound_; }

    // Trains with a larger error are not among the first.
    double BoundError() const { return bound_.error; }

    // Whether a train would get in: before the worst kept once the buffer is cut.
    bool Admits(const SolutionRecord& train) const { return !cut_ || TrainBefore(train, bound_); }

    void Add(const SolutionRecord& train) {
        if (!Admits(train)) {
            return;
        }
        kept_.push_back(train);
        if (limit_ != 0 && kept_.size() == 2 * limit_) {
            Cut();
        }
    }

    std::vector<SolutionRecord> Ordered() {
        if (limit_ != 0 && kept_.size() > limit_) {
            Cut();
        }
        std::sort(kept_.begin(), kept_.end(), TrainBefore);
        return std::move(kept_);
    }

  private:
    void Cut() {
        const auto last = kept_.begin() + static_cast<std::ptrdiff_t>(limit_ - 1);
        std::nth_element(kept_.begin(), last, kept_.end(), TrainBefore);
        bound_ = *last;
        kept_.resize(limit_);
        cut_ = true;
    }

    std::size_t limit_;
    std::vector<SolutionRecord> kept_;
    SolutionRecord bound_{std::numeric_limits<double>::infinity(), 0, 0, 0, 0};
    bool cut_ = false;
};

// Where a complete search starts: the tooth counts on hand (none of 0 teeth)
// and its result so far, no stock without any gears and otherwise searched
// with nothing found yet; searchable when there are gears, and a finite
// target and a finite tolerance above 0 that a train may meet.
struct SearchStart {
    std::vector<std::uint32_t> teeth;
    SearchResult result;
    bool searchable;
};

inline SearchStart StartSearch(double target, double tolerance, const Stock& stock) {
    std::vector<std::uint32_t> teeth = stock.Teeth();
    std::erase(teeth, 0u); // no train holds a gear without teeth
    if (teeth.empty()) {
        return {{}, {SearchOutcome::NoStock, 0, {}}, false};
    }
    const bool searchable = tolerance > 0 && std::isfinite(tolerance) && std::isfinite(target);
    return {std::move(teeth), {SearchOutcome::Searched, 0, {}}, searchable};
}

// The table a search builds from the stock (its pairs or triples of tooth
// counts), kept for the next search on the same stock: a chart's rows, the
// searches for another kind and for the nearest trains, and the window's
// keystrokes search the same gears again and again. One table of each kind
// is kept, in one slot that a search takes for as long as it runs: a search
// on another thread meanwhile (the chart's worker beside the window) finds
// the slot empty and builds its own, and the table put back last stays. No
// table lives in a thread's own storage, whose end some runtimes handle
// badly for objects that free memory.
template <class Table> class KeptTable {
  public:
    template <class Build> KeptTable(const Stock& stock, Build build) : entry_(Slot().exchange(nullptr)) {
        if (!entry_ || entry_->stock != stock) {
            entry_ = std::make_unique<Entry>(Entry{stock, build()});
        }
    }
    ~KeptTable() { delete Slot().exchange(entry_.release()); }
    KeptTable(const KeptTable&) = delete;
    KeptTable& operator=(const KeptTable&) = delete;

    const Table& operator*() const { return entry_->table; }

  private:
    struct Entry {
        Stock stock;
        Table table;
    };
    static std::atomic<Entry*>& Slot() {
        static std::atomic<Entry*> slot{nullptr};
        return slot;
    }
    std::unique_ptr<Entry> entry_;
};
