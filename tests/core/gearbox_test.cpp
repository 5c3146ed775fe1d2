#include "gearbox.h"

#include "brute_force_trains.h"
#include "chart.h"
#include "example_lathes.h"
#include "lathe.h"
#include "request.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace {

// Every train of four gears at every setting and the plate's gears at each,
// from the nested loops, in the order the answer promises: by the error at
// the leadscrew (within 1e-12 of the target counting as equal), the plate's
// gears first, then fewer gears, then TrainBefore's order, then the setting.
std::vector<SolutionRecord> BruteForce(const Lathe& lathe, const SearchRequest& request) {
    const double tolerance = request.tolerance.For(request.target);
    std::vector<SolutionRecord> all;
    if (!request.gearbox) {
        return brute_force::FindEveryTrain(request.target, request.stock,
                                           {tolerance, request.limit, request.fitMargin, request.banjo})
            .solutions;
    }
    const BoxSettings& box = *request.gearbox;
    for (std::size_t i = 0; i < box.ratios.size(); ++i) {
        const auto setting = static_cast<std::uint32_t>(i + 1);
        const double plate = lathe.gearbox->plate ? lathe.gearbox->plate->ratio : 0;
        if (plate != 0 && std::fabs(plate * box.ratios[i] - request.target) < tolerance) {
            all.push_back({std::fabs(plate * box.ratios[i] - request.target), 0, 0, 0, 0, 0, 0, 0, 0, setting,
                           plate * box.ratios[i]});
        }
        if (box.plateOnly) {
            continue;
        }
        for (SolutionRecord train :
             brute_force::FindEveryTrain(request.target / box.ratios[i], request.stock,
                                         {tolerance / box.ratios[i], 0, request.fitMargin, request.banjo})
                 .solutions) {
            if (plate != 0 && std::fabs(TrainRatio(train) - plate) <= plate * 1e-12) {
                continue; // the plate's gears at this setting stand for it
            }
            train.setting = setting;
            train.box = box.ratios[i];
            train.error = std::fabs(TrainRatio(train) - request.target);
            all.push_back(train);
        }
    }
    const double step = request.target * 1e-12;
    std::ranges::sort(all, [step](const SolutionRecord& x, const SolutionRecord& y) {
        const auto key = [step](const SolutionRecord& t) {
            return std::tuple(std::floor(t.error / step), t.gears != 0, t.gears);
        };
        if (key(x) != key(y)) {
            return key(x) < key(y);
        }
        return TrainBefore(x, y) || (!TrainBefore(y, x) && x.setting < y.setting);
    });
    if (request.limit != 0 && all.size() > request.limit) {
        all.resize(request.limit);
    }
    return all;
}

std::string Described(const SolutionRecord& t) {
    return "setting " + std::to_string(t.setting) + ": " + std::to_string(t.gears) + " gears " +
           std::to_string(t.driver1) + " " + std::to_string(t.driver2) + " / " + std::to_string(t.driven1) +
           " " + std::to_string(t.driven2);
}

} // namespace

// On every example lathe, a lathe without a gearbox among them, every third
// pitch of the metric and the inch lists: the answer's first trains (all
// counted, and the first three as a chart's rows take them, uncounted, where
// later settings search only below the trains found) and the plate's gears
// alone are those of the nested loops over settings and trains.
TEST(Gearbox, SearchEqualsBruteForceOnTheExampleLathes) {
    bool sawGearbox = false;
    for (const ExampleLathe& example : kExampleLathes) {
        Lathe lathe;
        ASSERT_EQ(ReadLathe(example.text, lathe).what, "") << example.file;
        sawGearbox |= lathe.gearbox.has_value();
        std::vector<Pitch> pitches = MetricPitches();
        for (const Pitch& pitch : ImperialPitches()) {
            pitches.push_back(pitch);
        }
        for (std::size_t p = 0; p < pitches.size(); p += 3) {
            const Thread thread{pitches[p], 1, *lathe.leadscrew, lathe.fixed};
            for (const auto& [limit, count, plateGears] :
                 {std::tuple{100u, true, false}, {3u, false, false}, {100u, true, true}}) {
                if (plateGears && !(lathe.gearbox && lathe.gearbox->plate)) {
                    continue;
                }
                SearchRequest request = LatheSearch(lathe, TargetRatio(thread), TrainKind::Compound,
                                                    {.thread = true, .plateGears = plateGears});
                request.limit = limit;
                request.count = count;
                const std::vector<SolutionRecord> found = RunSearch(request).solutions;
                const std::vector<SolutionRecord> expected = BruteForce(lathe, request);
                ASSERT_EQ(found.size(), expected.size()) << example.file << " " << ThreadName(thread);
                for (std::size_t i = 0; i < found.size(); ++i) {
                    EXPECT_EQ(Described(found[i]), Described(expected[i]))
                        << example.file << " " << ThreadName(thread) << " #" << i + 1;
                }
            }
        }
    }
    EXPECT_TRUE(sawGearbox) << "an example lathe has a gearbox";
}

// The dialog's lines and the plate's gears read back as they are written, and
// a line that does not read is named with its number.
TEST(Gearbox, LinesAndPlateGearsReadBackAndRefusalsNameTheLine) {
    Gearbox gearbox{{{"A1", 0.25}, {"C-4", 1, Pitch{11, PitchUnit::Tpi}}, {"B 2", 1, {}}}, std::nullopt};
    ReadPitch("M6", *(gearbox.settings[2].thread = Pitch{}));
    Gearbox read{{}, PlateGears{0.5}};
    ASSERT_EQ(ReadGearboxLines("\r\n" + GearboxLines(gearbox) + "\n  \n", read), "");
    EXPECT_TRUE(read.settings == gearbox.settings);
    EXPECT_TRUE(read.plate == PlateGears{0.5}) << "the lines leave the plate's gears alone";

    for (const char* text : {"0.5", "40:80", "20 127 / 60 50", "20 30 40 / 50 60 70"}) {
        PlateGears plate;
        ASSERT_EQ(ReadPlateGears(text, plate), "") << text;
        EXPECT_EQ(PlateGearsText(plate), text);
    }
    PlateGears plate;
    ASSERT_EQ(ReadPlateGears(" 20 127/60 50 ", plate), "");
    EXPECT_DOUBLE_EQ(plate.ratio, 20.0 * 127 / (60 * 50));

    const struct {
        const char* lines;
        const char* problem;
    } refused[] = {
        {"A1 = 0.5\n\nB2 = 11 tqi", "line 3: setting 'B2' '11 tqi' has an unknown unit"},
        {"A1 = 0.5\nA1 = 2", "line 2: setting 'A1' is named twice"},
        {"A1 0.5", "line 1: 'A1 0.5' needs the form name = value"},
        {" = 0.5", "line 1: a setting needs a name"},
        {"A1 = 0", "line 1: setting 'A1' '0' is zero"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ = 1",
         "line 1: setting 'ABCDEFGHIJKLMNOPQRSTUVWXYZ': a name holds at most 24"},
    };
    for (const auto& [lines, problem] : refused) {
        Gearbox kept = gearbox;
        EXPECT_EQ(ReadGearboxLines(lines, kept).substr(0, std::string_view(problem).size()), problem);
        EXPECT_TRUE(kept == gearbox) << "a refused text changes nothing";
    }
}
