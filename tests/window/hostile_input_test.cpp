// Hostile input to the real main window: a command line of 100,000 characters,
// clipboard texts of 1 MB pasted through the ratio field's menu, and 3,000
// random inputs from a fixed seed. After each, the window shows what the
// portable search gives for the field's text and the gear boxes, and the
// program's GDI objects do not grow beyond the mark fonts its boxes hold.
#include "gear_box_id.h"
#include "gear_search.h"
#include "gear_set.h"
#include "number_text.h"
#include "paste_rules.h"
#include "program_state.h"
#include "resource.h"
#include "solution_texts.h"
#include "window_fixture.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

class HostileInputTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        RecordBoxes("tandrel.exe");
    }

    // The window for a command line.
    void Start(const std::string& commandLine) {
        StartWindow(commandLine.c_str());
        RecordBoxes(commandLine);
    }

    // The test keeps its own record of the boxes, from the command line and the clicks.
    void RecordBoxes(const std::string& commandLine) {
        const std::string gearSet = ExtractGearSetString(commandLine);
        for (int k = 0; k < kGearCount; ++k) {
            checked[k] = StartsChecked(gearSet, k);
        }
    }

    void TypeCharacter(WPARAM character) const {
        SendDlgItemMessageW(window, IDC_RATIO, WM_CHAR, character, 1);
        SendDlgItemMessageW(window, IDC_RATIO, WM_KEYUP, 'A', 0xC0000001);
    }

    // What differs between the window and the search for the field's text and
    // the boxes ("" when nothing): the trains shown by the up-down's position,
    // the counter and the range, or blank fields and hidden navigation.
    std::string ShownUnlikeSearch() const {
        const std::string ratioText = Text(IDC_RATIO);
        const std::vector<SolutionRecord> trains =
            FindGearTrains(RatioFromText(ratioText), StockOf(checked, g_multiplicityTable)).solutions;
        std::array<std::string, 7> expected{};
        if (!trains.empty()) {
            const LRESULT range = SendDlgItemMessageW(window, IDC_SOLUTION_UPDOWN, UDM_GETRANGE, 0, 0);
            const int position = static_cast<short>(
                LOWORD(SendDlgItemMessageW(window, IDC_SOLUTION_UPDOWN, UDM_GETPOS, 0, 0)));
            if (HIWORD(range) != 1 || LOWORD(range) != trains.size() || position < 1 ||
                position > static_cast<int>(trains.size()) ||
                Text(IDC_SOLUTION_COUNTER) != std::to_string(position)) {
                return "navigation for " + std::to_string(trains.size()) + " trains: range " +
                       std::to_string(HIWORD(range)) + ".." + std::to_string(LOWORD(range)) + ", position " +
                       std::to_string(position) + ", counter " + Text(IDC_SOLUTION_COUNTER);
            }
            const SolutionTexts texts =
                MakeSolutionTexts(trains[position - 1], ratioText, Checked(IDC_FIRST_DRIVER_SMALLER),
                                  Checked(IDC_FIRST_DRIVEN_LARGER));
            expected = {texts.firstDriver,   texts.firstDriven, texts.secondDriver, texts.secondDriven,
                        texts.achievedRatio, texts.error,       texts.zeroCount};
        }
        if (Visible(IDC_SOLUTION_UPDOWN) != !trains.empty() ||
            Visible(IDC_SOLUTION_COUNTER) != !trains.empty()) {
            return "navigation shown for " + std::to_string(trains.size()) + " trains";
        }
        for (int id = IDC_FIRST_DRIVER; id <= IDC_ZERO_COUNT; ++id) {
            if (Text(id) != expected[id - IDC_FIRST_DRIVER]) {
                return "field " + std::to_string(id) + " shows '" + Text(id) + "', the search gives '" +
                       expected[id - IDC_FIRST_DRIVER] + "' for '" + ratioText + "'";
            }
        }
        return "";
    }

    // The live GDI objects of the process. GetGuiResources counts nothing
    // under Wine, whose handle lookup takes a handle's low word alone, so
    // there every index is tried.
    static int LiveGdiObjects() {
        const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        if (counted != 0) {
            return static_cast<int>(counted);
        }
        int live = 0;
        for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
            live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
        }
        return live;
    }

    // The GDI objects beside the mark fonts, one for each box whose gear is
    // owned more than once: that many stay alive as long as the marks show.
    static int GdiObjectsBesideMarks() {
        return LiveGdiObjects() -
               static_cast<int>(std::count_if(std::begin(g_markFonts), std::end(g_markFonts),
                                              [](HFONT font) { return font != nullptr; }));
    }

    // Another thread's message is answered within a second while the test's loop runs.
    bool Answers() {
        std::atomic<bool> answered = false;
        std::atomic<bool> done = false;
        std::thread asker([&] {
            DWORD_PTR result = 0;
            answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
            done = true;
        });
        while (!done) {
            RunMessageLoop(1);
        }
        asker.join();
        return answered;
    }

    std::array<bool, kGearCount> checked{};
};

