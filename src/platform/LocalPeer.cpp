#include "LocalPeer.h"

#ifdef Q_OS_LINUX
#include <sys/socket.h>
#include <unistd.h>
#endif

bool PeerIsThisUser(qintptr socketDescriptor)
{
#ifdef Q_OS_LINUX
    ucred peer = {};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::geteuid();
#else
    // The server socket's own access rights keep other users out.
    Q_UNUSED(socketDescriptor)
    return true;
#endif
}
