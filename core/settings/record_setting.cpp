#include "core/settings/record_setting.h"

#include "core/settings/settings_store.h"

namespace {
const char kFpsKey[] = "Record/FramesPerSecond";
const char kPointerKey[] = "Record/Pointer";
const char kCountdownKey[] = "Record/Countdown";
const char kLimitedKey[] = "Record/Limited";
const char kLimitKey[] = "Record/LimitSeconds";
const char kMergeKey[] = "Record/MergeUnchanged";
const char kRegionKey[] = "Record/Region";
const char kTokenKey[] = "Record/PortalToken";

int ReadInRange(const SettingsStore& store, const char* key, int lowest, int highest,
                int fallback)
{
    const long value = store.ReadLong(key, fallback);
    return value >= lowest && value <= highest ? static_cast<int>(value) : fallback;
}
} // namespace

RecordSettings ReadRecordSettings(const SettingsStore& store)
{
    RecordSettings settings;
    settings.fps =
        ReadInRange(store, kFpsKey, kMinRecordFps, kMaxRecordFps, kDefaultRecordFps);
    settings.pointer = store.ReadBool(kPointerKey, true);
    settings.countdown = ReadInRange(store, kCountdownKey, 0, kMaxCountdown, kDefaultCountdown);
    settings.limited = store.ReadBool(kLimitedKey, false);
    settings.limitSeconds =
        ReadInRange(store, kLimitKey, 1, kMaxRecordLimit, kDefaultRecordLimit);
    settings.mergeUnchanged = store.ReadBool(kMergeKey, true);
    settings.region = ParseGeometry(store.ReadString(kRegionKey, "").utf8_string());
    settings.portalToken = store.ReadString(kTokenKey, "").utf8_string();
    return settings;
}

bool WriteRecordSettings(SettingsStore& store, const RecordSettings& settings)
{
    bool written = store.Write(kFpsKey, static_cast<long>(settings.fps));
    written = store.Write(kPointerKey, settings.pointer) && written;
    written = store.Write(kCountdownKey, static_cast<long>(settings.countdown)) && written;
    written = store.Write(kLimitedKey, settings.limited) && written;
    written = store.Write(kLimitKey, static_cast<long>(settings.limitSeconds)) && written;
    written = store.Write(kMergeKey, settings.mergeUnchanged) && written;
    const std::string region = settings.region ? FormatGeometry(*settings.region) : "";
    written = store.WriteString(kRegionKey, wxString::FromUTF8(region)) && written;
    written = store.WriteString(kTokenKey, wxString::FromUTF8(settings.portalToken)) && written;
    return written;
}

RecordOptions RecordOptionsOf(const RecordSettings& settings)
{
    RecordOptions options;
    options.fps = settings.fps;
    options.pointer = settings.pointer;
    options.limitSeconds = settings.limited ? settings.limitSeconds : 0;
    options.mergeUnchanged = settings.mergeUnchanged;
    return options;
}
