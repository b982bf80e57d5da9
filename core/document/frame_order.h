// Frame orders on plain numbers. An order lists, for each new position, the old position of
// the frame that goes there, as AnimationDocument::Reorder takes it. Positions that name no
// frame and repeated positions are ignored everywhere here.
#pragma once

#include <vector>

// The positions among count frames that indices name, ascending, each once.
std::vector<int> ValidPositions(int count, const std::vector<int>& indices);
