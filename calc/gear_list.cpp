#include "gear_list.h"

#include "number_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr std::string_view kTimesSign = "\xC3\x97"; // U+00D7 in UTF-8

bool IsSeparator(char c) {
    return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Numbers are held up to this, enough to tell that any larger one is too large.
constexpr std::uint32_t kNumberCap = 9999999;

// Takes the digits at the front of text; false when there are none.
bool TakeNumber(std::string_view& text, std::uint32_t& value) {
    std::size_t digits = 0;
    value = 0;
    for (; digits < text.size() && IsDigit(text[digits]); ++digits) {
        value = std::min(value * 10 + static_cast<std::uint32_t>(text[digits] - '0'), kNumberCap);
    }
    text.remove_prefix(digits);
    return digits != 0;
}

bool TakePrefix(std::string_view& text, std::string_view prefix) {
    if (!text.starts_with(prefix)) {
        return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

// One item: the sizes first, first + step, ... up to last, count of each.
// A range is written with a dash, even when it holds one size (20-20).
struct Item {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    std::uint32_t step = 1;
    std::uint32_t count = 1;
    bool range = false;
};

// Whether the word is an item: T, A-B or A-B/S, with xK or not.
bool ParseItem(std::string_view word, Item& item) {
    if (!TakeNumber(word, item.first)) {
        return false;
    }
    item.last = item.first;
    item.range = TakePrefix(word, "-");
    if (item.range) {
        if (!TakeNumber(word, item.last) || (TakePrefix(word, "/") && !TakeNumber(word, item.step))) {
            return false;
        }
    }
    if (TakePrefix(word, "x") || TakePrefix(word, "X") || TakePrefix(word, kTimesSign)) {
        if (!TakeNumber(word, item.count)) {
            return false;
        }
    }
    return word.empty();
}

std::string ItemProblem(const Item& item) {
    const auto inRange = [](std::uint32_t tooth) { return tooth >= kFirstTooth && tooth <= kLastTooth; };
    if (!inRange(item.first) || !inRange(item.last)) {
        return "tooth counts are 16 to 165";
    }
    if (item.last < item.first) {
        return "a range runs from the smaller count up to the larger";
    }
    if (item.step == 0) {
        return "step must be at least 1";
    }
    if (item.count == 0) {
        return "at least 1 of a size";
    }
    if (item.count > kMaxMultiplicity) {
        return "at most 3 of a size";
    }
    return {};
}

// What the items read so far name: the count each range gives a size and the
// range that holds it, and the count a size named on its own sets, which
// stands over the range's (20-80/5, 40x2: two of 40).
struct Named {
    Stock byRange;
    std::array<std::string_view, kLastTooth + 1> range{};
    Stock bySize;
};

// Takes the item's sizes: no size lies in two ranges, and none is named on
// its own twice.
std::string TakeItem(const Item& item, std::string_view word, Named& named) {
    for (std::uint32_t tooth = item.first; tooth <= item.last; tooth += item.step) {
        if (item.range && !named.range[tooth].empty()) {
            return std::to_string(tooth) + " is in " + std::string(named.range[tooth]) +
                   " too; ranges must not overlap";
        }
        if (!item.range && named.bySize.count[tooth] != 0) {
            return std::to_string(tooth) + " is named twice";
        }
        (item.range ? named.byRange : named.bySize).count[tooth] = static_cast<std::uint8_t>(item.count);
        if (item.range) {
            named.range[tooth] = word;
        }
    }
    return {};
}

std::string ItemText(const Item& item) {
    std::string text = std::to_string(item.first);
    if (item.last != item.first) {
        text += '-';
        text += std::to_string(item.last);
        if (item.step != 1) {
            text += '/';
            text += std::to_string(item.step);
        }
    }
    if (item.count > 1) {
        text += 'x';
        text += std::to_string(item.count);
    }
    return text;
}

} // namespace

std::string ReadGearList(std::string_view list, Stock& stock) {
    stock = Stock{};
    Named named;
    for (std::size_t start = 0; start < list.size();) {
        if (IsSeparator(list[start])) {
            ++start;
            continue;
        }
        std::size_t end = start;
        while (end < list.size() && !IsSeparator(list[end])) {
            ++end;
        }
        const std::string_view word = list.substr(start, end - start);
        Item item;
        std::string problem = ParseItem(word, item)
                                  ? ItemProblem(item)
                                  : "not a tooth count or range, such as 40, 20-80, 20-80/5 or 35x2";
        if (problem.empty()) {
            problem = TakeItem(item, word, named);
        }
        if (!problem.empty()) {
            return Quoted(word) + ": " + problem;
        }
        start = end;
    }
    for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
        stock.count[tooth] =
            named.bySize.count[tooth] != 0 ? named.bySize.count[tooth] : named.byRange.count[tooth];
    }
    return {};
}

// The shortest text of the sizes from each one on, found from the last size
// back. The first run takes the sizes i..j-1, evenly spaced: one size on its
// own, or a range of one count followed by its sizes of another count on
// their own ("20-80/5, 35x2"); the rest is the shortest text from j on. Of
// two equally short, the longer first run wins, and of two counts for a
// range the smaller.
std::string GearListText(const Stock& stock) {
    const std::vector<std::uint32_t> teeth = stock.Teeth();
    const std::size_t n = teeth.size();
    const auto single = [&](std::size_t k) {
        return Item{teeth[k], teeth[k], 1, stock.count[teeth[k]], false};
    };
    const auto range = [&](std::size_t i, std::size_t j, std::uint32_t count) {
        return Item{teeth[i], teeth[j - 1], teeth[i + 1] - teeth[i], count, true};
    };
    std::vector<std::size_t> singleLength(n);
    for (std::size_t k = 0; k < n; ++k) {
        singleLength[k] = ItemText(single(k)).size();
    }
    std::vector<std::size_t> length(n + 1, 0);
    std::vector<std::size_t> next(n + 1, n);
    std::vector<std::uint32_t> rangeCount(n + 1, 0); // of the first run; 0 for a size on its own
    for (std::size_t i = n; i-- > 0;) {
        length[i] = std::numeric_limits<std::size_t>::max();
        // For each count of the range, the length its sizes of another count take on their own.
        std::array<std::size_t, kMaxMultiplicity + 1> apart{};
        for (std::size_t j = i + 1; j <= n; ++j) {
            if (j > i + 2 && teeth[j - 1] - teeth[j - 2] != teeth[i + 1] - teeth[i]) {
                break;
            }
            for (std::uint32_t count = 1; count <= kMaxMultiplicity; ++count) {
                apart[count] += stock.count[teeth[j - 1]] != count ? 2 + singleLength[j - 1] : 0;
            }
            std::size_t run = singleLength[i];
            std::uint32_t bestCount = 0;
            const std::size_t rangeLength = j > i + 1 ? ItemText(range(i, j, 1)).size() : 0; // "x2" adds 2
            for (std::uint32_t count = 1; count <= kMaxMultiplicity && j > i + 1; ++count) {
                const std::size_t withCount = rangeLength + (count > 1 ? 2 : 0) + apart[count];
                if (bestCount == 0 || withCount < run) {
                    run = withCount;
                    bestCount = count;
                }
            }
            const std::size_t total = run + (j < n ? 2 : 0) + length[j];
            if (total <= length[i]) {
                length[i] = total;
                next[i] = j;
                rangeCount[i] = bestCount;
            }
        }
    }
    std::string text;
    for (std::size_t i = 0; i < n; i = next[i]) {
        text += i == 0 ? "" : ", ";
        if (rangeCount[i] == 0) {
            text += ItemText(single(i));
            continue;
        }
        text += ItemText(range(i, next[i], rangeCount[i]));
        for (std::size_t k = i; k < next[i]; ++k) {
            if (stock.count[teeth[k]] != rangeCount[i]) {
                text += ", " + ItemText(single(k));
            }
        }
    }
    return text;
}
