#pragma once

#include <QtGlobal>

// Whether the program at the other end of a connected local socket runs as the same user as
// this one: files are handed only between a user's own windows.
bool PeerIsThisUser(qintptr socketDescriptor);
