// Opening the pseudo-terminal, noticing the panel open and close it, naming it with a link.
#include "sim/PtyLine.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace zoma::sim {

namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void closeKeepingErrno(int fd) {
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

}  // namespace

PtyLine::PtyLine(SimLog& log) : log_(log) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0) fail("posix_openpt");
    try {
        if (::grantpt(master_) != 0) fail("grantpt");
        if (::unlockpt(master_) != 0) fail("unlockpt");
        const char* name = ::ptsname(master_);
        if (name == nullptr) fail("ptsname");
        slavePath_ = name;

        // Opening and closing the slave once also puts the master into its "other side closed"
        // state, so the loop sees POLLHUP until the panel opens the slave.
        const int slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (slave < 0) fail("open " + slavePath_);
        termios settings{};
        if (::tcgetattr(slave, &settings) != 0) {
            closeKeepingErrno(slave);
            fail("tcgetattr");
        }
        ::cfmakeraw(&settings);
        ::cfsetspeed(&settings, B19200);
        if (::tcsetattr(slave, TCSANOW, &settings) != 0) {
            closeKeepingErrno(slave);
            fail("tcsetattr");
        }
        ::close(slave);
    } catch (...) {
        ::close(master_);
        throw;
    }
}

PtyLine::~PtyLine() {
    if (master_ >= 0) ::close(master_);
}

void PtyLine::admit(Millis now) {
    if (open_) return;
    pollfd master{master_, POLLIN, 0};
    if (::poll(&master, 1, 0) < 0 || (master.revents & POLLHUP) != 0) return;
    open_ = true;
    log_.line(now, "panel opened " + slavePath_);
}

void PtyLine::hangUp(Millis now) {
    if (!open_) return;
    open_ = false;
    discardUnread();
    log_.line(now, "panel closed " + slavePath_);
}

void PtyLine::discardUnread() const {
    const int slave = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave < 0) return;  // the panel is back and holds the port exclusively
    ::tcflush(slave, TCIFLUSH);
    ::close(slave);
}

SlaveLink::SlaveLink(std::string path, const std::string& target)
    : path_(std::move(path)), target_(target) {
    struct stat info {};
    if (::lstat(path_.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            throw std::runtime_error(path_ + " exists and is not a symbolic link");
        }
        if (::unlink(path_.c_str()) != 0) fail("unlink " + path_);
    }
    if (::symlink(target_.c_str(), path_.c_str()) != 0) fail("symlink " + path_);
}

SlaveLink::~SlaveLink() {
    // Leave the link alone if another simulator has taken the name meanwhile.
    char buffer[4096];
    const ssize_t size = ::readlink(path_.c_str(), buffer, sizeof buffer);
    if (size >= 0 && std::string(buffer, static_cast<std::size_t>(size)) == target_) {
        ::unlink(path_.c_str());
    }
}

}  // namespace zoma::sim
