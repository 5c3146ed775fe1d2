#include "label_font.h"

#include <cwchar>

LOGFONTW LabelFontDescription() {
    LOGFONTW description{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    description.lfHeight = -16;
    description.lfWeight = 100;
    description.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    description.lfQuality = CLEARTYPE_QUALITY;
    std::wcsncpy(description.lfFaceName, L"Segoe UI", LF_FACESIZE);
    return description;
}
