// The RX monitor line: the one writer of Label12, which keeps the rendering of the receive
// buffer it shows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/WindowServices.h"

namespace zoma {

class RxLine {
  public:
    explicit RxLine(WindowServices& window) : window_(window) {}

    // Shows the monitor text of `text` and returns it. The receive buffer only grows between
    // clears, so a text that continues the one shown last has only its new characters rendered:
    // a stream of receipts costs in proportion to what arrives, not to the whole buffer each
    // time.
    const std::string& show(const std::string& text);
    // A text of its own on the line (the missing-reply mark).
    void showMark(const std::string& mark);
    // Empties the line.
    void clear();
    // The receive buffer was emptied: the next text is rendered afresh; the line keeps showing
    // what it shows until it is written again.
    void bufferCleared();

  private:
    void put(const std::string& text);

    WindowServices& window_;
    // The text rendered, and its monitor text.
    std::string source_;
    std::string monitor_ = " ";
    // Whether the line shows monitor_ as it stands.
    bool showsMonitor_ = false;
};

}  // namespace zoma
