// Whether a process that left files behind still runs, so that its files may be removed, and
// the sweep that removes them.
#pragma once

#include <functional>
#include <string>

#include <sys/stat.h>
#include <sys/types.h>

// True only when no process pid exists; one of another user counts as running.
bool ProcessGone(pid_t pid);

// A whole number above 0 written as to_string writes it: digits, no leading zero, at most
// maxDigits of them.
bool ParseDecimal(const std::string& text, size_t maxDigits, unsigned long long& value);

// Removes each entry of folder (links not followed) that ours recognises from its name and
// status, setting the process that made it, when that process is gone. A folder that can't be
// read removes nothing.
using LeftoverTest = std::function<bool(const char* name, const struct stat& st, pid_t& pid)>;
void RemoveFilesOfGoneProcesses(const std::string& folder, const LeftoverTest& ours);
