// The missing or unreachable display: one line saying what to do, then status 1.
#include "app/NoDisplay.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zoma {

namespace {

constexpr const char* kWhatToDo =
    "run it in a desktop session, over \"ssh -X\", or under \"xvfb-run zoma-panel\"";

// What Qt's fatal message says when no platform plugin could start; not translated.
constexpr const char* kNoPlatform = "no Qt platform plugin could be initialized";

QtMessageHandler previousHandler = nullptr;

// Messages from inside QApplication's constructor, passed on once it has succeeded.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QByteArray file;
    QByteArray function;
    int line;
    QString text;
};
std::vector<HeldMessage> heldMessages;
bool holding = false;

const char* orNull(const QByteArray& text) {
    return text.isNull() ? nullptr : text.constData();
}

// The text between the quotes after `prefix` in a message held so far, or empty.
QString quotedAfter(const QString& prefix) {
    for (const HeldMessage& message : heldMessages) {
        const int at = message.text.indexOf(prefix);
        if (at < 0) continue;
        const int start = at + prefix.size();
        const int end = message.text.indexOf(QLatin1Char('"'), start);
        if (end > start) return message.text.mid(start, end - start);
    }
    return {};
}

// A platform named by QT_QPA_PLATFORM or -platform that Qt has no plugin for is not a display
// problem: name the plugin, and the ones there are.
bool failOnMissingPlugin(const QString& fatalText) {
    const QString plugin = quotedAfter(QStringLiteral("Could not find the Qt platform plugin \""));
    if (plugin.isEmpty()) return false;
    const QString availablePrefix = QStringLiteral("Available platform plugins are: ");
    const int at = fatalText.indexOf(availablePrefix);
    QString available = at < 0 ? QString() : fatalText.mid(at + availablePrefix.size()).trimmed();
    if (available.endsWith(QLatin1Char('.'))) available.chop(1);
    std::fprintf(stderr, "zoma-panel: cannot load the Qt platform plugin \"%s\"%s%s\n",
                 plugin.toLocal8Bit().constData(),
                 available.isEmpty() ? "" : "; the plugins there are: ",
                 available.toLocal8Bit().constData());
    return true;
}

void holdOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg && text.contains(QLatin1String(kNoPlatform))) {
        if (failOnMissingPlugin(text)) {
            std::fflush(stderr);
            std::_Exit(1);
        }
        const QByteArray display =
            qgetenv("DISPLAY").isEmpty() ? qgetenv("WAYLAND_DISPLAY") : qgetenv("DISPLAY");
        std::fprintf(stderr, "zoma-panel: cannot open the display %s; %s\n",
                     display.isEmpty() ? "(none named)" : display.constData(), kWhatToDo);
        std::fflush(stderr);
        // Inside QApplication's constructor nothing is left worth tearing down.
        std::_Exit(1);
    }
    if (type == QtFatalMsg || !holding) {
        previousHandler(type, context, text);
        return;
    }
    heldMessages.push_back(
        {type, context.category, context.file, context.function, context.line, text});
}

}  // namespace

std::string missingDisplayText(bool platformGiven) {
    if (platformGiven || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return {};
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return std::string("zoma-panel: no display (DISPLAY and WAYLAND_DISPLAY are not set); ") +
               kWhatToDo + "\n";
    }
#endif
    return {};
}

DisplayWatch::DisplayWatch() {
    holding = true;
    previousHandler = qInstallMessageHandler(holdOrFail);
}

DisplayWatch::~DisplayWatch() {
    qInstallMessageHandler(previousHandler);
    holding = false;
    std::vector<HeldMessage> held;
    held.swap(heldMessages);
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(orNull(message.file), message.line,
                                         orNull(message.function), orNull(message.category));
        qt_message_output(message.type, context, message.text);
    }
}

}  // namespace zoma
