// The choices of the record dialog as remembered between sessions, so that the next recording
// starts where the last one left off: its rate, pointer, countdown, length limit, merging,
// region, and the desktop portal's token that spares the user its question.
#pragma once

#include <optional>
#include <string>

#include "core/screen/capture_region.h"
#include "core/record/recorder.h"

class SettingsStore;

constexpr int kMaxCountdown = 10;
constexpr int kDefaultCountdown = 3;
constexpr int kMaxRecordLimit = 3600;
constexpr int kDefaultRecordLimit = 10;

struct RecordSettings {
    int fps = kDefaultRecordFps;
    bool pointer = true;
    int countdown = kDefaultCountdown;  // seconds, 0..kMaxCountdown
    bool limited = false;               // stops by itself after limitSeconds
    int limitSeconds = kDefaultRecordLimit;  // 1..kMaxRecordLimit, kept while not limited
    bool mergeUnchanged = true;
    std::optional<CaptureRect> region;  // the last one recorded
    std::string portalToken;            // empty: the portal asks
};

// The remembered choices; the defaults for keys not set, and a value out of range (or a
// region that is no geometry) reads as its default.
RecordSettings ReadRecordSettings(const SettingsStore& store);
// False when the settings file could not be written (the choices still hold this session).
bool WriteRecordSettings(SettingsStore& store, const RecordSettings& settings);

// What the recorder is given of them.
RecordOptions RecordOptionsOf(const RecordSettings& settings);
