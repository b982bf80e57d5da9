// Names of the named temporary files the atomic writer falls back to where the file system
// can't make unnamed ones. A file is created as ".NAME.PID.XXXXXX" beside the target NAME
// (PID: the writing process) and at once renamed ".NAME.PID.INODE.part", INODE being its own
// inode number. A process killed mid-write leaves such a file; a later save removes it only
// when the name still matches the file it names (its inode, owned by this user, one link)
// and its writer is gone. A user's file of a similar name ("out.gif.1234.backup") never
// holds its own inode number, so it is never taken for ours.
#pragma once

#include <string>

#include <sys/stat.h>
#include <sys/types.h>

// The folder part of path: "." for a bare name, "/" for a name in the root folder.
std::string FolderOf(const std::string& path);
// The last part of path, after its last '/'.
std::string BaseNameOf(const std::string& path);

// mkstemp's pattern for a temporary file beside path written by process pid:
// "dir/name" gives "dir/.name.PID.XXXXXX".
std::string TempPattern(const std::string& path, pid_t pid);

// A name for TempPattern(path, pid) with its X letters drawn at random, for a moment's name
// when the proven one is taken.
std::string RandomTempName(const std::string& path, pid_t pid);

// The name that proves a temporary file beside path ours: "dir/name" written by pid into
// the file inode gives "dir/.name.PID.INODE.part".
std::string ProvenTempName(const std::string& path, pid_t pid, ino_t inode);

// Whether entry (a bare name in the target's folder) has the form ProvenTempName gives for
// the target named targetName: a dot, the name, a dot, the pid, a dot, the inode number and
// ".part", both numbers decimal without leading zeros. pid and inode receive them.
bool ParseProvenTempName(const std::string& entry, const std::string& targetName, pid_t& pid,
                         ino_t& inode);

// Whether the folder entry entry, with the attributes st (not following a link), is a
// temporary file of targetName that this program made for user: a proven name whose inode
// number is the file's own, a regular file owned by user with no other link. pid receives
// its writer, which the caller must still find gone before removing it.
bool IsOurTempFile(const std::string& entry, const struct stat& st, const std::string& targetName,
                   uid_t user, pid_t& pid);

// Removes from folder the temporary files of targetName that IsOurTempFile recognises and
// whose writing process no longer exists. Best effort: what can't be listed or removed stays.
void RemoveLeftoverTempFiles(const std::string& folder, const std::string& targetName);
