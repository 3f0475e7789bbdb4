#pragma once

// Asks the system to switch the computer off, as a user at the seat may; nothing is reported
// when it refuses.
void ShutdownComputer();
