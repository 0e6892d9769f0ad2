// A small regular file, read without blocking: its bytes, or why not.
#include "platform/SmallFile.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <filesystem>
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zoma {

namespace {

std::string tooLarge(std::size_t limit) {
    return limit % 1024 == 0 ? "larger than " + std::to_string(limit / 1024) + " KiB"
                             : "larger than " + std::to_string(limit) + " bytes";
}

#ifndef _WIN32
std::string notRegular(mode_t mode) {
    const char* what = S_ISDIR(mode)    ? "a directory"
                       : S_ISFIFO(mode) ? "a named pipe"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "something else";
    return std::string("it is ") + what + ", not a regular file";
}
#endif

}  // namespace

#ifdef _WIN32

SmallFile readSmallFile(const std::string& path, std::size_t limit) {
    namespace fs = std::filesystem;
    SmallFile read;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
        if (fs::is_symlink(fs::symlink_status(path, error))) {
            read.problem = "it is a link to a file that does not exist";
        } else {
            read.missing = true;
        }
        return read;
    }
    if (!fs::is_regular_file(status)) {
        read.problem = "it is not a regular file";
        return read;
    }
    read.permissions = static_cast<unsigned>(status.permissions()) & 0777;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        read.problem = "it cannot be read";
        return read;
    }
    std::string text(limit + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > limit) {
        read.problem = tooLarge(limit);
    } else {
        read.text = std::move(text);
    }
    return read;
}

#else

SmallFile readSmallFile(const std::string& path, std::size_t limit) {
    SmallFile read;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
            read.problem = "it is a link to a file that does not exist";
        } else if (error == ENOENT) {
            read.missing = true;
        } else {
            read.problem = std::strerror(error);
        }
        return read;
    }
    if (!S_ISREG(info.st_mode)) {
        read.problem = notRegular(info.st_mode);
        return read;
    }
    if (static_cast<std::size_t>(info.st_size) > limit) {
        read.problem = tooLarge(limit);
        return read;
    }

    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        read.problem = std::strerror(errno);
        return read;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        read.problem = notRegular(info.st_mode);
        ::close(fd);
        return read;
    }
    read.permissions = info.st_mode & 07777;
    // One byte more than allowed tells a file that grew since it was looked at.
    std::string text(limit + 1, '\0');
    std::size_t filled = 0;
    while (filled < text.size()) {
        const ssize_t got = ::read(fd, text.data() + filled, text.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            read.problem = std::strerror(errno);
            break;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    text.resize(filled);
    if (read.problem.empty() && filled > limit) read.problem = tooLarge(limit);
    if (read.problem.empty()) read.text = std::move(text);
    return read;
}

#endif

}  // namespace zoma
