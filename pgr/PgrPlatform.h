// The one place where the file reader differs between Windows and the host.
#pragma once

#include <cstdint>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/stat.h>
#endif

// Length in bytes of the file behind a runtime-library stream, -1 if unknown.
inline int64_t StreamFileLength(FILE* stream) {
#ifdef _WIN32
    return _filelengthi64(_fileno(stream));
#else
    struct stat st;
    return fstat(fileno(stream), &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
#endif
}
