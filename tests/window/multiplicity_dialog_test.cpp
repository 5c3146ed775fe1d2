// The multiplicity dialog in the real main window, opened by a right-button
// press on a gear box and driven from inside its own modal loop.
#include "gear_box_id.h"
#include "gear_set.h"
#include "program_state.h"
#include "recalculate.h"
#include "resource.h"
#include "window_fixture.h"

#include <commctrl.h>

#include <string>

namespace {

class MultiplicityDialogTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        StartWindow(("tandrel.exe " + std::string(kGearCount, '1')).c_str());
    }

    HWND Box(unsigned tooth) const { return GetDlgItem(window, GearBoxId(tooth)); }

    // Presses the right button on the box of tooth and runs action inside the
    // dialog it opens (if it opens one); returns whether the action ran.
    bool InDialogOf(unsigned tooth, std::function<void(HWND dialog)> action) {
        bool ran = false;
        OnNextDialog([&](HWND dialog) {
            ran = true;
            action(dialog);
        });
        SendMessageW(Box(tooth), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
        SendMessageW(Box(tooth), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
        Pump();
        EXPECT_FALSE(DialogForcedClosed());
        return ran;
    }

    // Sets the multiplicity of tooth through the dialog and closes it with OK.
    void SetMultiplicity(unsigned tooth, int multiplicity) {
        EXPECT_TRUE(InDialogOf(tooth, [&](HWND dialog) {
            Choose(dialog, multiplicity);
            PressOk(dialog);
        }));
    }

    static void Choose(HWND dialog, int multiplicity) {
        SendDlgItemMessageW(dialog, IDC_MULTIPLICITY_BASE + multiplicity, BM_CLICK, 0, 0);
    }
    static void PressOk(HWND dialog) { SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0); }

    // Posts a key to the focused control and runs the dialog's own message
    // handling until the queue is empty, as its modal loop would.
    static void PressKey(HWND dialog, WPARAM key) {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageW(dialog, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }

    static int CheckedRadio(HWND dialog) {
        for (int k = 1; k <= 3; ++k) {
            if (IsDlgButtonChecked(dialog, IDC_MULTIPLICITY_BASE + k) == BST_CHECKED) {
                return k;
            }
        }
        return 0;
    }

    HFONT BoxFontHandle(unsigned tooth) const {
        return reinterpret_cast<HFONT>(SendMessageW(Box(tooth), WM_GETFONT, 0, 0));
    }
    LOGFONTW BoxFont(unsigned tooth) const {
        LOGFONTW font = {};
        GetObjectW(BoxFontHandle(tooth), sizeof font, &font);
        return font;
    }

    static RECT WindowRect(HWND w) {
        RECT rect = {};
        GetWindowRect(w, &rect);
        return rect;
    }
};

TEST_F(MultiplicityDialogTest, UncheckedBoxOpensNothing) {
    Click(GearBoxId(40));
    ASSERT_FALSE(Checked(GearBoxId(40)));
    EXPECT_FALSE(InDialogOf(40, [](HWND dialog) { EndDialog(dialog, 0); }));
}

TEST_F(MultiplicityDialogTest, OpensOwnedByMainWindowWithFocusAndNoCloseBox) {
    EXPECT_TRUE(InDialogOf(40, [&](HWND dialog) {
        EXPECT_EQ(GetParent(dialog), window);
        EXPECT_FALSE(IsWindowEnabled(window)); // modal
        // Checking a radio button makes it a tab stop, so the platform's
        // default focus goes to the checked radio button rather than to OK.
        EXPECT_EQ(GetParent(GetFocus()), dialog);
        EXPECT_EQ(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_SYSMENU, 0);
        PressOk(dialog);
    }));
    EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(MultiplicityDialogTest, CaptionNamesTheToothCount) {
    for (unsigned tooth : {16u, 90u, 165u}) {
        std::string caption;
        InDialogOf(tooth, [&](HWND dialog) {
            char text[64] = {};
            GetWindowTextA(dialog, text, sizeof text);
            caption = text;
            PressOk(dialog);
        });
        EXPECT_EQ(caption, "Number " + std::to_string(tooth) + "T Gears");
    }
}

// Left five columns (up to 90): at the box's right edge; right five: on its
// left side, overlapping it by 2 pixels.
TEST_F(MultiplicityDialogTest, PlacedBesideTheBox) {
    const struct {
        unsigned tooth;
        bool onRight;
    } cases[] = {{90, true}, {16, true}, {91, false}, {165, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tooth);
        RECT box = WindowRect(Box(c.tooth));
        RECT placed = {};
        InDialogOf(c.tooth, [&](HWND dialog) {
            placed = WindowRect(dialog);
            PressOk(dialog);
        });
        EXPECT_EQ(placed.left, c.onRight ? box.right : box.left - 144);
        EXPECT_EQ(placed.top, box.top - 24);
        EXPECT_EQ(placed.right - placed.left, 146);
        EXPECT_EQ(placed.bottom - placed.top, 72);
    }
}

TEST_F(MultiplicityDialogTest, OpensWithCurrentMultiplicityChecked) {
    int seen = 0;
    InDialogOf(40, [&](HWND dialog) {
        seen = CheckedRadio(dialog);
        PressOk(dialog);
    });
    EXPECT_EQ(seen, 1);
    SetMultiplicity(40, 3);
    InDialogOf(40, [&](HWND dialog) {
        seen = CheckedRadio(dialog);
        PressOk(dialog);
    });
    EXPECT_EQ(seen, 3);
}

// The box's label font marks the multiplicity: semibold for 2, semibold and
// underlined for 3, narrower for three-digit labels.
TEST_F(MultiplicityDialogTest, ChoiceMarksTheBoxFont) {
    const struct {
        unsigned tooth;
        int multiplicity;
        LONG weight;
        bool underline;
        LONG width;
    } cases[] = {
        {40, 2, 600, false, 8},  {40, 3, 600, true, 8},  {40, 1, 100, false, 9},
        {120, 2, 600, false, 6}, {120, 3, 600, true, 6}, {120, 1, 100, false, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.tooth) + " x" + std::to_string(c.multiplicity));
        SetMultiplicity(c.tooth, c.multiplicity);
        EXPECT_EQ(g_multiplicityTable[c.tooth], c.multiplicity);
        LOGFONTW font = BoxFont(c.tooth);
        EXPECT_EQ(font.lfWeight, c.weight);
        EXPECT_EQ(font.lfUnderline != 0, c.underline);
        EXPECT_EQ(font.lfWidth, c.width);
        EXPECT_EQ(font.lfItalic, 0);
        EXPECT_EQ(font.lfHeight, -16);
        EXPECT_EQ(font.lfQuality, CLEARTYPE_QUALITY);
        EXPECT_EQ(font.lfOutPrecision, OUT_TT_ONLY_PRECIS);
        EXPECT_EQ(std::wstring(font.lfFaceName), L"Segoe UI");
    }
}

// Each click stores at once and re-marks the box; the last click counts.
TEST_F(MultiplicityDialogTest, LastClickCounts) {
    InDialogOf(40, [&](HWND dialog) {
        Choose(dialog, 3);
        EXPECT_EQ(g_multiplicityTable[40], 3);
        EXPECT_NE(BoxFont(40).lfUnderline, 0);
        Choose(dialog, 1);
        PressOk(dialog);
    });
    EXPECT_EQ(g_multiplicityTable[40], 1);
    EXPECT_EQ(BoxFont(40).lfWeight, 100);
    EXPECT_EQ(BoxFont(40).lfUnderline, 0);
    EXPECT_EQ(BoxFont(40).lfWidth, 9);
}

// Only OK recalculates, also without a choice, and it puts the focus back on
// the ratio field.
TEST_F(MultiplicityDialogTest, OkRecalculatesAndFocusesRatioField) {
    SetDlgItemTextA(window, IDC_RATIO, "2");
    InDialogOf(40, [&](HWND dialog) {
        Choose(dialog, 2);
        EXPECT_TRUE(Text(IDC_ACHIEVED_RATIO).empty());
        Choose(dialog, 1);
        PressOk(dialog);
    });
    EXPECT_FALSE(Text(IDC_ACHIEVED_RATIO).empty());
    EXPECT_TRUE(Visible(IDC_SOLUTION_UPDOWN));
    EXPECT_EQ(FocusId(), IDC_RATIO);

    SetDlgItemTextA(window, IDC_RATIO, "");
    Recalculate(window);
    SetDlgItemTextA(window, IDC_RATIO, "3");
    SetFocus(window);
    InDialogOf(40, [&](HWND dialog) { PressOk(dialog); });
    EXPECT_FALSE(Text(IDC_ACHIEVED_RATIO).empty());
    EXPECT_EQ(FocusId(), IDC_RATIO);
    EXPECT_EQ(g_multiplicityTable[40], 1);
}

// Escape closes the dialog with the multiplicity and the box's mark as they
// were and no recalculation; Enter chooses OK.
TEST_F(MultiplicityDialogTest, EscapeChangesNothingAndEnterChoosesOk) {
    SetMultiplicity(40, 2);
    SetDlgItemTextA(window, IDC_RATIO, "2");
    bool openAfterEscape = true;
    bool openAfterEnter = true;
    InDialogOf(40, [&](HWND dialog) {
        Choose(dialog, 3);
        PressKey(dialog, VK_ESCAPE);
        openAfterEscape = IsWindowVisible(dialog) != FALSE;
    });
    EXPECT_EQ(g_multiplicityTable[40], 2);
    EXPECT_EQ(BoxFont(40).lfUnderline, 0);
    EXPECT_TRUE(Text(IDC_ACHIEVED_RATIO).empty());
    InDialogOf(40, [&](HWND dialog) {
        PressKey(dialog, VK_RETURN);
        openAfterEnter = IsWindowVisible(dialog) != FALSE;
    });
    EXPECT_FALSE(openAfterEscape);
    EXPECT_FALSE(openAfterEnter);
}

TEST_F(MultiplicityDialogTest, UncheckingAndRecheckingKeepsMultiplicityAndMark) {
    SetMultiplicity(120, 3);
    HFONT mark = BoxFontHandle(120);
    Click(GearBoxId(120));
    Click(GearBoxId(120));
    EXPECT_TRUE(Checked(GearBoxId(120)));
    EXPECT_EQ(g_multiplicityTable[120], 3);
    EXPECT_EQ(BoxFontHandle(120), mark);
}

// Every click makes a new mark font and deletes the one it replaces (a deleted
// handle has no object type), while the start-up fonts that other boxes share stay.
TEST_F(MultiplicityDialogTest, ReplacedMarkFontsAreFreed) {
    HFONT regular = BoxFontHandle(40);
    HFONT narrow = BoxFontHandle(120);
    int replacedLeft = 0;
    InDialogOf(40, [&](HWND dialog) {
        Choose(dialog, 2);
        for (int i = 0; i < 300; ++i) {
            HFONT replaced = BoxFontHandle(40);
            Choose(dialog, 2 + i % 2);
            replacedLeft += replaced == nullptr || GetObjectType(replaced) != 0;
        }
        PressOk(dialog);
    });
    SetMultiplicity(120, 3);
    SetMultiplicity(120, 2);
    EXPECT_EQ(replacedLeft, 0);
    EXPECT_EQ(GetObjectType(regular), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(GetObjectType(narrow), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(BoxFontHandle(41), regular);
    EXPECT_EQ(BoxFontHandle(121), narrow);
}

// With only 20 and 40 on hand, a ratio of 2 needs one of them three times:
// 40·40 / (20·40) or 40·20 / (20·20).
TEST_F(MultiplicityDialogTest, TwoGearStockFindsTrainsOnlyAtThreeOfEach) {
    std::string gearSet(kGearCount, '0');
    gearSet[IndexOfTooth(20)] = '1';
    gearSet[IndexOfTooth(40)] = '1';
    StartWindow(("tandrel.exe " + gearSet).c_str());
    HWND field = GetDlgItem(window, IDC_RATIO);
    SendMessageW(field, WM_CHAR, '2', 1);
    SendMessageW(field, WM_KEYUP, '2', 0xC0000001);
    EXPECT_TRUE(Text(IDC_ACHIEVED_RATIO).empty());

    SetMultiplicity(20, 2);
    SetMultiplicity(40, 2);
    EXPECT_TRUE(Text(IDC_ACHIEVED_RATIO).empty());
    EXPECT_FALSE(Visible(IDC_SOLUTION_UPDOWN));

    SetMultiplicity(20, 3);
    SetMultiplicity(40, 3);
    EXPECT_EQ(g_solutionList.size(), 2u);
    EXPECT_EQ(Text(IDC_ACHIEVED_RATIO), "2.00000000000000");
    EXPECT_TRUE(Visible(IDC_SOLUTION_UPDOWN));
    EXPECT_EQ(LOWORD(SendDlgItemMessageW(window, IDC_SOLUTION_UPDOWN, UDM_GETRANGE, 0, 0)), 2);
}

} // namespace
