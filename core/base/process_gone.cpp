#include "core/base/process_gone.h"

#include <cerrno>

#include <signal.h>

bool ProcessGone(pid_t pid)
{
    // Signal 0 only asks; EPERM means the process exists under another user.
    return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}
