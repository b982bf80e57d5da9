// Whether a process that left files behind still runs, so that its files may be removed.
#pragma once

#include <sys/types.h>

// True only when no process pid exists; one of another user counts as running.
bool ProcessGone(pid_t pid);
