// Lathe files: a lathe's gears on hand and its settings, kept as a small TOML
// text with the extension .tandrel. One struct with one reader and one writer,
// so that a key is added in one place: its field here, its reader in the key
// table of its TOML table and its line in the writer (lathe.cpp).
#pragma once

#include "banjo.h"
#include "dial.h"
#include "gearbox.h"
#include "stock.h"
#include "thread.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Lathe {
    std::string name;                       // name: what the window's caption calls it; may be empty
    Stock stock;                            // gears: a gear list (gear_list.h); the one key required
    std::optional<Pitch> leadscrew;         // leadscrew: "8tpi" or "3mm"
    double fixed = 1;                       // fixed: the gearing outside the change gears
    std::optional<std::uint32_t> fitMargin; // [fit] margin, in teeth; none: trains need not fit
    std::optional<Banjo> banjo;             // [banjo]: its geometry, which decides what fits instead
    std::optional<double> dp;       // [banjo] dp, written back as given; the banjo's module is then 25.4 / dp
    std::vector<Pitch> chart;       // chart: the chart window's own pitch list, ["M6", "1.5mm"]
    std::optional<Dial> dial;       // [dial]: the threading dial, its gears, lines and numbers
    std::optional<Gearbox> gearbox; // [gearbox]: the quick-change gearbox's settings and plate gears
};

bool operator==(const Lathe& a, const Lathe& b);

// What is wrong with a lathe file: the line it is on (from 1; 0 when it is the
// file as a whole) and what is wrong, empty when nothing is. A file that is
// not there while its folder is, is gone: deleted or moved, not on a drive or
// share that is away for now.
struct LatheProblem {
    std::size_t line = 0;
    std::string what;
    bool gone = false;
};

inline constexpr std::size_t kMaxLatheFileSize = 64 * 1024;
// The most pitches a lathe's chart list holds, so that any list it reads
// writes back within the file's size.
inline constexpr std::size_t kMaxChartPitches = 100;
inline constexpr std::string_view kLatheExtension = ".tandrel";

// Reads a lathe file's text: UTF-8 of at most 64 KiB, TOML whose keys are
// only those above. lathe is set only when nothing is wrong.
LatheProblem ReadLathe(std::string_view text, Lathe& lathe);

// The problem as one line after the file's name: "mini.tandrel, line 4: gears
// '17x4': at most 3 of a size", or "mini.tandrel does not exist".
std::string DescribeLatheProblem(std::string_view file, const LatheProblem& problem);

// The file's text: a comment line saying what the file is, then the keys, the
// optional ones only when set. ReadLathe gives the same lathe back.
std::string LatheText(const Lathe& lathe);
