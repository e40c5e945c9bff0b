// The one place where opening a stage file touches the operating system. Both
// platforms look at the name first, so that a device is not even opened where that can
// be seen beforehand, and then at the file actually opened. POSIX opens without
// blocking, since opening a FIFO waits for a writer; on Windows an open does not wait.
#include "regular_file.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32

OpenedFile openRegularFile(const char* path) {
    OpenedFile opened;
    struct _stat64 info;
    if (_stat64(path, &info) == 0 && (info.st_mode & _S_IFMT) != _S_IFREG) {
        opened.notRegular = true;
        return opened;
    }
    opened.file = std::fopen(path, "r");
    if (opened.file == nullptr) {
        opened.error = errno;
        return opened;
    }
    // CON, NUL, a named pipe: opened, but reading one may wait for ever.
    if (_fstat64(_fileno(opened.file), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
        std::fclose(opened.file);
        opened.file = nullptr;
        opened.notRegular = true;
    }
    return opened;
}

#else

#include <fcntl.h>
#include <unistd.h>

OpenedFile openRegularFile(const char* path) {
    OpenedFile opened;
    // Opening a device can do something of its own (a tape rewinds).
    struct stat info;
    if (::stat(path, &info) == 0 && !S_ISREG(info.st_mode)) {
        opened.notRegular = true;
        return opened;
    }
    // Without O_NONBLOCK, opening a FIFO waits for a writer.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        opened.error = errno;
        return opened;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        opened.notRegular = true;
        return opened;
    }
    // A regular file's reads never block; plain blocking reads are what stdio expects.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    opened.file = ::fdopen(fd, "r");
    if (opened.file == nullptr) {
        opened.error = errno;
        ::close(fd);
    }
    return opened;
}

#endif

const char* openFailureText(const OpenedFile& opened) {
    return opened.notRegular ? "not a regular file" : std::strerror(opened.error);
}
