#include "dial.h"

#include "chart.h"
#include "example_lathes.h"
#include "lathe.h"
#include "request.h"
#include "train_facts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>

namespace {

// A length as an exact fraction of a millimetre.
struct Exact {
    std::int64_t num;
    std::int64_t den;
    double Mm() const { return static_cast<double>(num) / static_cast<double>(den); }
};

Exact Tpi(std::int64_t halfThreadsPerInch) {
    return {2 * 254, 10 * halfThreadsPerInch};
} // 25.4 / (h/2)
Exact Mm(std::int64_t twentieths) {
    return {twentieths, 20};
}

// The dial read off position by position: a pass may close the half-nut at
// place j when the carriage travel from the first start, j lines plus any of
// the next few whole turns, is a whole number of leads. The safe step is the
// first such place after 0; the same line when only 0 is; none when not even
// 0 is, as the same line then comes round at another place of the thread.
std::uint32_t BruteStep(std::uint32_t teeth, std::uint32_t lines, Exact leadscrew, Exact lead) {
    const auto safe = [&](std::uint32_t place) {
        for (std::int64_t turns = 0; turns < 4; ++turns) {
            // (place / lines + turns) * teeth * leadscrew / lead, as a fraction
            const std::int64_t num = (place + turns * lines) * teeth * leadscrew.num * lead.den;
            const std::int64_t den = static_cast<std::int64_t>(lines) * leadscrew.den * lead.num;
            if (num % den != 0) {
                return false;
            }
        }
        return true;
    };
    if (!safe(0)) {
        return 0;
    }
    for (std::uint32_t place = 1; place < lines; ++place) {
        if (safe(place)) {
            return place;
        }
    }
    return lines;
}

// Of the dial's gears the one with the smallest safe step, the first listed
// among equals: the gear and its step.
std::pair<std::uint32_t, std::uint32_t> BruteDial(const Dial& dial, Exact leadscrew, Exact lead) {
    std::uint32_t step = 0;
    std::uint32_t gear = dial.teeth[0];
    for (const std::uint32_t teeth : dial.teeth) {
        const std::uint32_t s = BruteStep(teeth, dial.lines, leadscrew, lead);
        if (s != 0 && (step == 0 || s < step)) {
            step = s;
            gear = teeth;
        }
    }
    return {gear, step};
}

TEST(Dial, AgreesWithTheDialReadPositionByPosition) {
    std::mt19937 random(27);
    const auto uniform = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t lines = std::array<std::uint32_t, 7>{2, 4, 6, 8, 10, 12, 16}[uniform(0, 6)];
        const Dial dial{.teeth = {static_cast<std::uint32_t>(uniform(10, 24)),
                                  static_cast<std::uint32_t>(uniform(10, 24))},
                        .lines = lines,
                        .numbers = lines};
        const Exact leadscrew = uniform(0, 1) ? Tpi(2 * uniform(2, 10)) : Mm(20 * uniform(2, 6));
        const Exact pitch = uniform(0, 1) ? Tpi(uniform(6, 80)) : Mm(uniform(4, 120));
        const Exact lead{pitch.num * uniform(1, 4), pitch.den};
        const DialAdvice advice = AdviseDial(dial, leadscrew.Mm(), lead.Mm());

        const auto [gear, step] = BruteDial(dial, leadscrew, lead);
        ASSERT_EQ(advice.step, step) << i;
        ASSERT_EQ(advice.gear, gear) << i;
        ASSERT_EQ(advice.closed, step == 0) << i;
    }
}

// A length or ratio of a lathe file as an exact fraction: 8 TPI is 127/40 mm.
Exact Rational(double value) {
    const auto times = [value](std::int64_t den) { return value * static_cast<double>(den); };
    std::int64_t den = 1;
    while (den < 1000000 && std::fabs(std::round(times(den)) - times(den)) > 1e-9 * times(den)) {
        ++den;
    }
    return {std::llround(times(den)), den};
}

