// What a screen cast asks the desktop portal for, from what the portal says it offers (the
// bits of its AvailableSourceTypes and AvailableCursorModes): a request for anything it does
// not offer is refused whole, so the wish is fitted to the offer first.
#pragma once

#include <cstdint>

constexpr uint32_t kPortalSourceMonitor = 1;
constexpr uint32_t kPortalSourceWindow = 2;
constexpr uint32_t kPortalCursorHidden = 1;
constexpr uint32_t kPortalCursorEmbedded = 2;

// Monitors and windows, as far as offered; 0 when the portal offers neither.
uint32_t ChoosePortalSources(uint32_t available);
// The pointer drawn in when it is wanted and the portal can, left out otherwise; when the
// portal offers only the other of the two, that one (a recording with or without the pointer
// beats none). An offer of 0 (a portal too old to say) gets the wish.
uint32_t ChoosePortalCursor(uint32_t available, bool pointer);
