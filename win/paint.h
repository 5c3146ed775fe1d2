#pragma once

#include "train_drawing.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Draws the gear diagram, or the shown train to scale (DrawnToScale), and the
// error gauge for the error field's current text into dc, and leaves dc as it
// found it. WM_PAINT and WM_PRINTCLIENT both paint through it.
void PaintMainWindow(HWND mainWindow, HDC dc);

// The shown train (at the up-down's place in the list) as the diagram draws
// it to scale, fitted to the diagram's area, in the main window's client
// coordinates; and the key of its shafts and gears beside it, which says
// when the train does not mount on the banjo and is drawn without it; for
// the plate's own gears no drawing and one line that names them (PlateGearsKey).
// None while the fixed diagram shows or no train is listed.
struct ScaleDrawing {
    TrainDrawing train;
    std::vector<std::string> key;
};
std::optional<ScaleDrawing> ShownScaleDrawing(HWND mainWindow);

// Marks the diagram's area, fixed or to scale, for the next paint.
void InvalidateDiagram(HWND mainWindow);

// Replacement procedure of the error field: invalidates the gauge on WM_SETTEXT.
LRESULT CALLBACK ErrorFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
