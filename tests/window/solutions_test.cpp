// Recalculation, show solution and navigation, driven through the window's
// controls: box clicks, the ratio field's keys, the up-down's arrows and the option boxes.
#include "window_fixture.h"

#include "gear_box_id.h"
#include "gear_search.h"
#include "program_state.h"
#include "resource.h"

#include <commctrl.h>

#include <random>
#include <string>
#include <vector>

namespace {

// A command line whose gear-set string checks exactly the given tooth counts.
std::string CommandLineWith(std::initializer_list<unsigned> teeth) {
    std::string set(150, '0');
    for (unsigned tooth : teeth) {
        set[tooth - 16] = '1';
    }
    return "tandrel.exe " + set;
}

int Position(HWND mainWindow) {
    return static_cast<short>(LOWORD(SendDlgItemMessageW(mainWindow, IDC_SOLUTION_UPDOWN, UDM_GETPOS, 0, 0)));
}

} // namespace

class SolutionsTest : public MainWindowTest {
  protected:
    void ExpectNothingShown() {
        for (int id = IDC_FIRST_DRIVER; id <= IDC_ZERO_COUNT; ++id) {
            EXPECT_EQ(Text(id), "") << id;
        }
        EXPECT_FALSE(Visible(IDC_SOLUTION_UPDOWN));
        EXPECT_FALSE(Visible(IDC_SOLUTION_COUNTER));
    }

    // The tooth fields show record `index` in the default order (both options checked).
    void ExpectShown(std::size_t index) {
        ASSERT_LT(index, g_solutionList.size());
        const SolutionRecord& record = g_solutionList[index];
        EXPECT_EQ(Text(IDC_FIRST_DRIVER), std::to_string(record.driver1));
        EXPECT_EQ(Text(IDC_FIRST_DRIVEN), std::to_string(record.driven2));
        EXPECT_EQ(Text(IDC_SECOND_DRIVER), std::to_string(record.driver2));
        EXPECT_EQ(Text(IDC_SECOND_DRIVEN), std::to_string(record.driven1));
        EXPECT_EQ(Text(IDC_SOLUTION_COUNTER), std::to_string(index + 1));
    }

    void BlankToothFields() {
        for (int id = IDC_FIRST_DRIVER; id <= IDC_SECOND_DRIVEN; ++id) {
            SetDlgItemTextA(window, id, "");
        }
    }
};

TEST_F(SolutionsTest, ABoxClickShowsTheFirstSolutionWithItsRange) {
    EnterRatio("1.2345");
    ASSERT_GT(g_solutionList.size(), 1u);
    EXPECT_LE(g_solutionList.size(), 100u);
    EXPECT_TRUE(Visible(IDC_SOLUTION_UPDOWN));
    EXPECT_TRUE(Visible(IDC_SOLUTION_COUNTER));
    ExpectShown(0);
    EXPECT_EQ(Position(window), 1);
    const LRESULT range = SendDlgItemMessageW(window, IDC_SOLUTION_UPDOWN, UDM_GETRANGE, 0, 0);
    EXPECT_EQ(HIWORD(range), 1); // lower limit
    EXPECT_EQ(LOWORD(range), g_solutionList.size());
    EXPECT_FALSE(Text(IDC_ACHIEVED_RATIO).empty());
    EXPECT_EQ(FocusId(), IDC_RATIO);
}

TEST_F(SolutionsTest, InputsThatGiveNoTrainShowNothing) {
    for (const char* text : {"", ".", "0", "500"}) {
        SCOPED_TRACE(text);
        EnterRatio("1.2345");
        ASSERT_FALSE(g_solutionList.empty());
        EnterRatio(text);
        EXPECT_TRUE(g_solutionList.empty());
        ExpectNothingShown();
    }
}

TEST_F(SolutionsTest, NoCheckedGearShowsNothing) {
    StartWindow("tandrel.exe 0");
    EnterRatio("1.5");
    EXPECT_TRUE(g_solutionList.empty());
    ExpectNothingShown();
}

TEST_F(SolutionsTest, OnlyTheFirstSeventeenCharactersOfTheRatioAreRead) {
    // Read in whole this would be 1.5; its first 17 characters are 1.
    EnterRatio("00000000000000001.5");
    ASSERT_FALSE(g_solutionList.empty());
    EXPECT_EQ(Text(IDC_ACHIEVED_RATIO), "1.00000000000000");
    EXPECT_EQ(Text(IDC_ERROR), "0.00000000000000");
    EXPECT_EQ(Text(IDC_ZERO_COUNT), "");
}

