#include "gear_boxes.h"

#include "gear_box_id.h"
#include "gear_set.h"
#include "label_font.h"
#include "multiplicity_mark.h"
#include "program_state.h"

namespace {

HFONT CreateMarkFont(unsigned multiplicity, bool threeDigitLabel) {
    LOGFONTW font = LabelFontDescription();
    MarkFont mark = MarkFor(multiplicity, threeDigitLabel);
    font.lfWeight = mark.weight;
    font.lfUnderline = mark.underline ? TRUE : FALSE;
    font.lfWidth = mark.width;
    return CreateFontIndirectW(&font);
}

} // namespace

Stock BoxStock() {
    return StockOf(g_checkedGears, g_multiplicityTable);
}

// The multiplicity is stored first, so it holds whatever becomes of the font.
void SetMultiplicity(HWND mainWindow, std::uint32_t tooth, unsigned multiplicity) {
    g_multiplicityTable[tooth] = static_cast<std::uint16_t>(multiplicity);
    HFONT font = CreateMarkFont(multiplicity, tooth >= 100);
    SendDlgItemMessageW(mainWindow, GearBoxId(tooth), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    HFONT& boxMark = g_markFonts[IndexOfTooth(tooth)];
    if (boxMark != nullptr) {
        DeleteObject(boxMark);
    }
    boxMark = font;
}

void ShowStock(HWND mainWindow, const Stock& stock) {
    for (std::uint32_t tooth = kFirstTooth; tooth <= kLastTooth; ++tooth) {
        const bool onHand = stock.count[tooth] != 0;
        g_checkedGears[IndexOfTooth(tooth)] = onHand;
        SendDlgItemMessageW(mainWindow, GearBoxId(tooth), BM_SETCHECK, onHand ? BST_CHECKED : BST_UNCHECKED,
                            0);
        const unsigned multiplicity = onHand ? stock.count[tooth] : 1;
        if (g_multiplicityTable[tooth] != multiplicity) {
            SetMultiplicity(mainWindow, tooth, multiplicity);
        }
    }
}
