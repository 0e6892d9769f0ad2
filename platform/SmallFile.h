// Reading a small file a user points a program at, without ever waiting on it.
#pragma once

#include <cstddef>
#include <string>

namespace zoma {

struct SmallFile {
    // The file's bytes, when it was read.
    std::string text;
    // Why it was not read, in words that follow its path ("it is a named pipe, not a regular
    // file", "Permission denied", "larger than 64 KiB"); empty when it was read or is missing.
    std::string problem;
    // No file at all (and no link to nothing): the usual case for an optional file.
    bool missing = false;
    // The permission bits of the file read (0644), for files that must be private.
    unsigned permissions = 0;
};

// Reads only a regular file (a link is followed to one) of at most `limit` bytes. The kind of
// file is known before it is opened (opening a named pipe waits for a writer, and opening a
// serial device raises its control lines), and it is opened without blocking in case it was
// replaced in between.
SmallFile readSmallFile(const std::string& path, std::size_t limit);

}  // namespace zoma