TEST_F(SolutionsTest, ARunSeesTheClickedBoxInItsNewState) {
    // 20 * 42 = 21 * 40: the fourth gear completes a train of ratio 1.
    StartWindow(CommandLineWith({20, 21, 40}).c_str());
    SetDlgItemTextA(window, IDC_RATIO, "1");
    Click(GearBoxId(42));
    ASSERT_FALSE(g_solutionList.empty());
    EXPECT_EQ(Text(IDC_ERROR), "0.00000000000000");
    Click(GearBoxId(42));
    EXPECT_TRUE(g_solutionList.empty());
    ExpectNothingShown();
}

// The search takes the stock as the boxes show it after many clicks, one of
// them from the keyboard (space on a box that has the focus).
TEST_F(SolutionsTest, TheSearchTakesTheBoxesAsTheUserLeftThem) {
    SetDlgItemTextA(window, IDC_RATIO, "1.5");
    std::mt19937 random(3);
    for (int k = 0; k < 40; ++k) {
        Click(GearBoxId(ToothOfIndex(static_cast<int>(random() % kGearCount))));
    }
    HWND box = GetDlgItem(window, GearBoxId(50));
    const bool wasChecked = Checked(GearBoxId(50));
    SetFocus(box);
    SendMessageW(box, WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageW(box, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
    ASSERT_NE(Checked(GearBoxId(50)), wasChecked);

    Stock stock;
    for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
        stock.count[tooth] = Checked(GearBoxId(tooth)) ? 1 : 0;
    }
    const SearchResult expected = FindGearTrains(1.5, stock);
    ASSERT_EQ(g_solutionList.size(), expected.solutions.size());
    for (std::size_t i = 0; i < g_solutionList.size(); ++i) {
        EXPECT_EQ(g_solutionList[i].driver1, expected.solutions[i].driver1);
        EXPECT_EQ(g_solutionList[i].driver2, expected.solutions[i].driver2);
        EXPECT_EQ(g_solutionList[i].driven1, expected.solutions[i].driven1);
        EXPECT_EQ(g_solutionList[i].driven2, expected.solutions[i].driven2);
    }
}

TEST_F(SolutionsTest, TypingIntoTheRatioFieldRecalculatesOnTheKeyRelease) {
    HWND field = GetDlgItem(window, IDC_RATIO);
    SendMessageW(field, WM_CHAR, '2', 0x00030001);
    EXPECT_EQ(Text(IDC_RATIO), "2");
    EXPECT_TRUE(g_solutionList.empty()); // the run for the character saw the empty text
    ExpectNothingShown();
    SendMessageW(field, WM_KEYUP, '2', 0xC0030001);
    ASSERT_FALSE(g_solutionList.empty());
    ExpectShown(0);
    EXPECT_EQ(HIWORD(SendDlgItemMessageW(window, IDC_SOLUTION_UPDOWN, UDM_GETRANGE, 0, 0)), 1);
}

TEST_F(SolutionsTest, TheShownErrorFollowsTheRatioText) {
    // 20 * 42 / (21 * 40) is exactly 1; its neighbours in this stock are far away.
    StartWindow(CommandLineWith({20, 21, 40, 42}).c_str());
    EnterRatio("1.0001");
    ASSERT_FALSE(g_solutionList.empty());
    EXPECT_EQ(Text(IDC_ACHIEVED_RATIO), "1.00000000000000");
    EXPECT_EQ(Text(IDC_ERROR), "-0.00010000000000");
    EXPECT_EQ(Text(IDC_ZERO_COUNT), "3");
}

TEST_F(SolutionsTest, WithOneSolutionTheArrowsStayAtOne) {
    // 40 * 42 / (20 * 21) = 4 is the only train of these gears near 4.
    StartWindow(CommandLineWith({20, 21, 40, 42}).c_str());
    EnterRatio("4");
    ASSERT_EQ(g_solutionList.size(), 1u);
    EXPECT_EQ(Text(IDC_FIRST_DRIVER), "40");
    EXPECT_EQ(Text(IDC_FIRST_DRIVEN), "21");
    EXPECT_EQ(Text(IDC_SECOND_DRIVER), "42");
    EXPECT_EQ(Text(IDC_SECOND_DRIVEN), "20");

    BlankToothFields();
    StepUpDown(+1); // past the end: nothing is shown again
    EXPECT_EQ(Text(IDC_FIRST_DRIVER), "");
    EXPECT_EQ(Text(IDC_SOLUTION_COUNTER), "1");

    StepUpDown(-1); // at the lower end: solution 1 again
    ExpectShown(0);
    EXPECT_EQ(Position(window), 1);
}

TEST_F(SolutionsTest, ArrowsStepOneSolutionAtATimeUpToTheLast) {
    EnterRatio("1.2345");
    const std::size_t count = g_solutionList.size();
    ASSERT_GT(count, 2u);
    for (std::size_t shown = 1; shown < count; ++shown) {
        StepUpDown(+1);
        ExpectShown(shown);
    }
    StepUpDown(+1);
    ExpectShown(count - 1);
    EXPECT_EQ(Position(window), static_cast<int>(count));

    StepUpDown(-1);
    ExpectShown(count - 2);
}

TEST_F(SolutionsTest, AnOptionClickShowsTheSameSolutionInTheNewOrder) {
    EnterRatio("1.2345");
    ASSERT_GE(g_solutionList.size(), 7u);
    for (int step = 0; step < 6; ++step) {
        StepUpDown(+1);
    }
    ExpectShown(6);
    const SolutionRecord record = g_solutionList[6];
    SetFocus(GetDlgItem(window, IDC_FIRST_DRIVER_SMALLER));

    Click(IDC_FIRST_DRIVER_SMALLER);
    EXPECT_FALSE(Checked(IDC_FIRST_DRIVER_SMALLER));
    EXPECT_EQ(Text(IDC_SOLUTION_COUNTER), "7");
    EXPECT_EQ(Text(IDC_FIRST_DRIVER), std::to_string(record.driver2));
    EXPECT_EQ(Text(IDC_SECOND_DRIVER), std::to_string(record.driver1));
    EXPECT_EQ(Text(IDC_FIRST_DRIVEN), std::to_string(record.driven2));
    EXPECT_EQ(FocusId(), IDC_RATIO);

    Click(IDC_FIRST_DRIVEN_LARGER);
    EXPECT_EQ(Text(IDC_FIRST_DRIVEN), std::to_string(record.driven1));
    EXPECT_EQ(Text(IDC_SECOND_DRIVEN), std::to_string(record.driven2));
    EXPECT_EQ(Text(IDC_SOLUTION_COUNTER), "7");
}

TEST_F(SolutionsTest, AnOptionClickWithoutSolutionsShowsNothing) {
    Click(IDC_FIRST_DRIVEN_LARGER);
    ExpectNothingShown();
    EXPECT_EQ(FocusId(), IDC_RATIO);
}

TEST_F(SolutionsTest, ARecalculationStartsAgainAtTheFirstSolution) {
    EnterRatio("1.2345");
    ASSERT_GE(g_solutionList.size(), 12u);
    for (int step = 0; step < 11; ++step) {
        StepUpDown(+1);
    }
    ExpectShown(11);
    EnterRatio("1.2346");
    ExpectShown(0);
    EXPECT_EQ(Position(window), 1);
}

TEST_F(SolutionsTest, TrainsThatNeedMoreGearsThanOnHandAreNotShown) {
    // Every train of 20 and 40 near 1 uses one of them twice.
    StartWindow(CommandLineWith({20, 40}).c_str());
    EnterRatio("1");
    EXPECT_TRUE(g_solutionList.empty());
    ExpectNothingShown();
    const LRESULT range = SendDlgItemMessageW(window, IDC_SOLUTION_UPDOWN, UDM_GETRANGE, 0, 0);
    EXPECT_EQ(HIWORD(range), 1);
    EXPECT_EQ(LOWORD(range), 0);

    g_multiplicityTable[20] = 2;
    g_multiplicityTable[40] = 2;
    EnterRatio("1");
    ASSERT_FALSE(g_solutionList.empty());
    EXPECT_EQ(Text(IDC_ERROR), "0.00000000000000");
    EXPECT_TRUE(Visible(IDC_SOLUTION_COUNTER));
}
