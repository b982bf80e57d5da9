// How the status bar's fields share its width, on plain numbers.
#pragma once

#include <vector>

// The widths of fields that together fill available pixels, each wanting the width of its
// text (0 for an empty field). When every text fits, each field gets what it wants and the
// last one takes what is left over. Otherwise the field kept stays whole as long as the others
// can give way: they share what it leaves in proportion to what they want, so a long text
// gives up more than a short one; the field kept is shortened only when nothing else is left.
// The widths are never negative and add up to available (0 when available is).
std::vector<int> ShareStatusWidths(const std::vector<int>& wanted, int available, int kept);

// What the fields want when they hold the widths shown now: a field before the last one that
// has text keeps a width larger than its text needs as long as all the texts still fit, so
// texts whose length changes all the time (the name of the frame shown during playback) don't
// move the fields after them back and forth.
std::vector<int> SteadyStatusWants(const std::vector<int>& wanted, const std::vector<int>& shown,
                                   int available);
