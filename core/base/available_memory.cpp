#include "core/base/available_memory.h"

#include <fstream>
#include <sstream>

uint64_t ParseMemAvailable(const std::string& meminfo)
{
    std::istringstream lines(meminfo);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name, unit;
        uint64_t value = 0;
        if (fields >> name >> value >> unit && name == "MemAvailable:" && unit == "kB")
            return value * 1024;
    }
    return 0;
}

uint64_t AvailableMemory()
{
    std::ifstream file("/proc/meminfo");
    std::stringstream text;
    text << file.rdbuf();
    return ParseMemAvailable(text.str());
}
