// posix_openpt with the master in raw mode (no echo: bytes written before the panel opens the
// line must not come back as if the panel had sent them); reads tolerate the hang-up before the
// slave is open.
#include "support/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace zoma::testing {

PseudoTerminal::PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0) return;
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        closeMaster();
        return;
    }
    slavePath_ = ptsname(master_);
    termios settings{};
    if (tcgetattr(master_, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(master_, TCSANOW, &settings);
    }
}

PseudoTerminal::~PseudoTerminal() {
    closeMaster();
}

void PseudoTerminal::closeMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

void PseudoTerminal::write(const std::string& bytes) {
    std::size_t done = 0;
    while (master_ >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else {
            pollfd pfd{master_, POLLOUT, 0};
            poll(&pfd, 1, 10);
        }
    }
}

bool PseudoTerminal::readAvailable(std::string& data) {
    char buffer[4096];
    while (master_ >= 0) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            data.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        // EAGAIN: nothing more for now. EIO: hung up, no one has the slave open.
        return n < 0 && errno == EAGAIN;
    }
    return false;
}

std::string PseudoTerminal::read(int milliseconds) {
    std::string data;
    int wait = milliseconds;
    while (master_ >= 0) {
        pollfd pfd{master_, POLLIN, 0};
        if (poll(&pfd, 1, wait) <= 0) break;
        const std::size_t before = data.size();
        if (!readAvailable(data)) {
            // Hung up: wait a little instead of spinning on the hang-up.
            usleep(2000);
            if (wait <= 2) break;
            wait -= 2;
        }
        // A pause of a few milliseconds after the first bytes ends the read.
        if (data.size() > before) wait = 20;
    }
    return data;
}

int PseudoTerminal::baudRate() const {
    termios settings{};
    if (master_ < 0 || tcgetattr(master_, &settings) != 0) return -1;
    switch (cfgetospeed(&settings)) {
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        default:
            return 0;
    }
}

}  // namespace zoma::testing
