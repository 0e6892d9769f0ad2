// Ends a start-up probe at its window's first paint and reports when that was.
#pragma once

#include <QObject>
#include <cstdint>

class QWidget;

namespace zoma::bench {

// Watches a window. Once the event loop is back from the window's first paint (the picture is
// complete and flushed), prints one line on standard output, "PAINT DONE RSS": the monotonic
// times at which the first paint event reached the window and at which the loop came back, and
// the peak resident set so far in KiB; then ends the event loop with status 0.
class FirstPaint : public QObject {
  public:
    explicit FirstPaint(QWidget& window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void report();

    std::int64_t paintedAt_ = 0;
};

}  // namespace zoma::bench
