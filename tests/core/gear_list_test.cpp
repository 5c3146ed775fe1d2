#include "gear_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

TEST(GearList, ReadsItemsAndNamesTheWrongOne) {
    struct Case {
        std::string list;
        std::string written; // the list written back, or the problem
    } cases[] = {
        {"", ""},
        {"20-99", "20-99"},
        {"20-80/5 127", "20-80/5, 127"},
        {"127,20-22", "20-22, 127"},
        {"20-30/5,35x2 ,\t40-80/5", "20-30/5, 35x2, 40-80/5"},
        {"40X2 41\xC3\x97"
         "3 42x1",
         "40x2, 41x3, 42"},
        {"20-29/4x2", "20-28/4x2"},
        {"17x4", "'17x4': at most 3 of a size"},
        {"17x0", "'17x0': at least 1 of a size"},
        {"20-80/0", "'20-80/0': step must be at least 1"},
        {"170", "'170': tooth counts are 16 to 165"},
        {"15-40", "'15-40': tooth counts are 16 to 165"},
        {"99999999999", "'99999999999': tooth counts are 16 to 165"},
        {"80-20", "'80-20': a range runs from the smaller count up to the larger"},
        {"20-80/5, 35x2", "'35x2': 35 is named twice"},
        {"20-22 21", "'21': 21 is named twice"},
        {"20-", "'20-': not a tooth count or range, such as 40, 20-80, 20-80/5 or 35x2"},
        {"40/5", "'40/5': not a tooth count or range, such as 40, 20-80, 20-80/5 or 35x2"},
        {"20 abc", "'abc': not a tooth count or range, such as 40, 20-80, 20-80/5 or 35x2"},
        {"40x", "'40x': not a tooth count or range, such as 40, 20-80, 20-80/5 or 35x2"},
    };
    for (const Case& c : cases) {
        Stock stock;
        stock.count[100] = 1; // replaced by what the list reads
        const std::string problem = ReadGearList(c.list, stock);
        EXPECT_EQ(problem.empty() ? GearListText(stock) : problem, c.written) << c.list;
    }
}

// The shortest list whose items follow one another, found by trying every way
// to cut the ascending sizes into runs of one count and one spacing.
std::size_t ShortestByEveryCut(const Stock& stock) {
    const std::vector<std::uint32_t> t = stock.Teeth();
    const auto width = [](std::uint32_t n) { return std::to_string(n).size(); };
    std::size_t best = t.empty() ? 0 : SIZE_MAX;
    for (std::uint32_t cuts = 0; !t.empty() && cuts < (1u << (t.size() - 1)); ++cuts) {
        std::size_t length = 0;
        bool valid = true;
        for (std::size_t first = 0, last = 0; first < t.size(); first = ++last) {
            while (last + 1 < t.size() && !(cuts >> last & 1)) {
                ++last;
            }
            const std::uint32_t step = last > first ? t[first + 1] - t[first] : 0;
            for (std::size_t k = first; k < last; ++k) {
                valid = valid && t[k + 1] - t[k] == step && stock.count[t[k]] == stock.count[t[last]];
            }
            length += (first == 0 ? 0 : 2) + width(t[first]) + (last > first ? 1 + width(t[last]) : 0) +
                      (step > 1 ? 1 + width(step) : 0) + (stock.count[t[first]] > 1 ? 2 : 0);
        }
        if (valid) {
            best = std::min(best, length);
        }
    }
    return best;
}

TEST(GearList, WritesTheShortestListThatReadsBackToTheSameStock) {
    std::mt19937 random(16);
    for (int round = 0; round < 3000; ++round) {
        // Small sets over a few dozen sizes, with more of some sizes at times.
        Stock stock;
        const std::uint32_t first = 16 + random() % 100;
        const std::uint32_t spread = 4 + random() % 40;
        for (int gear = 0, gears = 1 + random() % 12; gear < gears; ++gear) {
            stock.count[first + random() % spread] =
                static_cast<std::uint8_t>(random() % 5 == 0 ? 2 + random() % 2 : 1);
        }
        const std::string list = GearListText(stock);
        Stock read;
        ASSERT_EQ(ReadGearList(list, read), "") << list;
        EXPECT_EQ(read, stock) << list;
        EXPECT_EQ(list.size(), ShortestByEveryCut(stock)) << list;
    }
}
