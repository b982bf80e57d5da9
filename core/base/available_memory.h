// The memory the machine has to give, asked before a large picture is decoded or a load starts.
#pragma once

#include <cstdint>
#include <string>

// MemAvailable of /proc/meminfo's text, in bytes; 0 when it doesn't say.
uint64_t ParseMemAvailable(const std::string& meminfo);

// The memory this machine can give without swapping, in bytes; 0 when unknown.
uint64_t AvailableMemory();