// The gear boxes start as the command line's trailing run of gear-set
// characters says, and a search with that stock shows as it should.
TEST_F(HostileInputTest, HundredThousandCharacterCommandLines) {
    std::mt19937 random(12);
    const auto made = [&](const char* alphabet) {
        std::string text(100'000, ' ');
        for (char& c : text) {
            c = alphabet[random() % std::strlen(alphabet)];
        }
        return text;
    };
    const std::string commandLines[] = {
        std::string(100'000, '1'), std::string(100'000, '"'), made("\"01"),
        made("\"01x \t\xff"),      made("0x") + "1",          made("\"01") + made("1\"") + " " + made("\"1"),
    };
    for (const std::string& commandLine : commandLines) {
        SCOPED_TRACE(commandLine.substr(commandLine.size() - 20));
        Start("tandrel.exe " + commandLine);
        ASSERT_TRUE(IsWindowVisible(window));
        for (int k = 0; k < kGearCount; ++k) {
            ASSERT_EQ(Checked(GearBoxId(ToothOfIndex(k))), checked[k]) << "tooth " << ToothOfIndex(k);
        }
        TypeCharacter('2');
        EXPECT_EQ(ShownUnlikeSearch(), "");
    }
}

int menuTicks = 0;
bool pasteGrayed = false;

// Inside the ratio field's menu: notes whether Paste is grayed, and chooses it
// when it is not (Copy is grayed without a selection, so Up reaches Paste);
// otherwise Escape ends the menu.
void CALLBACK ChoosePaste(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu)) {
        if (++menuTicks > 100) {
            KillTimer(nullptr, timer);
            EndMenu();
        }
        return;
    }
    KillTimer(nullptr, timer);
    HMENU items = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
    pasteGrayed = (GetMenuState(items, IDM_RATIO_PASTE, MF_BYCOMMAND) & MF_GRAYED) != 0;
    for (WPARAM key : pasteGrayed ? std::vector<WPARAM>{VK_ESCAPE} : std::vector<WPARAM>{VK_UP, VK_RETURN}) {
        PostMessageW(menu, WM_KEYDOWN, key, 0);
    }
}

// The field reads clipboard texts shorter than 1023 characters up to their
// terminator and offers Paste when the paste rules pass them; a longer text
// is not read at all. With or without a leading number, a megabyte is refused.
TEST_F(HostileInputTest, MegabyteClipboardTextsPastedThroughTheMenu) {
    const std::string megabyte(1 << 20, '7');
    const std::string clipboardTexts[] = {
        megabyte,
        "2.5" + std::string(1 << 20, 'x'),
        std::string(1 << 20, 'x'),
        "-" + megabyte,
        "1.5" + std::string(1, '\0') + megabyte,
        std::string(1, '\0') + megabyte,
        "3." + std::string(1020, '7'),
        "3." + std::string(1021, '7'),
    };
    for (const std::string& clipboardText : clipboardTexts) {
        SCOPED_TRACE(clipboardText.substr(0, 8) + "... " + std::to_string(clipboardText.size()) + " bytes");
        EnterRatio("1.25");
        SendDlgItemMessageW(window, IDC_RATIO, EM_SETSEL, 1, 1);
        PutOnClipboard(clipboardText);
        const std::string read = clipboardText.c_str();
        const std::string readable = read.size() < 1023 ? read : "";
        const bool offered = PassesPasteTest(readable);

        menuTicks = 0;
        pasteGrayed = false;
        UINT_PTR timer = SetTimer(nullptr, 0, 20, ChoosePaste);
        HWND field = GetDlgItem(window, IDC_RATIO);
        SendMessageW(field, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field), MAKELPARAM(300, 200));
        KillTimer(nullptr, timer);
        Pump();

        EXPECT_EQ(pasteGrayed, !offered);
        EXPECT_EQ(Text(IDC_RATIO), offered ? PasteTrim(readable).substr(0, 255) : "1.25");
        EXPECT_EQ(ShownUnlikeSearch(), "");
    }
}

// The keys typed into the ratio field: digits and points most, then the
// control characters, refused characters and characters of other scripts.
constexpr wchar_t kTyped[] = L"01234567890123456789012345678901234567890123456789....\b\b\r\x01\x03\x16\x18"
                             L"\x1a\x1b\t\x7f aZe-+,\u0663\uff11\u00b2";
constexpr WPARAM kControlKeys[] = {VK_DELETE, VK_BACK,   VK_LEFT, VK_RIGHT, VK_HOME,   VK_END,
                                   VK_ESCAPE, VK_RETURN, VK_TAB,  VK_UP,    VK_INSERT, VK_F1};

