// Where start-up spends its time, for the start-up benchmark: when the environment variable
// KESTRINE_STARTUP_TIMES names a file, each MarkStartup takes the time since the process was
// created, and ReportStartup appends "phase<TAB>milliseconds" lines to the file.  Without the
// variable both do nothing.  Any thread may mark a phase; the report lists them in the order
// they happened.
#pragma once

void MarkStartup(const char* phase);
void ReportStartup();
