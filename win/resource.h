// Every resource, command and control identifier, shared by tandrel.rc and the code.
// Grouped by role: 100s resources and menu commands, 1000s entry, navigation and
// the Tools dialogs' controls, 3000s result fields, 4000s gear boxes, 5000s options.
#pragma once

// Resources
#define IDS_APP_TITLE 103
#define IDD_ABOUTBOX 103
#define IDI_TANDREL 107
#define IDI_SMALL 108
#define IDS_WINDOW_CLASS 109
#define IDC_TANDREL 109 // menu and accelerator table
#define IDD_MULTIPLICITY 110
#define IDD_THREAD 130
#define IDD_FIT 131
#define IDD_GEARS 132
#define IDD_CHART 133
#define IDD_CHART_CUSTOM 134
#define IDD_DRAWING 135
#define IDD_BANJO 137
#define IDD_GEARBOX 138

// Main window commands
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_COPY_GEAR_SET 106
#define IDM_THREAD 120        // Tools, Thread... (Ctrl+T)
#define IDM_EVERY_TRAIN 121   // Tools, Every train: a check item, its check the setting
#define IDM_FIT 122           // Tools, Fit...
#define IDM_OPEN_LATHE 150    // File, Open lathe... (Ctrl+O)
#define IDM_SAVE_LATHE 151    // File, Save lathe (Ctrl+S)
#define IDM_SAVE_LATHE_AS 152 // File, Save lathe As...
#define IDM_GEARS 153         // Tools, Gears...
#define IDM_BANJO 154         // Tools, Banjo...
#define IDM_GEARBOX 155       // Tools, Gearbox...
#define IDM_RECENT_FIRST 160  // File, the recent lathes, newest first
#define IDM_RECENT_LAST 163
#define IDM_TRAIN_SIMPLE 170   // Tools, Train: radio items, one checked; Simple (2 gears)
#define IDM_TRAIN_COMPOUND 171 // Compound (4 gears), checked at the start
#define IDM_TRAIN_SIX 172      // Six gears
#define IDM_TRAIN_ANY 173      // Any (fewest gears first): every kind
#define IDM_CHART 180          // Tools, Chart... (Ctrl+H)
#define IDM_DRAWING 181        // Tools, Drawing... (Ctrl+D)

// The chart window's own messages: a worker's chart made (chart_worker.h),
// and the lathe changed, which the chart follows (open_lathe.h).
#define WM_CHART_MADE (WM_APP + 1)
#define WM_CHART_FOLLOW (WM_APP + 2)
// The main window's own: a worker's answer to a typed ratio (search_worker.h).
#define WM_SEARCH_ANSWERED (WM_APP + 3)

// Multiplicity dialog: radio button of multiplicity k is IDC_MULTIPLICITY_BASE + k
#define IDC_MULTIPLICITY_BASE 110
#define IDC_MULTIPLICITY_1 111
#define IDC_MULTIPLICITY_2 112
#define IDC_MULTIPLICITY_3 113

// Ratio field menu (commands come back to the ratio field itself)
#define IDM_RATIO_COPY 1
#define IDM_RATIO_PASTE 2

// Entry and navigation
#define IDC_RATIO 1000
#define IDC_SOLUTION_UPDOWN 1001

// Thread dialog
#define IDC_THREAD_PITCH 1201
#define IDC_THREAD_PITCH_UNIT 1202
#define IDC_THREAD_STARTS 1203
#define IDC_THREAD_LEADSCREW 1204
#define IDC_THREAD_LEADSCREW_UNIT 1205
#define IDC_THREAD_FIXED 1206
#define IDC_THREAD_PROBLEM 1207 // why a field was refused

// Fit dialog
#define IDC_FIT_ONLY 1211
#define IDC_FIT_MARGIN 1212
#define IDC_FIT_PROBLEM 1213
#define IDC_FIT_DECIDES 1214 // what decides which trains fit

// Gears dialog
#define IDC_GEARS_LIST 1221
#define IDC_GEARS_PROBLEM 1222

// Chart window, and its Custom... dialog
#define IDC_CHART_PITCHES 1231 // the drop-down of pitch lists
#define IDC_CHART_SUMMARY 1232
#define IDC_CHART_ROWS 1233 // the list of rows
#define IDC_CHART_STATUS 1234
#define IDC_CHART_EXPORT 1235
#define IDC_CHART_PRINT 1236
#define IDC_CHART_CUSTOM_LIST 1241
#define IDC_CHART_CUSTOM_PROBLEM 1242

