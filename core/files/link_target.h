// Where a write to a path lands when the path names a symbolic link: the atomic writer
// replaces the file at the end of the chain, never the link itself.
#pragma once

#include <string>

// The path a link's text names: an absolute text as it is, a relative one joined to the
// folder part of linkPath (everything up to its last '/'). ".." is left in for the system,
// which resolves it from that folder exactly as it resolves the link.
std::string LinkTextPath(const std::string& linkPath, const std::string& text);

// Follows path through symbolic links until it names something that is no link: a file, a
// folder, or nothing (a dangling link gives the path it points to, which the write creates).
// A path the system can't look at (a missing folder, no permission) comes back as it is, for
// the write itself to report. False with error set (ELOOP after 40 links, as the system
// counts, or readlink's error) when the chain can't be followed.
bool FollowLinks(const std::string& path, std::string& target, int& error);
