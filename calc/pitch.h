// A thread's pitch as written: its number and unit, and the standard thread it
// was read from. The thread arithmetic (thread.h) and the designation tables
// (designation.h) both speak of it.
#pragma once

#include <string>

// mm: the pitch in millimetres; tpi: threads per inch (25.4 / v mm); in: the
// pitch in inches (25.4 * v mm); module: a worm's module m (pi * m mm); dp:
// diametral pitch (25.4 * pi / v mm).
enum class PitchUnit { Mm, Tpi, Inch, Module, Dp };

// The number and unit, and the designation it was read from ("M6", "1/2-13
// UNC"; empty for a plain pitch).
struct Pitch {
    double value;
    PitchUnit unit;
    std::string designation{};
};
