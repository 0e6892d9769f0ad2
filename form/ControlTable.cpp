// Every control of the panel's window, in drawing order.
#include "form/ControlTable.h"

#include <algorithm>
#include <iterator>

namespace zoma {

namespace {

// clang-format off
constexpr ControlRow kRows[] = {
    // name, container, kind, caption, left, top, width, height, background, text colour, face,
    // points, bold, alignment, border, tab, hidden at start, selected at start, and what the
    // control does: {handler, group, code and command of a one-shot button, description}
    {"Image1", "", Kind::Picture, "", 8280, 0, 1200, 390, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Frame1", "", Kind::Frame, "", 90, 90, 1440, 1215, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label1", "Frame1", Kind::Label, "POWER", 120, 240, 1095, 255, 0xC0C0C0, 0xC00000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command17", "Frame1", Kind::Button, "ON", 120, 720, 615, 300, 0xC0FFC0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 1, false, false, {Handler::Send, "POWER", "C00", "power-on", ""}},
    {"Command18", "Frame1", Kind::Button, "OFF", 720, 720, 615, 300, 0xFFC0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 28, false, false, {Handler::Send, "POWER", "C02", "power-off", ""}},
    {"Frame11", "", Kind::Frame, "", 1590, 345, 2070, 960, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label21", "Frame11", Kind::Label, "INPUT 1 ", 480, 240, 1215, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command40", "Frame11", Kind::Button, "ANALOG", 90, 585, 960, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 88, false, false, {Handler::Send, "INPUT 1", "C05", "input1-analog", ""}},
    {"Command63", "Frame11", Kind::Button, "DIGITAL", 1050, 585, 930, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 75, false, false, {Handler::Send, "INPUT 1", "C22", "input1-digital", ""}},
    {"Frame2", "", Kind::Frame, "", 3720, 330, 2715, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label2", "Frame2", Kind::Label, "INPUT 2", 120, 240, 975, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Left, false, 0, false, false},
    {"Command28", "Frame2", Kind::Button, "RGB", 1080, 240, 615, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 37, false, false, {Handler::Send, "INPUT 2", "C06", "input2-rgb", ""}},
    {"Command29", "Frame2", Kind::Button, "VIDEO", 1800, 240, 795, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 38, false, false, {Handler::Send, "INPUT 2", "C07", "input2-video", ""}},
    {"Command27", "Frame2", Kind::Button, "COMPONENT", 1080, 600, 1500, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 89, false, false, {Handler::Send, "INPUT 2", "C25", "input2-component", ""}},
    {"Frame12", "", Kind::Frame, "", 6465, 345, 2985, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label22", "Frame12", Kind::Label, "INPUT 3", 120, 240, 975, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Left, false, 0, false, false},
    {"Command4", "Frame12", Kind::Button, "VIDEO", 1080, 240, 780, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 87, false, false, {Handler::Send, "INPUT 3", "C08", "input3-video", ""}},
    {"Command14", "Frame12", Kind::Button, "S-VIDEO", 1920, 240, 1005, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 83, false, false, {Handler::Send, "INPUT 3", "C24", "input3-s-video", ""}},
    {"Command66", "Frame12", Kind::Button, "COMPONENT", 1080, 600, 1830, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 76, false, false, {Handler::Send, "INPUT 3", "C26", "input3-component", ""}},
    {"Frame3", "", Kind::Frame, "", 120, 1320, 1455, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label4", "Frame3", Kind::Label, "AUDIO MUTE", 120, 240, 1215, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command19", "Frame3", Kind::Button, "ON", 120, 600, 615, 300, 0xC0FFC0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 29, false, false, {Handler::Send, "AUDIO MUTE", "C0B", "audio-mute-on", ""}},
    {"Command20", "Frame3", Kind::Button, "OFF", 840, 600, 495, 300, 0xFFC0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 30, false, false, {Handler::Send, "AUDIO MUTE", "C0C", "audio-mute-off", ""}},
    {"Frame4", "", Kind::Frame, "", 1680, 1320, 1455, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label5", "Frame4", Kind::Label, "No Show", 240, 240, 1095, 255, 0xC0C0C0, 0x000000, Face::PGothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command21", "Frame4", Kind::Button, "ON", 120, 600, 615, 300, 0xC0FFC0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 31, false, false, {Handler::Send, "No Show", "C0D", "no-show-on", ""}},
    {"Command22", "Frame4", Kind::Button, "OFF", 840, 600, 495, 300, 0xFFC0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 32, false, false, {Handler::Send, "No Show", "C0E", "no-show-off", ""}},
    {"Frame7", "", Kind::Frame, "", 3240, 1320, 1455, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label8", "Frame7", Kind::Label, "FREEZE", 120, 240, 1215, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command25", "Frame7", Kind::Button, "ON", 120, 600, 615, 300, 0xC0FFC0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 35, false, false, {Handler::Send, "FREEZE", "C43", "freeze-on", ""}},
    {"Command26", "Frame7", Kind::Button, "OFF", 840, 600, 495, 300, 0xFFC0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 36, false, false, {Handler::Send, "FREEZE", "C44", "freeze-off", ""}},
    {"Frame6", "", Kind::Frame, "", 4800, 1320, 1455, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label7", "Frame6", Kind::Label, "MENU", 240, 240, 975, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command23", "Frame6", Kind::Button, "ON", 120, 600, 615, 300, 0xC0FFC0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 33, false, false, {Handler::Mode, "MENU", "", "", ""}},
    {"Command24", "Frame6", Kind::Button, "OFF", 840, 600, 495, 300, 0xFFC0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 34, false, false, {Handler::Send, "MENU", "C1D", "menu-off", ""}},
    {"Frame5", "", Kind::Frame, "", 6360, 1320, 1695, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label6", "Frame5", Kind::Label, "VIDEO  image", 120, 240, 1455, 375, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command31", "Frame5", Kind::Button, "Normal", 120, 600, 735, 300, 0xC0FFFF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 39, false, false, {Handler::Send, "VIDEO image", "C0F", "video-normal", ""}},
    {"Command32", "Frame5", Kind::Button, "Wide", 960, 600, 615, 300, 0xC0FFFF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 40, false, false, {Handler::Send, "VIDEO image", "C10", "video-wide", ""}},
    {"Frame10", "", Kind::Frame, "", 8160, 1320, 1215, 1440, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label20", "Frame10", Kind::Label, "LENS SHIFT", 120, 240, 975, 495, 0xC0C0C0, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 0, false, false},
    {"Command59", "Frame10", Kind::Button, "↑", 360, 720, 492, 252, 0xFFE0C0, 0x000000, Face::Gothic, 8.25, false, Align::Centre, false, 70, false, false, {Handler::Hold, "LENS SHIFT", "", "", ""}},
    {"Command62", "Frame10", Kind::Button, "↓", 360, 1080, 492, 252, 0xFFE0C0, 0x000000, Face::Gothic, 8.25, false, Align::Centre, false, 71, false, false, {Handler::Hold, "LENS SHIFT", "", "", ""}},
    {"Command5", "", Kind::Button, "↑", 1200, 2520, 855, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 17, false, false, {Handler::Hold, "Arrow pad", "", "", ""}},
    {"Command9", "", Kind::Button, "←", 240, 3000, 855, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 21, false, false, {Handler::Hold, "Arrow pad", "", "", ""}},
    {"Command6", "", Kind::Button, "SELECT", 1200, 3000, 855, 375, 0xFF8000, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 18, false, false, {Handler::Hold, "", "", "", ""}},
    {"Command8", "", Kind::Button, "→", 2160, 3000, 855, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 20, false, false, {Handler::Hold, "Arrow pad", "", "", ""}},
    {"Command7", "", Kind::Button, "↓", 1200, 3480, 855, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 19, false, false, {Handler::Hold, "Arrow pad", "", "", ""}},
    {"Command30", "", Kind::Button, "R-click", 2280, 3660, 975, 315, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 84, false, false, {Handler::Hold, "", "", "", ""}},
    {"Label3", "", Kind::Label, "VOL", 3600, 2520, 495, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command1", "", Kind::Button, "+", 3600, 2880, 375, 255, 0xFFC080, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 5, false, false, {Handler::Hold, "VOL", "", "", ""}},
    {"Command2", "", Kind::Button, "-", 3600, 3240, 375, 255, 0xFFC080, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 6, false, false, {Handler::Hold, "VOL", "", "", ""}},
    {"Label13", "", Kind::Label, "Zoom", 4200, 2520, 735, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 0, false, false},
    {"Command15", "", Kind::Button, "+", 4440, 2880, 375, 255, 0xFFE0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 51, false, false, {Handler::Hold, "Zoom", "", "", ""}},
    {"Command35", "", Kind::Button, "-", 4440, 3240, 375, 255, 0xFFE0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 52, false, false, {Handler::Hold, "Zoom", "", "", ""}},
    {"Label14", "", Kind::Label, "Focus", 5160, 2520, 735, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 0, false, false},
    {"Command36", "", Kind::Button, "+", 5280, 2880, 375, 255, 0xFFE0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 54, false, false, {Handler::Hold, "Focus", "", "", ""}},
    {"Command37", "", Kind::Button, "-", 5280, 3240, 375, 255, 0xFFE0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 55, false, false, {Handler::Hold, "Focus", "", "", ""}},
    {"Label17", "", Kind::Label, "D.Zoom", 6000, 2520, 855, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 0, false, false},
    {"Command48", "", Kind::Button, "+", 6240, 2880, 375, 255, 0xC0FFFF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 62, false, false, {Handler::Hold, "D.Zoom", "", "", ""}},
    {"Command49", "", Kind::Button, "-", 6240, 3240, 375, 255, 0xC0FFFF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 63, false, false, {Handler::Hold, "D.Zoom", "", "", ""}},
    {"Label18", "", Kind::Label, "Keystone", 7080, 2520, 975, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 0, false, false},
    {"Command50", "", Kind::Button, "+", 7320, 2880, 375, 255, 0xC0FFFF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 65, false, false, {Handler::Hold, "Keystone", "", "", ""}},
    {"Command51", "", Kind::Button, "-", 7320, 3240, 375, 255, 0xC0FFFF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 66, false, false, {Handler::Hold, "Keystone", "", "", ""}},
    {"Command10", "", Kind::Button, "ZOOM", 120, 4320, 855, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 22, false, false, {Handler::Mode, "", "", "", ""}},
    {"Command11", "", Kind::Button, "FOCUS", 1080, 4320, 975, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 23, false, false, {Handler::Mode, "", "", "", ""}},
    {"Command41", "", Kind::Button, "Lens shift", 2160, 4320, 1215, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 57, false, false, {Handler::Mode, "", "", "", ""}},
    {"Command13", "", Kind::Button, "A-IMAGE", 8400, 2850, 975, 250, 0x00C0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 26, false, false, {Handler::Mode, "", "", "", ""}},
    {"Command73", "", Kind::Button, "IMAGE", 8400, 3120, 972, 252, 0xC0C0FF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 79, false, false, {Handler::Send, "", "C27", "image", ""}},
    {"Command39", "", Kind::Button, "P-Timer", 8400, 3390, 975, 255, 0xC0C0FF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 86, false, false, {Handler::Send, "", "C8A", "p-timer", ""}},
    {"Command3", "", Kind::Button, "DISPLAY CLEAR", 8400, 3660, 975, 492, 0xC0C0FF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 16, false, false, {Handler::Send, "", "C1E", "display-clear", ""}},
    {"Command16", "", Kind::Button, "END", 8400, 4320, 975, 375, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 27, false, false, {Handler::End, "", "", "", "Closes the port and ends the program"}},
    {"Command33", "", Kind::Button, "COM", 4080, 4200, 1815, 375, kButtonFace, 0x000000, Face::PGothic, 9, false, Align::Centre, false, 41, false, false, {Handler::ShowPortPanel, "", "", "", "Shows the port panel"}},
    {"Frame8", "", Kind::Frame, "", 3480, 3600, 2775, 1185, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, true, false},
    {"Option1", "Frame8", Kind::Option, "COM1", 240, 240, 1215, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Left, false, 43, false, false, {Handler::ChooseCom1, "Port", "", "", "Opens the line on COM1"}},
    {"Option2", "Frame8", Kind::Option, "COM2", 1560, 240, 1095, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Left, false, 44, false, false, {Handler::ChooseCom2, "Port", "", "", "Opens the line on COM2"}},
    {"Frame13", "Frame8", Kind::Frame, "", 120, 480, 2535, 615, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Option3", "Frame13", Kind::Option, "19200", 120, 240, 1095, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Left, false, 91, false, true, {Handler::Choose19200, "Speed", "", "", "Sets the line to 19200 baud"}},
    {"Option4", "Frame13", Kind::Option, "9600", 1440, 240, 975, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Left, false, 92, false, false, {Handler::Choose9600, "Speed", "", "", "Sets the line to 9600 baud"}},
    {"Frame9", "", Kind::Frame, "", 120, 4920, 6855, 1068, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label9", "Frame9", Kind::Label, "TXD", 120, 240, 372, 252, 0xC0C0C0, 0x000000, Face::Gothic, 8.25, false, Align::Right, false, 0, false, false},
    {"Label11", "Frame9", Kind::Label, "", 600, 195, 6135, 300, 0xFFFFFF, 0x000000, Face::PGothic, 9.75, true, Align::Left, true, 0, false, false, {Handler::None, "", "", "", "Sent"}},
    {"Label10", "Frame9", Kind::Label, "RXD", 120, 600, 375, 300, 0xC0C0C0, 0x000000, Face::Gothic, 8.25, false, Align::Right, false, 0, false, false},
    {"Label12", "Frame9", Kind::Label, "", 585, 600, 6135, 300, 0xFFFFFF, 0x000000, Face::PGothic, 9.75, true, Align::Left, true, 0, false, false, {Handler::None, "", "", "", "Received"}},
    {"Command34", "", Kind::Button, "データを表示する", 7440, 5040, 975, 375, 0xC0C0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 50, true, false, {Handler::ToggleData, "", "", "", "Shows or hides the data monitor and the read-out buttons"}},
    {"Command44", "", Kind::Button, "STATUS", 7320, 5760, 975, 255, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 58, false, false, {Handler::Send, "", "CR0", "status", ""}},
    {"Command46", "", Kind::Button, "L-TIME", 8280, 5760, 1095, 255, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 60, false, false, {Handler::Send, "", "CR3", "lamp-time", ""}},
    {"Command45", "", Kind::Button, "MODE", 7320, 6000, 975, 255, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 59, false, false, {Handler::Send, "", "CR1", "mode", ""}},
    {"Command47", "", Kind::Button, "SETTING", 8280, 6000, 1095, 255, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 61, false, false, {Handler::Send, "", "CR4", "setting", ""}},
    {"Command38", "", Kind::Button, "Temp", 8280, 6240, 1095, 255, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 85, false, false, {Handler::Send, "", "CR6", "temp", ""}},
    {"Frame15", "", Kind::Frame, "", 720, 6000, 6255, 492, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label26", "Frame15", Kind::Label, "STATUS", 120, 204, 732, 180, 0xC0C0C0, 0x000000, Face::Gothic, 8.25, false, Align::Left, false, 0, false, false},
    {"Label25", "Frame15", Kind::Label, "", 840, 135, 5295, 285, 0xFFFFFF, 0xFF0000, Face::PGothic, 9, true, Align::Left, true, 0, false, false, {Handler::None, "", "", "", "Projector status"}},
    {"Command52", "", Kind::Button, "C01", 120, 6120, 495, 255, 0xFFC0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 68, false, false, {Handler::Send, "", "C01", "c01", ""}},
};

constexpr LineRow kLines[] = {
    {"Line7", 1080, 2400, 2160, 2400},
    {"Line1", 1080, 2400, 1080, 2880},
    {"Line2", 2160, 2400, 2160, 2880},
    {"Line8", 120, 2880, 1080, 2880},
    {"Line9", 2160, 2880, 3120, 2880},
    {"Line6", 120, 2880, 120, 3480},
    {"Line3", 3120, 2880, 3120, 3480},
    {"Line10", 120, 3480, 1080, 3480},
    {"Line12", 2160, 3480, 3120, 3480},
    {"Line5", 1080, 3480, 1080, 3960},
    {"Line4", 2160, 3480, 2160, 3960},
    {"Line11", 1080, 3960, 2160, 3960},
};
// clang-format on

constexpr ControlTable kTable{kRows, std::size(kRows), kLines, std::size(kLines)};

}  // namespace

const ControlRow* ControlTable::find(std::string_view name) const {
    const ControlRow* row =
        std::find_if(begin(), end(), [&](const ControlRow& r) { return r.name == name; });
    return row == end() ? nullptr : row;
}

const ControlTable& form1Controls() {
    return kTable;
}

}  // namespace zoma
