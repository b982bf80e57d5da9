// What stands where a file is to be written. The atomic writer replaces only a regular file
// (or puts a new one where nothing is): a folder, a named pipe or a device in its place is
// refused, so that `-o /dev/null` never replaces the system's device with a file.
#pragma once

#include <sys/types.h>

enum class TargetNode { Missing, File, Folder, Pipe, Device, Socket, Other };

// The kind of node whose st_mode is mode.
TargetNode TargetNodeOf(mode_t mode);

// The node at path (links followed); Missing when nothing is there. A path whose last part
// is empty, "." or ".." ("out/", "a/.") names a folder whatever is there: a file can't be
// written under such a name.
TargetNode TargetNodeAt(const char* path);

// What stands there when it is no file, in English as a sentence's end: "it is a device, not
// a file". Empty for Missing and File.
const char* TargetNodeWords(TargetNode node);
