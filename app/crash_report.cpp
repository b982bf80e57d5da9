#include "app/crash_report.h"

void GenerateCrashReport() {}
