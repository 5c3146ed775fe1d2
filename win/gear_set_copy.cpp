// The gear-set string of the gear boxes, and command 106 that puts it on the clipboard.
#include "gear_set_copy.h"

#include "gear_box_id.h"
#include "gear_set.h"

#include <array>
#include <cstring>

std::string GearSetOfBoxes(HWND mainWindow) {
    std::array<bool, kGearCount> checked{};
    for (int i = 0; i < kGearCount; ++i) {
        checked[i] =
            SendDlgItemMessageW(mainWindow, GearBoxId(ToothOfIndex(i)), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    return MakeGearSetString(checked);
}

// The block belongs to the clipboard only once SetClipboardData accepts it; on
// every other path it is freed here. Nothing is reported when a step fails.
// The main window owns the clipboard while it is open: with no owner, Windows
// lets EmptyClipboard clear the owner and SetClipboardData then fails.
void CopyGearSet(HWND mainWindow) {
    const std::string gearSet = GearSetOfBoxes(mainWindow);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, gearSet.size() + 1);
    if (block == nullptr) {
        return;
    }
    char* bytes = static_cast<char*>(GlobalLock(block));
    if (bytes == nullptr) {
        GlobalFree(block);
        return;
    }
    std::memcpy(bytes, gearSet.c_str(), gearSet.size() + 1);
    GlobalUnlock(block);

    if (!OpenClipboard(mainWindow)) {
        GlobalFree(block);
        return;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_TEXT, block) == nullptr) {
        GlobalFree(block);
    }
    CloseClipboard();
}
