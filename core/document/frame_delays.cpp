#include "core/document/frame_delays.h"

std::vector<int> ResolveFrameDelays(const FrameDelaySources& sources)
{
    if (!sources.listed.empty())
        return sources.listed;
    if (sources.commonAsked)
        return {};
    if (sources.project.empty())
        return sources.own;
    std::vector<int> delays;
    for (size_t input : sources.inputs)
        delays.push_back(input < sources.project.size() ? sources.project[input] : -1);
    return delays;
}
