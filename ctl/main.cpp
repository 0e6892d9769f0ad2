// zoma-ctl: the projector's commands from the command line, for scripts and room automation.
#include <QCoreApplication>
#include <QMetaObject>
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "ctl/Catalogue.h"
#include "ctl/CtlOptions.h"
#include "ctl/Output.h"
#include "ctl/PortChoice.h"
#include "ctl/Session.h"
#include "platform/OpenFailure.h"
#include "platform/qt/QtSerialPort.h"
#include "platform/qt/QtTimer.h"

using namespace zoma;
using namespace zoma::ctl;

namespace {

int usageError(const std::string& text) {
    std::cerr << "zoma-ctl: " << text << std::endl;
    return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
    // Everything about the command line is settled before the line is touched: a usage error
    // sends nothing and does not even open the port.
    const CtlOptions options = parseCtlOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) return usageError(options.error);
    if (options.help) {
        std::cout << ctlHelp();
        return kAllAnswered;
    }
    if (options.version) {
        std::cout << ZOMA_VERSION << std::endl;
        return kAllAnswered;
    }
    if (options.list) {
        std::cout << commandList();
        return kAllAnswered;
    }
    const Plan plan = planSteps(options.commands, options.repeat);
    if (!plan.error.empty()) return usageError(plan.error);

    // A reader that stops early (zoma-ctl read-all | head -1) must not end the run before the
    // port is closed and its settings put back; the lines it no longer wants are simply lost.
    // Windows has no such signal: a write to a closed pipe fails there and ends nothing.
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    const PortChoice choice = choosePort(options.port);
    QtSerialPort port;
    port.setDeviceName(choice.device);
    port.setSettings(std::to_string(options.speed) + ",N,8,1");
    if (!port.open()) {
        // One line: the device tried and the system's reason, not the panel's warning box.
        std::cerr << "zoma-ctl: cannot open " << choice.label << ": "
                  << openFailureReason(port.openFailure()) << std::endl;
        return kPortUnavailable;
    }

    QtTimer replyWindow;
    QtTimer repeat;
    Session session(port, replyWindow, repeat, options.timeoutMs);
    const OutputForm form = options.json            ? OutputForm::Json
                            : plan.steps.size() > 1 ? OutputForm::NamedWords
                                                    : OutputForm::Words;
    bool allAnswered = true;
    session.onResult = [&](const Result& result) {
        allAnswered = allAnswered && result.ok;
        std::cout << resultLine(result, form) << std::endl;
    };
    session.onLineFailed = [&](const std::string& errorText) {
        allAnswered = false;
        std::cerr << "zoma-ctl: lost " << choice.label << ": " << errorText << std::endl;
    };
    session.onFinished = [&] { app.exit(allAnswered ? kAllAnswered : kNotAllAnswered); };
    // From inside the event loop, so that its exit is not asked for before it runs.
    QMetaObject::invokeMethod(
        &app, [&] { session.run(plan.steps); }, Qt::QueuedConnection);
    const int status = app.exec();
    // QSerialPort puts back the line settings it found when it opened the port.
    port.close();
    return status;
}
