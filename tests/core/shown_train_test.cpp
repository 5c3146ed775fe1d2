#include "shown_train.h"

#include "mount.h"
#include "random_cases.h"
#include "search.h"
#include "solution_texts.h"

#include <gtest/gtest.h>

#include <algorithm>

// Trains of every kind from random searches, shown with every setting: the
// shown gears are the train's own, drivers in the odd places (a simple
// train's idler between), and they mount where the banjo placed them. Four
// gears without a banjo stand as the tooth fields have always shown them.
TEST(ShowTrain, KeepsTheTrainAndFollowsTheRuleOrTheBoxes) {
    RandomCases cases(1618);
    int onBanjo = 0;
    for (int round = 0; round < 300; ++round) {
        const RandomCase c = cases.Make(10);
        SearchRequest request;
        request.target = c.target;
        request.stock = c.stock;
        request.method = SearchMethod::EveryTrain;
        request.tolerance = {c.options.tolerance, false};
        request.limit = 20;
        request.train =
            std::array{TrainKind::Simple, TrainKind::Compound, TrainKind::Six, TrainKind::Any}[round % 4];
        request.count = false;
        request.fitMargin = c.options.fitMargin;
        request.banjo = c.options.banjo;
        for (const SolutionRecord& train : RunSearch(request).solutions) {
            ShowSettings settings{request.train, c.options.fitMargin, c.options.banjo, round % 4 < 2,
                                  round % 2 == 0};
            const ShownTrain shown = ShowTrain(train, settings);
            std::vector<std::uint32_t> drivers;
            std::vector<std::uint32_t> driven;
            for (std::size_t i = 0; i < shown.gears.size(); ++i) {
                (i % 2 == 0 ? drivers : driven).push_back(shown.gears[i]);
            }
            if (train.gears == 2) {
                ASSERT_EQ(shown.gears,
                          (std::vector<std::uint32_t>{train.driver1, train.idler, train.driven1}));
            } else {
                std::ranges::sort(drivers);
                std::ranges::sort(driven);
                ASSERT_EQ(drivers, Drivers(train));
                ASSERT_EQ(driven, Driven(train));
            }
            // With the fit on, every train listed goes on the banjo as shown.
            EXPECT_TRUE(settings.banjo ? shown.onBanjo || !settings.fitMargin : !shown.onBanjo);
            if (shown.onBanjo) {
                const std::vector<std::uint32_t>& g = shown.gears;
                EXPECT_TRUE(g.size() == 3 ? MountsSimple(*settings.banjo, g[0], g[1], g[2])
                            : g.size() == 4
                                ? Mounts(*settings.banjo, Arrangement{g[0], g[1], g[2], g[3]})
                                : Mounts(*settings.banjo, Arrangement6{g[0], g[1], g[2], g[3], g[4], g[5]}));
            }
            onBanjo += shown.onBanjo;
            if (train.gears == 4 && !settings.banjo) {
                SolutionTexts texts =
                    MakeSolutionTexts(train, 0.0, settings.firstDriverSmaller, settings.firstDrivenLarger);
                if (settings.fitMargin) {
                    PlaceArrangement(texts, FitArrangement(train, *settings.fitMargin).value());
                }
                EXPECT_EQ(GearsText(shown.gears), texts.firstDriver + " " + texts.firstDriven + " " +
                                                      texts.secondDriver + " " + texts.secondDriven);
            }
        }
    }
    EXPECT_GT(onBanjo, 40);
}

TEST(ShowSettings, ModesDrawingAndOptionBoxes) {
    const Banjo banjo{1.5, 120, 40, 100, 3, std::nullopt, std::nullopt};
    const SolutionRecord two{0, 20, 0, 40, 0, 2};
    const SolutionRecord six{0, 20, 30, 40, 50, 6, 60, 70};
    const SolutionRecord plate{0, 0, 0, 0, 0, 0}; // the plate's own gears: nothing to order or draw
    struct Case {
        ShowSettings settings;
        bool everyTrain;
        std::string modes;
        bool toScale;
        bool boxesApply;
        const SolutionRecord* shown = nullptr;
    } cases[] = {
        {{}, false, "", false, true},
        {{TrainKind::Compound, 15}, true, "every train \u00B7 fit", false, false},
        {{TrainKind::Compound, std::nullopt, banjo}, false, "banjo geometry", true, false},
        {{TrainKind::Six, 15, banjo},
         true,
         "every train \u00B7 fit \u00B7 banjo geometry \u00B7 6 gears",
         true,
         false},
        {{TrainKind::Six}, false, "6 gears", true, true},
        {{TrainKind::Simple}, false, "2 gears", true, false},
        {{TrainKind::Any}, false, "2, 4 or 6 gears", false, true},
        {{TrainKind::Any}, false, "2, 4 or 6 gears", true, false, &two},
        {{TrainKind::Any}, false, "2, 4 or 6 gears", true, true, &six},
        {{}, false, "", true, false, &plate},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ModesText(c.settings, c.everyTrain), c.modes);
        const std::uint32_t gears = ShownGearCount(c.settings.kind, c.shown);
        EXPECT_EQ(DrawnToScale(c.settings, gears), c.toScale) << c.modes << gears;
        EXPECT_EQ(OptionBoxesApply(c.settings, gears), c.boxesApply) << c.modes << gears;
    }
}
