// Opening a file for reading only when it is a regular file, in a way that never
// blocks: a FIFO, a socket, a device or a folder is refused, not read.
#pragma once

#include <cstdio>

struct OpenedFile {
    std::FILE* file = nullptr; // null when the file was not opened
    bool notRegular = false;   // refused: it exists but is no regular file
    int error = 0;             // otherwise the reason it could not be opened (an errno)
};

// Opens `path` for reading in text mode. The file that was opened is the one checked,
// so a name swapped for a FIFO or a device between a check and the open cannot make
// a later read block.
OpenedFile openRegularFile(const char* path);

// Why `opened` holds no file, in a few words ("not a regular file", or the system's
// text for its error).
const char* openFailureText(const OpenedFile& opened);
