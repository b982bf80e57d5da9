#include "core/base/trace.h"

#include <atomic>
#include <cstdio>

namespace {
std::atomic<bool> s_traceEnabled{true};
}

void Trace(const char* line)
{
    if (!s_traceEnabled.load(std::memory_order_relaxed))
        return;
    // One call per line keeps lines whole when two threads trace at once.
    std::printf("%s\n", line);
    std::fflush(stdout);
}

void SetTraceEnabled(bool enabled)
{
    s_traceEnabled.store(enabled, std::memory_order_relaxed);
}

bool IsTraceEnabled()
{
    return s_traceEnabled.load(std::memory_order_relaxed);
}
