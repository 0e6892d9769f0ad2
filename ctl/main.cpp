// zoma-ctl: the projector's commands from the command line, for scripts and room automation.
#include <QCoreApplication>
#include <QMetaObject>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ctl/Catalogue.h"
#include "ctl/CtlOptions.h"
#include "ctl/Output.h"
#include "ctl/PortChoice.h"
#include "ctl/Session.h"
#include "platform/OpenFailure.h"
#include "platform/SettingsFile.h"
#include "platform/qt/QtLinePort.h"
#include "platform/qt/QtTimer.h"
#include "platform/qt/StopSignals.h"

using namespace zoma;
using namespace zoma::ctl;

namespace {

void sayError(const std::string& text) {
    std::fprintf(stderr, "zoma-ctl: %s\n", text.c_str());
    std::fflush(stderr);
}

int usageError(const std::string& text) {
    sayError(text);
    return kUsageError;
}

// Standard output, checked as the standard tools check it: the first failed write (a full disk,
// a reader that has gone) is said once, at the end, and the run ends with status 1.
class CheckedOutput {
  public:
    void write(const std::string& text) {
        if (!error_.empty()) return;
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
            std::fflush(stdout) != 0) {
            error_ = std::strerror(errno);
        }
    }
    void line(const std::string& text) { write(text + "\n"); }

    int finish(int status) {
        if (error_.empty() && std::fflush(stdout) != 0) error_ = std::strerror(errno);
        if (error_.empty()) return status;
        sayError("cannot write to standard output: " + error_);
        return status == kAllAnswered ? kNotAllAnswered : status;
    }

  private:
    std::string error_;
};

}  // namespace

int main(int argc, char** argv) {
    CheckedOutput out;
    // Everything about the command line is settled before the line is touched: a usage error
    // sends nothing and does not even open the port.
    const CtlOptions options = parseCtlOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) return usageError(options.error);
    if (options.help) {
        out.write(ctlHelp());
        return out.finish(kAllAnswered);
    }
    if (options.version) {
        out.line(ZOMA_VERSION);
        return out.finish(kAllAnswered);
    }
    if (options.list) {
        out.write(commandList());
        return out.finish(kAllAnswered);
    }
    const Plan plan = planSteps(options.commands, options.repeat);
    if (!plan.error.empty()) return usageError(plan.error);

    // COM1 and COM2 are the panel's ports, which the settings file may name.
    PortDevices devices;
    if (namesPanelPort(options.port)) {
        const LoadedSettings settings = loadSettings(processEnvironment);
        for (const std::string& warning : settings.warnings) sayError(warning);
        devices = resolvePortDevices({}, processEnvironment, settings.file);
    }
    const PortChoice choice = choosePort(options.port, devices);

    // A reader that stops early (zoma-ctl read-all | head -1) must not end the run before the
    // port is closed and its settings put back; the lines it no longer wants are simply lost.
    // Windows has no such signal: a write to a closed pipe fails there and ends nothing.
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    QtLinePort port;
    // Stopped by a service manager or Ctrl+C, the line is still put back as it was found.
    const StopSignals stopSignals([&port](int signalNumber) {
        port.close();
        endBySignal(signalNumber);
    });
    aimLinePort(port, choice, devices, options.speed);
    if (!port.open()) {
        sayError(openFailureLine(port.openFailure()));
        return kPortUnavailable;
    }

    QtTimer replyWindow;
    QtTimer pace;
    QtTimer backgroundHold;
    RequestQueue queue(port, {replyWindow, pace, backgroundHold}, options.timeoutMs);
    Session session(queue);
    const OutputForm form = outputForm(options.json, options.value, plan.steps.size());
    bool allAnswered = true;
    session.onResult = [&](const Result& result) {
        allAnswered = allAnswered && result.ok;
        out.line(resultLine(result, form));
    };
    session.onLineFailed = [&](const std::string& reason) {
        allAnswered = false;
        sayError(lineLostLine({reason, choice.portNumber, port.device()}));
    };
    session.onFinished = [&] { app.exit(allAnswered ? kAllAnswered : kNotAllAnswered); };
    // From inside the event loop, so that its exit is not asked for before it runs.
    QMetaObject::invokeMethod(
        &app, [&] { session.run(plan.steps); }, Qt::QueuedConnection);
    const int status = app.exec();
    // QSerialPort puts back the line settings it found when it opened the port.
    port.close();
    return out.finish(status);
}
