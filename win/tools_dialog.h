// What the Tools menu's dialogs share: the dialog procedure and its commands,
// reading a field, refusing an invalid one, and closing with the focus back in
// the ratio field.
#pragma once

#include <windows.h>

#include <string>

// What a Tools dialog does of its own: fill its fields as it opens, and take
// them on OK, ending the dialog (EndToolsDialog) only when they are valid;
// and, if it has any, follow its controls' notifications (a field's
// EN_CHANGE, a list's CBN_SELCHANGE) as they come, and draw its owner-drawn
// controls.
struct ToolsDialog {
    int templateId;
    void (*fill)(HWND dialog);
    void (*onOk)(HWND dialog);
    void (*onNotification)(HWND dialog, int id, int code) = nullptr;
    void (*onDrawItem)(HWND dialog, const DRAWITEMSTRUCT& item) = nullptr;
};

// Opens the dialog modal over the main window; the platform focuses its first
// field. Cancel, Escape or the caption's close button end it and change nothing.
void OpenToolsDialog(HWND mainWindow, const ToolsDialog& kind);

// The whole text of a dialog's edit field, in UTF-8.
std::string DialogFieldText(HWND dialog, int id);

// An invalid field keeps the dialog open: the dialog's problem line (the
// static control lineId) says why, the field gets the focus with its whole
// text selected, and the program beeps. The line stays until the next OK.
void RejectField(HWND dialog, int id, int lineId, const std::string& why);

// Ends the modal dialog with result, gives the focus back to the ratio field
// and returns the main window.
HWND EndToolsDialog(HWND dialog, int result);
