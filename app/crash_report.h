// The crash report: a compressed debug report with a timestamp, and a message naming it.
#pragma once

void GenerateCrashReport();
