// The banjo as a form takes it, one text a figure: the window's banjo dialog.
// Each figure is read as the tool reads its option, with the limits of the
// lathe file's key, and the figures together as BanjoOf takes them.
#pragma once

#include "banjo.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A clearance in mm: zero written in any way, or a decimal text above zero
// (ReadPositiveNumber).
std::string ReadClearanceText(std::string_view text, double& value);

// A diametral pitch, whose module 25.4 / dp is above zero.
std::string ReadDiametralPitchText(std::string_view text, double& dp);

enum class BanjoField { Pitch, CentreDistance, StudMin, StudMax, Clearance, MaxA, MaxLast };
inline constexpr std::size_t kBanjoFields = 7;

struct BanjoForm {
    bool dp = false; // the pitch field holds the diametral pitch, not the module in mm
    std::array<std::string, kBanjoFields> texts{}; // by BanjoField
};

// The form of a banjo: its dp where one was given, else its module; each
// length as the shortest text that reads back; the largest gears empty where
// the banjo sets none. Without a banjo, every field empty but the clearance,
// which shows the default.
BanjoForm FormOf(const std::optional<Banjo>& banjo, const std::optional<double>& dp);

// The fields' names as the form's labels call them, by BanjoField; the
// pitch's is the module's, and dp names it while the form holds a diametral pitch.
struct BanjoFieldNames {
    std::array<std::string_view, kBanjoFields> names;
    std::string_view dp;
};

// What is wrong with a form: the field to mend and why, as Refusal says it
// ("Centre distance '0' is zero"), or, where the slot's ends are crossed, as
// BanjoOf says it, at the nearer end: "Stud min '90' is above stud max '80'".
struct BanjoFormProblem {
    BanjoField field;
    std::string what;
};

// Reads the form into a banjo and its dp (none while the form holds a
// module), or says what is wrong with its first field that does not read.
// The largest gears take a tooth count from 16 to 165, or nothing.
std::optional<BanjoFormProblem> ReadBanjoForm(const BanjoForm& form, const BanjoFieldNames& names,
                                              Banjo& banjo, std::optional<double>& dp);
