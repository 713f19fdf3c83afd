#include "platform/StandardStreams.h"

#ifdef TELMO_HAVE_WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#endif

namespace telmo {

void UseBinaryStandardStreams() {
#ifdef TELMO_HAVE_WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

} // namespace telmo
