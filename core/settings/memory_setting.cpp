#include "core/settings/memory_setting.h"

#include <algorithm>

#include "core/settings/paths.h"
#include "core/settings/settings_store.h"

namespace {
const char kBudgetKey[] = "Memory/PictureBudgetMB";
// Less than this would send nearly every picture to the file; more than a petabyte is a typo.
constexpr long kLeastBudgetMB = 16;
constexpr long kMostBudgetMB = 1L << 30;
}

PictureStoreOptions ReadPictureStoreOptions(const SettingsStore& store)
{
    PictureStoreOptions options;
    options.cacheFolder = std::string(GetCacheDir().fn_str());
    const long megabytes = store.ReadLong(kBudgetKey, 0);
    if (megabytes > 0)
        options.budgetBytes =
            static_cast<uint64_t>(std::clamp(megabytes, kLeastBudgetMB, kMostBudgetMB)) << 20;
    return options;
}
