// Names of the named temporary files the atomic writer falls back to where the file system
// can't make unnamed ones: ".NAME.PID.XXXXXX" beside the target NAME, PID being the writing
// process. A process killed mid-write leaves such a file; the pid tells a later save whether
// its writer is gone, so that save can remove it without touching a write still running.
#pragma once

#include <string>

#include <sys/types.h>

// The folder part of path: "." for a bare name, "/" for a name in the root folder.
std::string FolderOf(const std::string& path);
// The last part of path, after its last '/'.
std::string BaseNameOf(const std::string& path);

// mkstemp's pattern for a temporary file beside path written by process pid:
// "dir/name" gives "dir/.name.PID.XXXXXX".
std::string TempPattern(const std::string& path, pid_t pid);

// A name for TempPattern(path, pid) with its X letters drawn at random, for a link that
// gives a finished unnamed file a name of its own before it replaces the target.
std::string RandomTempName(const std::string& path, pid_t pid);

// Whether entry (a bare name in the target's folder) is one of our temporary files for the
// target named targetName; pid receives its writer. Only the exact pattern matches: a dot,
// the name, a dot, decimal digits, a dot and six of mkstemp's letters and digits.
bool IsTempFileOf(const std::string& entry, const std::string& targetName, pid_t& pid);

// Removes from folder the temporary files of targetName whose writing process no longer
// exists. Best effort: what can't be listed or removed stays.
void RemoveLeftoverTempFiles(const std::string& folder, const std::string& targetName);
