// Xvfb picks its own free display (-displayfd), so tests running side by side never collide on a
// number; xdpyinfo then confirms that clients get in. Only clients holding the server's cookie
// get in: another user of the machine cannot drive the panel under test.
#include "support/VirtualDisplay.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <sstream>

namespace zoma::testing {

namespace {

// Guards against a hang only; the server is normally up in a fraction of a second.
constexpr int kStartLimitMs = 15000;

// An X authority file of one entry for any display of this machine: the display's number is not
// known before the server has chosen it. Made readable by this user only.
bool writeAuthority(const std::string& path) {
    std::random_device random;
    std::string cookie;
    for (int i = 0; i < 16; ++i) cookie += static_cast<char>(random() & 0xff);
    const std::string name = "MIT-MAGIC-COOKIE-1";
    auto counted = [](const std::string& field) {
        return std::string{static_cast<char>(field.size() >> 8), static_cast<char>(field.size())} +
               field;
    };
    // Family "wild" (0xffff), no address and no display number: it matches every display.
    const std::string entry =
        std::string("\xff\xff", 2) + counted("") + counted("") + counted(name) + counted(cookie);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const bool written =
        ::write(fd, entry.data(), entry.size()) == static_cast<ssize_t>(entry.size());
    ::close(fd);
    return written;
}

}  // namespace

std::string findProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

VirtualDisplay::VirtualDisplay() {
    for (const char* tool : {"Xvfb", "xdpyinfo", "xdotool"}) {
        if (findProgram(tool).empty()) failure_ += std::string(failure_.empty() ? "" : ", ") + tool;
    }
    if (!failure_.empty()) {
        failure_ = "not installed: " + failure_;
        return;
    }

    char folder[] = "/tmp/zoma-xauth-XXXXXX";
    if (::mkdtemp(folder) == nullptr || !writeAuthority(std::string(folder) + "/xauthority")) {
        failure_ = "cannot write an X authority file";
        return;
    }
    authorityFolder_ = folder;
    authority_ = authorityFolder_ + "/xauthority";

    ChildProcess::Launch launch;
    // The display number comes back on standard output once the server accepts connections.
    launch.argv = {findProgram("Xvfb"), "-displayfd", "1",     "-nolisten", "tcp", "-screen", "0",
                   "1280x1024x24",      "-noreset",   "-auth", authority_};
    server_ = std::make_unique<ChildProcess>(launch);
    std::string number;
    if (!server_->readLine(number, kStartLimitMs) || number.empty()) {
        failure_ = "Xvfb did not start";
        if (server_->exited()) {
            failure_ += " (wait status " + std::to_string(server_->waitStatus()) + ")";
        }
        server_.reset();
        return;
    }
    name_ = ":" + number;

    const Outcome probe = run({"xdpyinfo"}, kStartLimitMs);
    if (probe.exitCode != 0) {
        failure_ = "Xvfb on " + name_ + " does not accept clients";
        server_.reset();
    }
}

VirtualDisplay::~VirtualDisplay() {
    server_.reset();
    if (!authority_.empty()) ::unlink(authority_.c_str());
    if (!authorityFolder_.empty()) ::rmdir(authorityFolder_.c_str());
}

std::unique_ptr<ChildProcess> VirtualDisplay::start(
    const std::vector<std::string>& argv,
    const std::vector<std::pair<std::string, std::string>>& environment,
    const std::string& stderrPath) const {
    ChildProcess::Launch launch;
    launch.argv = argv;
    if (!launch.argv.empty() && launch.argv[0].find('/') == std::string::npos) {
        launch.argv[0] = findProgram(argv[0]);
    }
    launch.environment = environment;
    launch.environment.emplace_back("DISPLAY", name_);
    launch.environment.emplace_back("XAUTHORITY", authority_);
    launch.stderrPath = stderrPath;
    return std::make_unique<ChildProcess>(launch);
}

VirtualDisplay::Outcome VirtualDisplay::run(const std::vector<std::string>& argv,
                                            int limitMs) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    const std::unique_ptr<ChildProcess> tool = start(argv);
    Outcome outcome;
    outcome.output = tool->readToEnd(limitMs);
    // One limit for the whole run, output and exit together.
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    outcome.exitCode = tool->finish(std::max<int>(0, static_cast<int>(left.count())));
    return outcome;
}

}  // namespace zoma::testing
