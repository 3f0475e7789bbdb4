#pragma once

// Where the start-up time goes. With FW_START_MARKS set, each mark prints one line to stderr:
// its label, wall milliseconds since the first mark, and the process's CPU milliseconds since
// it was started (so the first mark also shows what loading the libraries cost). Without it, a
// mark costs one test of a flag.
void StartMark(const char* label);

// Marks the first window's first expose and the loop turn after it, by which the first frame
// has been drawn and handed to the display.
void MarkFirstFrame();
