// The rectangle of a screen that a recording takes: a rectangle of the screen's pixels, written
// on a command line as "WxH+X+Y".
#pragma once

#include "core/base/pixel_rect.h"

using CaptureRect = PixelRect;
