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
        {"20-30/5,35x2 ,\t40-80/5", "20-80/5, 35x2"},
        {"127 40x2 20-80/5", "20-80/5, 40x2, 127"}, // a size on its own sets its count, in any order
        {"20-80/5x2, 40", "20-80/5x2, 40"},
        {"20-80/2 21-81/2", "20-81"},
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
        {"20, 20", "'20': 20 is named twice"},
        {"40x2, 20-80/5, 40x3", "'40x3': 40 is named twice"},
        {"20-50, 40-80", "'40-80': 40 is in 20-50 too; ranges must not overlap"},
        {"20-80/5, 30-40/5x2", "'30-40/5x2': 30 is in 20-80/5 too; ranges must not overlap"},
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

// The length of the shortest list, found by trying every way to cut the
// ascending sizes into evenly spaced runs, each written as one size, or as a
// range of one count followed by its sizes of other counts.
std::size_t ShortestByEveryCut(const Stock& stock) {
    const std::vector<std::uint32_t> t = stock.Teeth();
    const auto width = [](std::uint32_t n, std::uint32_t count) {
        return std::to_string(n).size() + (count > 1) * 2;
    };
    std::size_t best = t.empty() ? 0 : SIZE_MAX;
    for (std::uint32_t cuts = 0; !t.empty() && cuts < (1u << (t.size() - 1)); ++cuts) {
        std::size_t length = 0;
        bool valid = true;
        for (std::size_t first = 0, last = 0; first < t.size(); first = ++last) {
            while (last + 1 < t.size() && !(cuts >> last & 1)) {
                ++last;
            }
            const std::uint32_t step = last > first ? t[first + 1] - t[first] : 0;
            std::size_t run = last > first ? SIZE_MAX : width(t[first], stock.count[t[first]]);
            for (std::uint32_t count = 1; count <= 3 && last > first; ++count) {
                std::size_t withCount =
                    width(t[first], count) + 1 + width(t[last], 1) + (step > 1) * (1 + width(step, 1));
                for (std::size_t k = first; k <= last; ++k) {
                    valid = valid && (k == first || t[k] - t[k - 1] == step);
                    withCount += stock.count[t[k]] != count ? 2 + width(t[k], stock.count[t[k]]) : 0;
                }
                run = std::min(run, withCount);
            }
            length += (first == 0 ? 0 : 2) + run;
        }
        if (valid) {
            best = std::min(best, length);
        }
    }
    return best;
}

// Random stocks of at most 14 sizes: a range of one count, and sizes of any
// count in and beside it. The list written reads back to the stock and is as
// short as any.
TEST(GearList, WritesTheShortestListThatReadsBackToTheSameStock) {
    std::mt19937 random(16);
    const auto someCount = [&] {
        return static_cast<std::uint8_t>(random() % 5 == 0 ? 2 + random() % 2 : 1);
    };
    for (int round = 0; round < 3000; ++round) {
        Stock stock;
        const std::uint32_t first = 16 + random() % 90;
        const std::uint32_t step = 1 + random() % 6;
        const std::uint8_t count = someCount();
        for (std::uint32_t k = 0, sizes = random() % 8; k < sizes; ++k) {
            stock.count[first + k * step] = count;
        }
        for (int k = 0, others = 1 + random() % 7; k < others; ++k) {
            stock.count[first + random() % 60] = someCount();
        }
        const std::string list = GearListText(stock);
        Stock read;
        ASSERT_EQ(ReadGearList(list, read), "") << list;
        EXPECT_EQ(read, stock) << list;
        EXPECT_EQ(list.size(), ShortestByEveryCut(stock)) << list;
    }
}
