#include "core/files/target_node.h"

#include <cstring>

#include <sys/stat.h>

namespace {

// Whether path ends in a part that can only name a folder.
bool NamesAFolder(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    const char* last = slash ? slash + 1 : path;
    return *path != '\0' &&
           (*last == '\0' || std::strcmp(last, ".") == 0 || std::strcmp(last, "..") == 0);
}

} // namespace

TargetNode TargetNodeOf(mode_t mode)
{
    if (S_ISREG(mode))
        return TargetNode::File;
    if (S_ISDIR(mode))
        return TargetNode::Folder;
    if (S_ISFIFO(mode))
        return TargetNode::Pipe;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return TargetNode::Device;
    if (S_ISSOCK(mode))
        return TargetNode::Socket;
    return TargetNode::Other;
}

TargetNode TargetNodeAt(const char* path)
{
    if (NamesAFolder(path))
        return TargetNode::Folder;
    struct stat st;
    if (::stat(path, &st) != 0)
        return TargetNode::Missing;
    return TargetNodeOf(st.st_mode);
}

const char* TargetNodeWords(TargetNode node)
{
    switch (node) {
    case TargetNode::Missing:
    case TargetNode::File:
        return "";
    case TargetNode::Folder:
        return "it is a folder, not a file";
    case TargetNode::Pipe:
        return "it is a named pipe, not a file";
    case TargetNode::Device:
        return "it is a device, not a file";
    case TargetNode::Socket:
        return "it is a socket, not a file";
    default:
        return "it is not a regular file";
    }
}
