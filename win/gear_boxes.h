// The gear boxes and their multiplicities as a stock: read, and set from one.
#pragma once

#include "stock.h"

#include <windows.h>

#include <cstdint>

// The stock the ticked boxes give, each with its multiplicity.
Stock BoxStock();

// Stores the multiplicity of a tooth count at once, then marks its box's label
// with the font for it, freeing the box's previous mark font.
void SetMultiplicity(HWND mainWindow, std::uint32_t tooth, unsigned multiplicity);

// Ticks the boxes of the stock's sizes, each with the stock's count, and
// unticks the others, their multiplicity 1. A box whose multiplicity stays
// keeps its label's font.
void ShowStock(HWND mainWindow, const Stock& stock);
