// The GIF save options as remembered between sessions, so that the save dialog shows the
// last choice again and a Save without a dialog writes as that choice said.
#pragma once

#include "core/export/gif_save_options.h"

class SettingsStore;

// The remembered options; the defaults (today's output, no limit) for keys not set, and a
// value out of range reads as its default.
GifSaveOptions ReadGifSaveOptions(const SettingsStore& store);
// False when the settings file could not be written (the options still hold this session).
bool WriteGifSaveOptions(SettingsStore& store, const GifSaveOptions& options);
