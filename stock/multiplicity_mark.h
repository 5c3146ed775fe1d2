// The multiplicity dialog's caption and placement and the gear-box label font
// that marks a multiplicity, as plain values.
#pragma once

#include <string>
#include <string_view>

// "Number 20T Gears" for the label "20".
std::string MultiplicityCaption(std::string_view label);

struct DialogPlacement {
    int x, y, width, height;
};

// Beside the gear box (screen rectangle): at its right edge for tooth counts up
// to 90, else on its left side.
DialogPlacement PlaceMultiplicityDialog(unsigned tooth, int boxLeft, int boxTop, int boxRight);

struct MarkFont {
    long weight;
    bool underline;
    long width;
};

// The label font's fields that differ by multiplicity (1 to 3) and label length.
MarkFont MarkFor(unsigned multiplicity, bool threeDigitLabel);