// Banjo dialog: its figures' fields in tab order, as BanjoField numbers them
#define IDC_BANJO_NONE 1250
#define IDC_BANJO_PITCH 1251
#define IDC_BANJO_CENTRE_DISTANCE 1252
#define IDC_BANJO_STUD_MIN 1253
#define IDC_BANJO_STUD_MAX 1254
#define IDC_BANJO_CLEARANCE 1255
#define IDC_BANJO_MAX_A 1256
#define IDC_BANJO_MAX_LAST 1257
#define IDC_BANJO_PITCH_UNIT 1258 // module or DP
#define IDC_BANJO_PROBLEM 1259
#define IDC_BANJO_SKETCH 1260

// Gearbox dialog: the settings' lines and the plate's gears
#define IDC_BOX_SETTINGS 1271
#define IDC_BOX_PLATE 1272
#define IDC_BOX_PROBLEM 1273

// Result fields
#define IDC_FIRST_DRIVER 3003
#define IDC_FIRST_DRIVEN 3004
#define IDC_SECOND_DRIVER 3005
#define IDC_SECOND_DRIVEN 3006
#define IDC_ACHIEVED_RATIO 3007
#define IDC_ERROR 3008
#define IDC_ZERO_COUNT 3009
#define IDC_SOLUTION_COUNTER 3050
#define IDC_THREAD_LINE 3060
#define IDC_MODE_LINE 3061 // the modes in force, at the right of the thread line's last row

// Gear boxes, one per tooth count 16..165 in a row: see gear_box_id.h
#define IDC_GEARBOX_FIRST 4000
#define IDC_GEARBOX_LAST 4149
#define IDC_GEARBOX_OFFSET 3984

// Options
#define IDC_FIRST_DRIVER_SMALLER 5000
#define IDC_FIRST_DRIVEN_LARGER 5001

#ifndef RC_INVOKED
// The code walks these groups by adding to their first identifier.
static_assert(IDC_MULTIPLICITY_1 == IDC_MULTIPLICITY_BASE + 1 &&
              IDC_MULTIPLICITY_2 == IDC_MULTIPLICITY_BASE + 2 &&
              IDC_MULTIPLICITY_3 == IDC_MULTIPLICITY_BASE + 3);
// The result fields 3003..3009: the four tooth fields, then the achieved
// ratio, the error and the zero count; blanked and set in loops.
static_assert(IDC_FIRST_DRIVEN == IDC_FIRST_DRIVER + 1 && IDC_SECOND_DRIVER == IDC_FIRST_DRIVER + 2 &&
              IDC_SECOND_DRIVEN == IDC_FIRST_DRIVER + 3 && IDC_ACHIEVED_RATIO == IDC_FIRST_DRIVER + 4 &&
              IDC_ERROR == IDC_FIRST_DRIVER + 5 && IDC_ZERO_COUNT == IDC_FIRST_DRIVER + 6);
// The recent lathes' commands: the first one's plus the lathe's place in the list, four in all.
static_assert(IDM_RECENT_LAST == IDM_RECENT_FIRST + 3);
// The banjo dialog's fields, one after another from the pitch's.
static_assert(IDC_BANJO_CENTRE_DISTANCE == IDC_BANJO_PITCH + 1 && IDC_BANJO_STUD_MIN == IDC_BANJO_PITCH + 2 &&
              IDC_BANJO_STUD_MAX == IDC_BANJO_PITCH + 3 && IDC_BANJO_CLEARANCE == IDC_BANJO_PITCH + 4 &&
              IDC_BANJO_MAX_A == IDC_BANJO_PITCH + 5 && IDC_BANJO_MAX_LAST == IDC_BANJO_PITCH + 6);
// The train kinds' radio items form one range for CheckMenuRadioItem.
static_assert(IDM_TRAIN_COMPOUND == IDM_TRAIN_SIMPLE + 1 && IDM_TRAIN_SIX == IDM_TRAIN_SIMPLE + 2 &&
              IDM_TRAIN_ANY == IDM_TRAIN_SIMPLE + 3);
// Gear-box clicks arrive as commands: their range must not meet another command's.
static_assert(IDC_GEARBOX_FIRST > IDC_MODE_LINE && IDC_GEARBOX_LAST < IDC_FIRST_DRIVER_SMALLER);
#endif
