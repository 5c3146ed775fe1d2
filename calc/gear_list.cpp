#include "gear_list.h"

#include "number_text.h"

#include <algorithm>
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
struct Item {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    std::uint32_t step = 1;
    std::uint32_t count = 1;
};

// Whether the word is an item: T, A-B or A-B/S, with xK or not.
bool ParseItem(std::string_view word, Item& item) {
    if (!TakeNumber(word, item.first)) {
        return false;
    }
    item.last = item.first;
    if (TakePrefix(word, "-")) {
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

// Puts the item's gears into the stock; a size already there is named twice.
std::string TakeItem(const Item& item, Stock& stock) {
    for (std::uint32_t tooth = item.first; tooth <= item.last; tooth += item.step) {
        if (stock.count[tooth] != 0) {
            std::string problem = std::to_string(tooth);
            problem += " is named twice";
            return problem;
        }
        stock.count[tooth] = static_cast<std::uint8_t>(item.count);
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
            problem = TakeItem(item, stock);
        }
        if (!problem.empty()) {
            return Quoted(word) + ": " + problem;
        }
        start = end;
    }
    return {};
}

// The shortest text of the sizes from each one on, found from the last size
// back: the first item takes the sizes i..j-1 (one count, evenly spaced), the
// rest is the shortest text from j on. Of two equally short, the longer first
// item wins.
std::string GearListText(const Stock& stock) {
    const std::vector<std::uint32_t> teeth = stock.Teeth();
    const std::size_t n = teeth.size();
    const auto item = [&](std::size_t i, std::size_t j) {
        return Item{teeth[i], teeth[j - 1], j > i + 1 ? teeth[i + 1] - teeth[i] : 1, stock.count[teeth[i]]};
    };
    std::vector<std::size_t> length(n + 1, 0);
    std::vector<std::size_t> next(n + 1, n);
    for (std::size_t i = n; i-- > 0;) {
        length[i] = std::numeric_limits<std::size_t>::max();
        for (std::size_t j = i + 1; j <= n; ++j) {
            if (j > i + 1 && (stock.count[teeth[j - 1]] != stock.count[teeth[i]] ||
                              teeth[j - 1] - teeth[j - 2] != teeth[i + 1] - teeth[i])) {
                break;
            }
            const std::size_t total = ItemText(item(i, j)).size() + (j < n ? 2 : 0) + length[j];
            if (total <= length[i]) {
                length[i] = total;
                next[i] = j;
            }
        }
    }
    std::string text;
    for (std::size_t i = 0; i < n; i = next[i]) {
        if (i != 0) {
            text += ", ";
        }
        text += ItemText(item(i, next[i]));
    }
    return text;
}
