#include "core/settings/gif_save_setting.h"

#include "core/settings/settings_store.h"

namespace {
const char kOptimizeKey[] = "GifSave/Optimize";
const char kQualityKey[] = "GifSave/Quality";
const char kKeepUnderKey[] = "GifSave/KeepUnder";
const char kLimitKey[] = "GifSave/LimitBytes";
constexpr long long kMaxLimitBytes = static_cast<long long>(kMaxLimitMegabytes) * 1000 * 1000;
}

GifSaveOptions ReadGifSaveOptions(const SettingsStore& store)
{
    GifSaveOptions options;
    options.optimize = store.ReadBool(kOptimizeKey, false);
    const long quality = store.ReadLong(kQualityKey, kGifBestQuality);
    if (quality >= kGifLowestQuality && quality <= kGifBestQuality)
        options.quality = static_cast<int>(quality);
    const long bytes = store.ReadLong(kLimitKey, 0);
    if (bytes > 0 && bytes <= kMaxLimitBytes)
        options.limitBytes = static_cast<uint64_t>(bytes);
    options.keepUnder = options.limitBytes > 0 && store.ReadBool(kKeepUnderKey, false);
    return options;
}

bool WriteGifSaveOptions(SettingsStore& store, const GifSaveOptions& options)
{
    bool written = store.Write(kOptimizeKey, options.optimize);
    written = store.Write(kQualityKey, static_cast<long>(options.quality)) && written;
    written = store.Write(kKeepUnderKey, options.keepUnder) && written;
    // A long holds every limit on the 64-bit systems the program is built for.
    static_assert(sizeof(long) >= 8, "the limit in bytes needs a 64-bit long");
    written = store.Write(kLimitKey, static_cast<long>(options.limitBytes)) && written;
    return written;
}
