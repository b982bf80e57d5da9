// What the windowed program answers before the toolkit starts: GTK can't start without a
// display, and the toolkit's own --help comes only after it has, so --help and --version are
// looked for first.
#pragma once

enum class EarlyRequest { None, Help, Version };

// The first of -h, --help and --version among argv[1..], up to a "--" that ends the options.
EarlyRequest EarlyRequestOf(int argc, const char* const* argv);
