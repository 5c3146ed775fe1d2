#pragma once

#include <windows.h>

// The description every label font of the window starts from: the default GUI
// font with height 16 pixels, weight 100, TrueType only, ClearType, "Segoe UI".
LOGFONTW LabelFontDescription();
