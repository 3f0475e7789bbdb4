#pragma once

// Hands memory freed on other threads back to the system: the C library keeps such memory in
// the thread's own pool, where the window would hold on to it for as long as it runs.
void ReturnFreedMemory();
