// SIGTERM, SIGINT and SIGHUP taken in the event loop, so a program stopped by a service manager,
// Ctrl+C or a closed terminal still puts its line back as it found it.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace zoma {

class StopSignals : public QObject {
    Q_OBJECT
  public:
    // From now on these signals call `onStop` with the signal's number from the event loop,
    // instead of ending the program where it stands. One instance at a time.
    explicit StopSignals(std::function<void(int signalNumber)> onStop, QObject* parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

  private:
    void takeSignal();

    std::function<void(int)> onStop_;
    QSocketNotifier* notifier_ = nullptr;
};

// Ends the program by the signal, with its default action, as if it had never been caught: a
// shell sees status 128 + the signal's number, a service manager the signal.
[[noreturn]] void endBySignal(int signalNumber);

}  // namespace zoma
