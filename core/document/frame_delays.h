// Which delay each frame of an export gets when they come from several places: a list given
// for every output frame, one common delay, a project's own delays, the GIF inputs' own.
#pragma once

#include <cstddef>
#include <vector>

struct FrameDelaySources {
    // One delay per output frame, given outright (the command line's --delays); empty: none.
    std::vector<int> listed;
    // One common delay was asked for (--delay): every frame uses it.
    bool commonAsked = false;
    // A project's own delays, by input (-1: the common delay); empty when there is no project.
    std::vector<int> project;
    // Each output frame's own GIF delay (-1 for a picture), and the input it comes from.
    std::vector<int> own;
    std::vector<size_t> inputs;
};

// GifExportOptions::delays for the sources, strongest first: the listed delays; nothing
// (every frame on the common delay) when one was asked for; a project's own delays, which
// stand for its frames' timing (a frame without one follows the project's delay, whatever
// its GIF stores); else every GIF frame's own delay and the common delay for pictures.
std::vector<int> ResolveFrameDelays(const FrameDelaySources& sources);
