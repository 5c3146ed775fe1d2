// The example lathes of docs/lathes: every chart row's dial advice, as the
// tool, the chart window and the printed chart show it, read off each dial
// position by position.
#include "brute_force_dial.h"
#include "chart.h"
#include "load_lathe.h"
#include "request.h"
#include "train_facts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace {

using brute_force::Exact;
using brute_force::Reduced;

// A length or ratio of the lathe as an exact fraction: a leadscrew of 8 TPI
// is 127/40 mm.
Exact Rational(double value) {
    for (std::int64_t den = 1; den <= 100000; ++den) {
        const auto num = static_cast<std::int64_t>(std::llround(value * static_cast<double>(den)));
        if (std::fabs(static_cast<double>(num) / static_cast<double>(den) - value) <= 1e-12 * value) {
            return Reduced(num, den);
        }
    }
    ADD_FAILURE() << value << " is no fraction with a denominator up to 100000";
    return {1, 1};
}

Exact Times(Exact x, Exact y) {
    const Exact a = Reduced(x.num, y.den);
    const Exact b = Reduced(y.num, x.den);
    return {a.num * b.num, a.den * b.den};
}

// The lead the train cuts, from its tooth counts: leadscrew x fixed x drivers / driven.
Exact LeadOf(const Thread& thread, const SolutionRecord& train) {
    Exact lead = Times(Rational(LeadscrewMm(thread)), Rational(thread.fixed));
    for (const std::uint32_t teeth : Drivers(train)) {
        lead = Times(lead, {teeth, 1});
    }
    for (const std::uint32_t teeth : Driven(train)) {
        lead = Times(lead, {1, teeth});
    }
    return lead;
}

TEST(ExampleLathes, EveryChartRowsDialAgreesWithTheDialReadPositionByPosition) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(TANDREL_EXAMPLE_LATHES)) {
        if (entry.path().extension() == ".tandrel") {
            files.push_back(entry.path());
        }
    }
    ASSERT_GE(files.size(), 3u);
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        Lathe lathe;
        ASSERT_EQ(LoadLathe(file, lathe).what, "");
        ASSERT_TRUE(lathe.dial.has_value()) << "every example lathe has a threading dial";
        std::vector<Pitch> pitches = lathe.chart;
        for (const auto& list : {MetricPitches(), ImperialPitches(), ModulePitches()}) {
            pitches.insert(pitches.end(), list.begin(), list.end());
        }
        std::optional<ChartRequest> request = LatheChart(lathe, pitches, TrainKind::Compound);
        ASSERT_TRUE(request.has_value());
        std::uint32_t safe = 0;
        std::uint32_t closed = 0;
        for (const std::uint32_t starts : {1u, 2u}) {
            request->lathe.starts = starts;
            for (const ChartRow& row : MakeChart(*request).rows) {
                const std::optional<SolutionRecord>& train = row.best ? row.best : row.nearest;
                if (!train) {
                    continue;
                }
                const TrainFacts facts =
                    FactsOf({}, ArrangingOf(lathe.fitMargin, lathe.banjo), *train, row.target, row.thread);
                ASSERT_TRUE(facts.dial.has_value());
                const auto [gear, step] = brute_force::BruteDial(
                    *lathe.dial, Rational(LeadscrewMm(row.thread)), LeadOf(row.thread, *train));
                EXPECT_EQ(facts.dial->step, step) << PitchText(row.thread.pitch) << " x" << starts;
                EXPECT_EQ(facts.dial->closed, step == 0) << PitchText(row.thread.pitch) << " x" << starts;
                EXPECT_EQ(facts.dial->gear, gear) << PitchText(row.thread.pitch) << " x" << starts;
                EXPECT_NE(facts.dialText, "");
                ++(step == 0 ? closed : safe);
            }
        }
        // Each lathe has threads of its own leadscrew's kind and of the other kind.
        EXPECT_GT(safe, 0u);
        EXPECT_GT(closed, 0u);
    }
}

} // namespace
