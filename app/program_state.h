// The program-wide values: set at start-up, shared by the procedures.
#pragma once

#include "calc/gear_search.h"
#include "stock/gear_set.h"

#include <windows.h>

#include <array>
#include <vector>

extern HINSTANCE instanceHandle;                 // stored first by window set-up
extern wchar_t windowTitle[100];                 // string 103
extern wchar_t windowClassName[100];             // string 109
extern std::vector<SolutionRecord> solutionList; // written only by Recalculate
extern MultiplicityTable multiplicityTable;      // written only by the multiplicity dialog after start-up

// The gear boxes' check states, by stock index: set as the boxes are created and
// kept in step on every gear-box command, so that a recalculation needn't look
// up 150 controls (under Wine each look-up is a round trip to its server).
extern std::array<bool, kGearCount> checkedGears;
