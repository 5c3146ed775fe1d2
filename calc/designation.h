// Standard threads by their designations: the tables of the ISO metric coarse
// series, the Unified coarse and fine series, BSW, BSF and the pipe threads,
// and the reader that turns a designation into its pitch.
#pragma once

#include "pitch.h"

#include <string>
#include <string_view>

// Whether a text is written as a designation rather than as a number with a
// unit: it starts with "M" and a digit or with "#", holds a '/', or ends in a
// series name (UNC, UNF, BSW, BSF, BSP), in any case.
bool LooksLikeDesignation(std::string_view text);

// Reads a designation, in any case, spaces around it ignored:
//  - ISO metric: "M6", the coarse pitch (1 mm) of sizes M1 to M64; "M6x0.75",
//    "M6×0.75" or "M6 x 0.75", any size with the pitch given;
//  - Unified: "1/2-13 UNC", "#10-32 UNF", or without the threads per inch,
//    "1/2 UNC", for the sizes #0 to 1-1/2; without the series, "3/8-24", in
//    the one series that has those threads per inch for the size (3/8-24 UNF);
//  - British: "1/4 BSW", "1/4 BSF", "1/2 BSP" (or with the threads per inch, "1/4-20 BSW").
// The pitch keeps the designation as it is usually written ("M6x0.75",
// "#10-32 UNF", "3/8-24 UNF", "1/4 BSW"). Returns what is wrong with the
// text, naming the forms that are known, or an empty string when pitch holds
// the thread read.
std::string ReadDesignation(std::string_view text, Pitch& pitch);
