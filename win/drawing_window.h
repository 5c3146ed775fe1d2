// The drawing window: a modeless, resizable window owned by the main window
// that draws the shown train as large as it allows, with a key of its
// shafts' gears and its planes. It follows the shown train: ShowSolution
// asks it to paint again whenever the shown train or how it shows changes.
#pragma once

#include "train_drawing.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Command 181: opens the drawing window where it stood when last closed in
// this run (the first time beside the main window), or brings it forward
// when open. The main window keeps the keyboard.
void OpenDrawingWindow(HWND mainWindow);

// Marks the open drawing window for painting again: the shown train has changed.
void RedrawDrawingWindow();

// What the drawing window shows in its client area: the shown train drawn
// as large as it allows, the style and font heights it is drawn with, and
// the key beside it or below it, whichever leaves the drawing larger.
struct DrawingWindowLayout {
    TrainDrawing drawing;
    DrawingStyle style;
    int toothCountHeight;
    int shaftNameHeight;
    int lineWidth;
    std::vector<KeyLine> key; // TrainKey
    POINT keyAt;              // the key's top left
    int keyLineHeight;
};

// The drawing window's layout for the main window's shown train; for the
// plate's own gears no drawing and the key alone, in the middle; none while
// no train is listed.
std::optional<DrawingWindowLayout> LayOutDrawingWindow(HWND drawingWindow);
