#include <gtest/gtest.h>

#include <numeric>

#include "core/view/status_widths.h"

// The status bar at the widths a window has (800 pixels wide, say): the length field (2) must
// be the last to lose pixels, and the fields must fill the bar exactly.
TEST(StatusWidths, FieldsShareByTheirTextsAndTheKeptFieldGivesWayLast)
{
    const struct {
        const char* what;
        std::vector<int> wanted;
        int available;
        std::vector<int> expected;
    } cases[] = {
        {"all fit: the last field takes the rest", {200, 300, 150}, 800, {200, 300, 300}},
        {"an empty field takes nothing", {180, 0, 120}, 800, {180, 0, 620}},
        {"too narrow: the others share what the length leaves, by their texts",
         {300, 600, 200}, 800, {200, 400, 200}},
        {"the kept field needs no place at the end", {400, 400, 100}, 500, {200, 200, 100}},
        {"only the kept field has text", {0, 0, 900}, 800, {0, 0, 800}},
        {"narrower than the kept field alone", {100, 100, 300}, 250, {0, 0, 250}},
        {"rounding down goes to a field with text", {3, 1, 10}, 12, {1, 1, 10}},
        {"rounding down on a tight bar", {100, 100, 100}, 251, {75, 76, 100}},
        {"nothing to share", {50, 50, 50}, 0, {0, 0, 0}},
        {"a negative width is none", {-5, 20, 10}, 100, {0, 20, 80}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<int> widths = ShareStatusWidths(c.wanted, c.available, 2);
        EXPECT_EQ(widths, c.expected);
        EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), c.available);
    }
}

// The name of the frame shown changes with every frame during playback; the fields after it
// must not move back and forth with it.
TEST(StatusWidths, ShorterTextsKeepTheirFieldWhileEverythingFits)
{
    const struct {
        const char* what;
        std::vector<int> wanted;
        std::vector<int> shown;
        int available;
        std::vector<int> expected;
    } cases[] = {
        {"a shorter name keeps its field", {100, 150, 90}, {100, 300, 400}, 800, {100, 300, 90}},
        {"a longer name widens it", {100, 350, 90}, {100, 300, 400}, 800, {100, 350, 90}},
        {"an emptied field gives its room back", {100, 0, 90}, {100, 300, 400}, 800, {100, 0, 90}},
        {"held widths that no longer fit are let go", {100, 150, 500}, {100, 300, 400}, 800,
         {100, 150, 500}},
        {"nothing shown yet", {100, 150, 90}, {}, 800, {100, 150, 90}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SteadyStatusWants(c.wanted, c.shown, c.available), c.expected);
    }
}
