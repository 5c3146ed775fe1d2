#pragma once

#include <windows.h>

// Paints into rect a sketch of what the banjo dialog's figures measure: the
// spindle with gear A, the stud in its slot with B and C, the leadscrew with
// D, and the centre distance, the slot's ends from the leadscrew, the
// clearance and the largest gears, labelled as the dialog's fields are. Not
// to scale: the same sketch for every banjo. The labels are in font.
void PaintBanjoSketch(HDC dc, const RECT& rect, HFONT font);
