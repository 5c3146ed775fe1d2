#include "app/program_state.h"

HINSTANCE instanceHandle;
wchar_t windowTitle[100];
wchar_t windowClassName[100];
std::vector<SolutionRecord> solutionList;
MultiplicityTable multiplicityTable;
std::array<bool, kGearCount> checkedGears;
