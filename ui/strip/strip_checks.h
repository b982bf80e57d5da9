// What the strip's source files share: the index check of its public calls and the modifier
// keys of an input event as the strip's flags.
#pragma once

#include <wx/debug.h>
#include <wx/kbdstate.h>

#include "core/strip/thumbnail_selection.h"

// Index precondition as a debug assertion whose text is the upper-bound test (the texts are
// part of the control's contract); negative indices fail it as well. Then returns rc.
#define STRIP_CHECK_INDEX(n, cond, rc, msg) \
    if ((n) >= 0 && (cond)) {               \
    } else {                                \
        wxFAIL_COND_MSG(cond, msg);         \
        return rc;                          \
    }

inline int ModifierFlags(const wxKeyboardState& state)
{
    int flags = 0;
    if (state.ShiftDown())
        flags |= STRIP_SHIFT_DOWN;
    if (state.ControlDown())
        flags |= STRIP_CTRL_DOWN;
    if (state.AltDown())
        flags |= STRIP_ALT_DOWN;
    return flags;
}
