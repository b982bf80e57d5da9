// The process's file mode creation mask, read without changing it. umask(2) can only read the
// mask by setting a new one, and every file another thread creates meanwhile gets the wrong
// mode; so after start-up the mask is only ever read from /proc.
#pragma once

#include <string>

#include <sys/types.h>

// The mask the "Umask:" line of a /proc/<pid>/status text gives (octal, as "Umask:\t0022");
// fallback when the text has no such line or its value is not an octal mask.
mode_t UmaskFromStatus(const std::string& status, mode_t fallback);

// The current mask, from /proc/self/status; 022 when that can't be read (no /proc, or a
// kernel older than 4.7, which lacks the line).
mode_t CurrentUmask();
