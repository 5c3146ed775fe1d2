// A train drawing of the core painted with GDI, for the main window's
// diagram and the drawing window: each pitch circle in its plane's line
// (solid, dashed, dotted), the mesh marks, the shafts' dots, the leaders and
// the labels; and the strokes of the planes' lines for a key.
#pragma once

#include "train_drawing.h"

#include <windows.h>

// The fonts of a drawing, made from the label font at these heights in
// pixels: the tooth counts' and the shafts' names'. Freed with DeleteDrawingFonts.
struct DrawingFonts {
    HFONT toothCounts;
    HFONT shaftNames;
};
DrawingFonts MakeDrawingFonts(int toothCountHeight, int shaftNameHeight);
void DeleteDrawingFonts(const DrawingFonts& fonts);

// The size of a text in dc's pixels in the fonts, as DrawTrain asks for it;
// dc and the fonts must outlive it.
MeasureText MeasureWith(HDC dc, const DrawingFonts& fonts);

// Paints the drawing into dc, its lines `lineWidth` pixels wide and its dots
// of the style's radius, and leaves dc as it found it.
void PaintTrainDrawing(HDC dc, const TrainDrawing& drawing, const DrawingStyle& style,
                       const DrawingFonts& fonts, int lineWidth);

// A stroke in the plane's line from (left, y) to (right, y).
void PaintPlaneStroke(HDC dc, std::size_t plane, int left, int right, int y, int lineWidth);
