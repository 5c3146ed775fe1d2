#include "replacement.h"

// The pointer-sized variants: on 64-bit Windows a procedure address does not fit
// the 32-bit window long.
void InstallReplacement(HWND control, WNDPROC replacement) {
    LONG_PTR previous = SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacement));
    SetWindowLongPtrW(control, GWLP_USERDATA, previous);
}

WNDPROC KeptProcedure(HWND control, WNDPROC& kept) {
    if (kept == nullptr) {
        kept = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
    }
    return kept;
}
