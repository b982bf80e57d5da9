// Frame orders on plain numbers. An order lists, for each new position, the old position of
// the frame that goes there, as AnimationDocument::Reorder takes it. A gap is an insertion
// position in a list of count frames, 0..count: gap g lies before frame g, gap count after the
// last frame. Moved frames land together at the gap in the order they had, the others keep
// theirs. Positions that name no frame and repeated positions are ignored everywhere here.
#pragma once

#include <vector>

// The positions among count frames that indices name, ascending, each once.
std::vector<int> ValidPositions(int count, const std::vector<int>& indices);

// The list after moving indices to gap.
std::vector<int> OrderAfterMove(int count, const std::vector<int>& indices, int gap);
// Whether moving indices to gap leaves the list as it is (nothing to move, or a block of
// neighbours dropped onto its own place).
bool MoveChangesNothing(int count, const std::vector<int>& indices, int gap);
// The new position of the first moved frame; the others follow it one by one.
int MovedStart(int count, const std::vector<int>& indices, int gap);
// The new positions of all the moved frames, in their order.
std::vector<int> MovedPositions(int count, const std::vector<int>& indices, int gap);
// The gap that makes the moved frames start step places from where the first of them stands
// now (a key moving the selection left, right or by a row); -1 when that would leave the
// list or there is nothing to move.
int GapForStep(int count, const std::vector<int>& indices, int step);

// The frames at indices (or all, with fewer than two) in reverse order, the others in place.
std::vector<int> ReverseOrder(int count, const std::vector<int>& indices);
// The order that undoes order.
std::vector<int> InverseOrder(const std::vector<int>& order);
