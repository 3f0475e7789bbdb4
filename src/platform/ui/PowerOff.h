#pragma once

#include <QString>

// Asks the system to switch the computer off, as a user at the seat may. Returns why it
// refused, or an empty text when the request was taken.
QString ShutdownComputer();