// 3,000 random inputs from a fixed seed. After every one the window is alive,
// enabled and shows what the search gives; every 500 inputs the fonts are
// accounted for and another thread's message is answered.
TEST_F(HostileInputTest, ThreeThousandRandomInputs) {
    std::mt19937 random(20240612);
    const auto below = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    // A box to click: checked or not with even odds, so the stock wanders between empty and full.
    const auto anyBox = [&](bool wantChecked) {
        std::vector<int> boxes;
        for (int k = 0; k < kGearCount; ++k) {
            if (checked[k] == wantChecked) {
                boxes.push_back(k);
            }
        }
        return boxes.empty() ? static_cast<int>(below(kGearCount)) : boxes[below(boxes.size())];
    };
    int showingTrains = 0;
    int dialogs = 0;
    int gdiObjects = 0;
    for (int input = 0; input < 3'000; ++input) {
        std::string what;
        const std::size_t kind = below(100);
        if (kind < 27) {
            const int k = anyBox(below(2) == 0);
            what = "click on gear box " + std::to_string(ToothOfIndex(k));
            Click(GearBoxId(ToothOfIndex(k)));
            checked[k] = !checked[k];
        } else if (kind < 35) {
            const int id = below(2) == 0 ? IDC_FIRST_DRIVER_SMALLER : IDC_FIRST_DRIVEN_LARGER;
            what = "click on option box " + std::to_string(id);
            Click(id);
        } else if (kind < 55) {
            const int direction = below(2) == 0 ? 1 : -1;
            what = "up-down step " + std::to_string(direction);
            StepUpDown(direction);
        } else if (kind < 87) {
            const bool erase = Text(IDC_RATIO).size() >= 3 && below(2) == 0; // mostly short ratios
            const WPARAM character = erase ? L'\b' : kTyped[below(std::size(kTyped) - 1)];
            what = "character " + std::to_string(character);
            TypeCharacter(character);
        } else if (kind < 95) {
            const WPARAM key = kControlKeys[below(std::size(kControlKeys))];
            what = "key " + std::to_string(key);
            SendDlgItemMessageW(window, IDC_RATIO, WM_KEYDOWN, key, 1);
            SendDlgItemMessageW(window, IDC_RATIO, WM_KEYUP, key, 0xC0000001);
        } else if (kind < 97) {
            const int k = anyBox(below(5) != 0);
            const std::uint32_t tooth = ToothOfIndex(k);
            what = "right-click on gear box " + std::to_string(tooth);
            bool opened = false;
            int chosen = 0;
            const int before = g_multiplicityTable[tooth];
            OnNextDialog([&](HWND dialog) {
                opened = true;
                for (std::size_t n = below(3); n > 0; --n) {
                    chosen = 1 + static_cast<int>(below(3));
                    SendDlgItemMessageW(dialog, IDC_MULTIPLICITY_BASE + chosen, BM_CLICK, 0, 0);
                }
                if (below(4) == 0) {
                    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0); // puts back the multiplicity
                    chosen = before;
                } else {
                    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
                }
            });
            HWND box = GetDlgItem(window, GearBoxId(tooth));
            SendMessageW(box, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
            SendMessageW(box, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
            ASSERT_EQ(opened, checked[k]) << what;
            ASSERT_TRUE(chosen == 0 || g_multiplicityTable[tooth] == chosen) << what;
            dialogs += opened;
        } else if (kind < 98) {
            what = "About box";
            bool opened = false;
            OnNextDialog([&](HWND dialog) {
                opened = true;
                const std::size_t way = below(3);
                PostMessageW(dialog, way == 0 ? WM_CLOSE : WM_COMMAND, way == 1 ? IDOK : IDCANCEL, 0);
            });
            SendMessageW(window, WM_COMMAND, IDM_ABOUT, 0);
            ASSERT_TRUE(opened);
            dialogs += opened;
        } else {
            what = "copy command";
            SendMessageW(window, WM_COMMAND, IDM_COPY_GEAR_SET, 0);
            ASSERT_EQ(ClipboardText(), MakeGearSetString(checked));
        }
        Pump();
        SCOPED_TRACE("input " + std::to_string(input) + ", " + what);
        ASSERT_FALSE(DialogForcedClosed());
        ASSERT_TRUE(IsWindow(window) && IsWindowEnabled(window));
        ASSERT_EQ(ShownUnlikeSearch(), "");
        showingTrains += Visible(IDC_SOLUTION_UPDOWN);
        if (input % 500 == 499) {
            if (input == 499) {
                gdiObjects = GdiObjectsBesideMarks(); // once every kind of input has run
            }
            ASSERT_EQ(GdiObjectsBesideMarks(), gdiObjects);
            ASSERT_TRUE(Answers());
        }
    }
    EXPECT_GT(showingTrains, 300); // the inputs do not mostly leave the window blank
    EXPECT_GT(dialogs, 45);
}

} // namespace