// Every chart row of each example lathe (docs/lathes) as the tool and the
// charts advise it, against the dial read off position by position at the
// lead the row's train cuts, from its tooth counts.
TEST(Dial, AgreesOnEveryChartRowOfTheExampleLathes) {
    for (const ExampleLathe& example : kExampleLathes) {
        Lathe lathe;
        ASSERT_EQ(ReadLathe(example.text, lathe).what, "") << example.file;
        ASSERT_TRUE(lathe.dial.has_value()) << example.file;
        std::vector<Pitch> pitches = MetricPitches();
        for (const auto& more : {ImperialPitches(), ModulePitches(), lathe.chart}) {
            pitches.insert(pitches.end(), more.begin(), more.end());
        }
        ChartRequest request = LatheChart(lathe, pitches, TrainKind::Compound).value();
        std::array<int, 2> closedAndSafe{};
        for (const std::uint32_t starts : {1u, 2u}) {
            request.lathe.starts = starts;
            for (const ChartRow& row : MakeChart(request).rows) {
                const std::optional<SolutionRecord> train = row.best ? row.best : row.nearest;
                if (!train) {
                    continue;
                }
                const Exact leadscrew = Rational(LeadscrewMm(row.thread));
                const Exact fixed = Rational(row.thread.fixed);
                const Exact box = Rational(train->box); // a gearbox setting's, 1 without one
                Exact lead{leadscrew.num * fixed.num * box.num, leadscrew.den * fixed.den * box.den};
                for (const std::uint32_t teeth : Drivers(*train)) {
                    lead.num *= teeth;
                }
                for (const std::uint32_t teeth : Driven(*train)) {
                    lead.den *= teeth;
                }
                const auto [gear, step] = BruteDial(*lathe.dial, leadscrew, lead);
                const TrainFacts facts =
                    FactsOf({}, ArrangingOf(lathe.fitMargin, lathe.banjo), *train, row.target, row.thread);
                ASSERT_TRUE(facts.dial.has_value());
                EXPECT_TRUE(facts.dial->gear == gear && facts.dial->step == step &&
                            facts.dial->closed == (step == 0))
                    << example.file << " " << PitchText(row.thread.pitch) << " x" << starts << ": "
                    << facts.dialText;
                ++closedAndSafe[step == 0 ? 0 : 1];
            }
        }
        EXPECT_TRUE(closedAndSafe[0] > 0 && closedAndSafe[1] > 0) << example.file; // both kinds of thread
    }
}

// A 16-tooth, 8-line dial on an 8 TPI leadscrew, as the dial tables print it.
TEST(Dial, ReadsAsThePublishedTable) {
    const Dial dial{.teeth = {16}, .lines = 8, .numbers = 8};
    const auto text = [&](double tpi) { return AdviseDial(dial, 25.4 / 8, 25.4 / tpi).text; };
    for (double tpi : {4, 8, 12, 16, 20, 24, 28, 32, 40}) {
        EXPECT_EQ(text(tpi), "any line") << tpi;
    }
    for (double tpi : {10, 14, 18, 22, 26}) {
        EXPECT_EQ(text(tpi), "every other line (2, 4, 6, 8 or 1, 3, 5, 7)") << tpi;
    }
    for (double tpi : {5, 7, 9, 11, 13}) {
        EXPECT_EQ(text(tpi), "opposite lines (1 and 5)") << tpi;
    }
    for (double tpi : {4.5, 5.5, 9.5}) {
        EXPECT_EQ(text(tpi), "the same line") << tpi;
    }
    EXPECT_EQ(text(25.4 / 1.25),
              "keep the half-nut closed and reverse the spindle"); // M8 on an inch leadscrew
}

// The numbers a dial carries name its lines; the choice of gear; the checks.
TEST(Dial, NamesItsNumberedLinesAndTheGearWithTheMostLines) {
    const Dial four{.teeth = {16}, .lines = 8, .numbers = 4};
    EXPECT_EQ(AdviseDial(four, 25.4 / 8, 25.4 / 10).text, "every other line (1, 2, 3, 4)");
    EXPECT_EQ(AdviseDial(four, 25.4 / 8, 25.4 / 13).text, "opposite lines (1 and 3)");
    const Dial twelve{.teeth = {12}, .lines = 12, .numbers = 12};
    EXPECT_EQ(AdviseDial(twelve, 3, 3.0 * 12 / 4).text, "every third line (1, 4, 7, 10)");

    // On a 3 mm leadscrew a 4 mm lead: with 16 teeth a turn is 48 mm, 12
    // leads, and a line 6 mm, every other line; with 14 or 15 teeth a turn is
    // no whole number of leads.
    const Dial metric{.teeth = {14, 15, 16}, .lines = 8, .numbers = 8};
    const DialAdvice advice = AdviseDial(metric, 3, 4);
    EXPECT_EQ(advice.gear, 16u);
    EXPECT_EQ(advice.step, 2u);

    EXPECT_EQ(DialProblem(metric), "");
    EXPECT_EQ(DialProblem({.teeth = {}, .lines = 8, .numbers = 8}), "the dial needs teeth");
    EXPECT_EQ(DialProblem({.teeth = {16}, .lines = 8, .numbers = 3}),
              "the dial's numbers must divide its 8 lines");
    EXPECT_EQ(DialProblem({.teeth = {16}, .lines = 0, .numbers = 1}), "the dial's lines must be 1 to 360");
}

} // namespace
