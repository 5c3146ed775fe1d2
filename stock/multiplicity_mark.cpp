#include "multiplicity_mark.h"

namespace {

// Where the dialog sits relative to the gear box, and its size in pixels.
constexpr unsigned kLastLeftHalfTooth = 90;
constexpr int kLeftOfBox = 144;
constexpr int kAboveBox = 24;
constexpr int kDialogWidth = 146;
constexpr int kDialogHeight = 72;

constexpr long kLightWeight = 100;
constexpr long kSemiboldWeight = 600;

} // namespace

std::string MultiplicityCaption(std::string_view label) {
    std::string caption = "Number ";
    caption += label;
    caption += "T Gears";
    return caption;
}

DialogPlacement PlaceMultiplicityDialog(unsigned tooth, int boxLeft, int boxTop, int boxRight) {
    int x = tooth <= kLastLeftHalfTooth ? boxRight : boxLeft - kLeftOfBox;
    return {x, boxTop - kAboveBox, kDialogWidth, kDialogHeight};
}

MarkFont MarkFor(unsigned multiplicity, bool threeDigitLabel) {
    // Three-digit labels are drawn narrower so that they fit their box.
    if (multiplicity == 2 || multiplicity == 3) {
        return {kSemiboldWeight, multiplicity == 3, threeDigitLabel ? 6L : 8L};
    }
    return {kLightWeight, false, threeDigitLabel ? 7L : 9L};
}
