// Trace lines: fixed words written to standard output by the application as it works.
// The headless exporter switches them off so that its standard output stays clean.
#pragma once

// Writes line and an end of line to standard output, when tracing is on (the default).
void Trace(const char* line);
void SetTraceEnabled(bool enabled);
bool IsTraceEnabled();
