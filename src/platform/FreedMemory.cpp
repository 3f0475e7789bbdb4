#include "FreedMemory.h"

// The C library's own header first: it is what says whether this is glibc.
#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

void ReturnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
