// How much memory the window's pictures may take before the least used of them move to the
// cache file, as the settings file says ("Memory/PictureBudgetMB", in megabytes); 0 or absent
// is half of the memory free at start-up. The cache file goes to GetCacheDir().
#pragma once

#include "core/picture/picture_store.h"

class SettingsStore;

PictureStoreOptions ReadPictureStoreOptions(const SettingsStore& store);
