// The window's controls as data: kind, container, caption, place, colours, font, focus order.
#pragma once

#include <cstdint>
#include <string_view>

namespace zoma {

enum class Kind { Button, Label, Frame, Option, Picture };
enum class Face { None, Gothic, PGothic };
enum class Align { Left, Centre, Right };

// What a control's events do; the form's dispatch reads it.
enum class Handler {
    None,           // labels, frames and the picture
    Send,           // a click sends the row's code: a one-shot button
    Hold,           // press and release repeat a code: a held button (the held-button table)
    Mode,           // a click sends a code and sets the pace: a mode button (the mode table)
    End,            // "END" closes the port and ends the program
    ShowPortPanel,  // "COM"
    ToggleData,     // the data-toggle button
    ChooseCom1,     // the port and speed options, when they become marked
    ChooseCom2,
    Choose19200,
    Choose9600,
};

// What a control does, as the form, assistive technology and zoma-ctl know it.
struct Behaviour {
    Handler handler = Handler::None;
    // The group the operator knows the control by ("POWER", "INPUT 3", "VOL", "Arrow pad",
    // "Port"); empty for the right-hand column and the lower area.
    std::string_view group;
    // A one-shot button's code, and zoma-ctl's name for it ("power-on"). Held and mode buttons
    // have theirs in the command tables, beside their paces.
    std::string_view code;
    std::string_view command;
    // What the control does or shows, for assistive technology, where its code does not say it.
    std::string_view description;
};

// Colour value of the system's standard button face.
constexpr std::uint32_t kButtonFace = 0xFFFFFFFFu;

// Positions and sizes in twips from the container's top-left corner; colours 0xRRGGBB.
struct ControlRow {
    std::string_view name;
    // Empty for the window's client area, otherwise the frame that holds the control.
    std::string_view container;
    Kind kind;
    std::string_view caption;
    int left;
    int top;
    int width;
    int height;
    std::uint32_t background;
    std::uint32_t foreground;
    Face face;
    double pointSize;
    bool bold;
    Align align;
    // A sunken single border, like a text field.
    bool border;
    // Place in the focus order; 0 for controls that take no focus.
    int tab;
    bool hiddenAtStart;
    bool selectedAtStart;
    Behaviour behaviour = {};
};

// A solid line on the window, in window coordinates (twips).
struct LineRow {
    std::string_view name;
    int x1;
    int y1;
    int x2;
    int y2;
};

struct ControlTable {
    const ControlRow* rows;
    std::size_t rowCount;
    const LineRow* lines;
    std::size_t lineCount;

    const ControlRow* begin() const { return rows; }
    const ControlRow* end() const { return rows + rowCount; }
    const ControlRow* find(std::string_view name) const;
};

// Containers come before the controls they hold; later rows are drawn over earlier ones.
const ControlTable& form1Controls();

constexpr const char* kForm1Caption = "ZOMA   LT540 & LT47  CONTROL  Ver.1.31";
constexpr int kForm1ClientWidth = 9510;
constexpr int kForm1ClientHeight = 6615;
constexpr std::uint32_t kForm1Background = 0xC0C0C0;
constexpr std::uint32_t kPadLineColour = 0x8080FF;
constexpr int kPadLineWidthPixels = 2;
constexpr int kTwipsPerPixel = 15;

}  // namespace zoma
