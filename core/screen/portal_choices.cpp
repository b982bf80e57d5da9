#include "core/screen/portal_choices.h"

uint32_t ChoosePortalSources(uint32_t available)
{
    return available & (kPortalSourceMonitor | kPortalSourceWindow);
}

uint32_t ChoosePortalCursor(uint32_t available, bool pointer)
{
    const uint32_t wished = pointer ? kPortalCursorEmbedded : kPortalCursorHidden;
    const uint32_t other = pointer ? kPortalCursorHidden : kPortalCursorEmbedded;
    if (available == 0 || (available & wished))
        return wished;
    return (available & other) ? other : wished;
}
