// Every control of the panel's window, in drawing order.
#include "form/ControlTable.h"

#include <algorithm>
#include <iterator>

namespace zoma {

namespace {

// clang-format off
constexpr ControlRow kRows[] = {
    // name, container, kind, caption, left, top, width, height, background, text colour, face,
    // points, bold, alignment, border, tab, hidden at start, selected at start
    {"Image1", "", Kind::Picture, "", 8280, 0, 1200, 390, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Frame1", "", Kind::Frame, "", 90, 90, 1440, 1215, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label1", "Frame1", Kind::Label, "POWER", 120, 240, 1095, 255, 0xC0C0C0, 0xC00000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command17", "Frame1", Kind::Button, "ON", 120, 720, 615, 300, 0xC0FFC0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 1, false, false},
    {"Command18", "Frame1", Kind::Button, "OFF", 720, 720, 615, 300, 0xFFC0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 28, false, false},
    {"Frame11", "", Kind::Frame, "", 1590, 345, 2070, 960, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label21", "Frame11", Kind::Label, "INPUT 1 ", 480, 240, 1215, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command40", "Frame11", Kind::Button, "ANALOG", 90, 585, 960, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 88, false, false},
    {"Command63", "Frame11", Kind::Button, "DIGITAL", 1050, 585, 930, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 75, false, false},
    {"Frame2", "", Kind::Frame, "", 3720, 330, 2715, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label2", "Frame2", Kind::Label, "INPUT 2", 120, 240, 975, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Left, false, 0, false, false},
    {"Command28", "Frame2", Kind::Button, "RGB", 1080, 240, 615, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 37, false, false},
    {"Command29", "Frame2", Kind::Button, "VIDEO", 1800, 240, 795, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 38, false, false},
    {"Command27", "Frame2", Kind::Button, "COMPONENT", 1080, 600, 1500, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 89, false, false},
    {"Frame12", "", Kind::Frame, "", 6465, 345, 2985, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label22", "Frame12", Kind::Label, "INPUT 3", 120, 240, 975, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Left, false, 0, false, false},
    {"Command4", "Frame12", Kind::Button, "VIDEO", 1080, 240, 780, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 87, false, false},
    {"Command14", "Frame12", Kind::Button, "S-VIDEO", 1920, 240, 1005, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 83, false, false},
    {"Command66", "Frame12", Kind::Button, "COMPONENT", 1080, 600, 1830, 300, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 76, false, false},
    {"Frame3", "", Kind::Frame, "", 120, 1320, 1455, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label4", "Frame3", Kind::Label, "AUDIO MUTE", 120, 240, 1215, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command19", "Frame3", Kind::Button, "ON", 120, 600, 615, 300, 0xC0FFC0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 29, false, false},
    {"Command20", "Frame3", Kind::Button, "OFF", 840, 600, 495, 300, 0xFFC0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 30, false, false},
    {"Frame4", "", Kind::Frame, "", 1680, 1320, 1455, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label5", "Frame4", Kind::Label, "No Show", 240, 240, 1095, 255, 0xC0C0C0, 0x000000, Face::PGothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command21", "Frame4", Kind::Button, "ON", 120, 600, 615, 300, 0xC0FFC0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 31, false, false},
    {"Command22", "Frame4", Kind::Button, "OFF", 840, 600, 495, 300, 0xFFC0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 32, false, false},
    {"Frame7", "", Kind::Frame, "", 3240, 1320, 1455, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label8", "Frame7", Kind::Label, "FREEZE", 120, 240, 1215, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command25", "Frame7", Kind::Button, "ON", 120, 600, 615, 300, 0xC0FFC0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 35, false, false},
    {"Command26", "Frame7", Kind::Button, "OFF", 840, 600, 495, 300, 0xFFC0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 36, false, false},
    {"Frame6", "", Kind::Frame, "", 4800, 1320, 1455, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label7", "Frame6", Kind::Label, "MENU", 240, 240, 975, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command23", "Frame6", Kind::Button, "ON", 120, 600, 615, 300, 0xC0FFC0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 33, false, false},
    {"Command24", "Frame6", Kind::Button, "OFF", 840, 600, 495, 300, 0xFFC0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 34, false, false},
    {"Frame5", "", Kind::Frame, "", 6360, 1320, 1695, 975, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label6", "Frame5", Kind::Label, "VIDEO  image", 120, 240, 1455, 375, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command31", "Frame5", Kind::Button, "Normal", 120, 600, 735, 300, 0xC0FFFF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 39, false, false},
    {"Command32", "Frame5", Kind::Button, "Wide", 960, 600, 615, 300, 0xC0FFFF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 40, false, false},
    {"Frame10", "", Kind::Frame, "", 8160, 1320, 1215, 1440, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label20", "Frame10", Kind::Label, "LENS SHIFT", 120, 240, 975, 495, 0xC0C0C0, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 0, false, false},
    {"Command59", "Frame10", Kind::Button, "↑", 360, 720, 492, 252, 0xFFE0C0, 0x000000, Face::Gothic, 8.25, false, Align::Centre, false, 70, false, false},
    {"Command62", "Frame10", Kind::Button, "↓", 360, 1080, 492, 252, 0xFFE0C0, 0x000000, Face::Gothic, 8.25, false, Align::Centre, false, 71, false, false},
    {"Command5", "", Kind::Button, "↑", 1200, 2520, 855, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 17, false, false},
    {"Command9", "", Kind::Button, "←", 240, 3000, 855, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 21, false, false},
    {"Command6", "", Kind::Button, "SELECT", 1200, 3000, 855, 375, 0xFF8000, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 18, false, false},
    {"Command8", "", Kind::Button, "→", 2160, 3000, 855, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 20, false, false},
    {"Command7", "", Kind::Button, "↓", 1200, 3480, 855, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 19, false, false},
    {"Command30", "", Kind::Button, "R-click", 2280, 3660, 975, 315, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 84, false, false},
    {"Label3", "", Kind::Label, "VOL", 3600, 2520, 495, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 0, false, false},
    {"Command1", "", Kind::Button, "+", 3600, 2880, 375, 255, 0xFFC080, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 5, false, false},
    {"Command2", "", Kind::Button, "-", 3600, 3240, 375, 255, 0xFFC080, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 6, false, false},
    {"Label13", "", Kind::Label, "Zoom", 4200, 2520, 735, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 0, false, false},
    {"Command15", "", Kind::Button, "+", 4440, 2880, 375, 255, 0xFFE0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 51, false, false},
    {"Command35", "", Kind::Button, "-", 4440, 3240, 375, 255, 0xFFE0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 52, false, false},
    {"Label14", "", Kind::Label, "Focus", 5160, 2520, 735, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 0, false, false},
    {"Command36", "", Kind::Button, "+", 5280, 2880, 375, 255, 0xFFE0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 54, false, false},
    {"Command37", "", Kind::Button, "-", 5280, 3240, 375, 255, 0xFFE0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 55, false, false},
    {"Label17", "", Kind::Label, "D.Zoom", 6000, 2520, 855, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 0, false, false},
    {"Command48", "", Kind::Button, "+", 6240, 2880, 375, 255, 0xC0FFFF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 62, false, false},
    {"Command49", "", Kind::Button, "-", 6240, 3240, 375, 255, 0xC0FFFF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 63, false, false},
    {"Label18", "", Kind::Label, "Keystone", 7080, 2520, 975, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 0, false, false},
    {"Command50", "", Kind::Button, "+", 7320, 2880, 375, 255, 0xC0FFFF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 65, false, false},
    {"Command51", "", Kind::Button, "-", 7320, 3240, 375, 255, 0xC0FFFF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 66, false, false},
    {"Command10", "", Kind::Button, "ZOOM", 120, 4320, 855, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 22, false, false},
    {"Command11", "", Kind::Button, "FOCUS", 1080, 4320, 975, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 23, false, false},
    {"Command41", "", Kind::Button, "Lens shift", 2160, 4320, 1215, 375, 0xFFE0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 57, false, false},
    {"Command13", "", Kind::Button, "A-IMAGE", 8400, 2850, 975, 250, 0x00C0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 26, false, false},
    {"Command73", "", Kind::Button, "IMAGE", 8400, 3120, 972, 252, 0xC0C0FF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 79, false, false},
    {"Command39", "", Kind::Button, "P-Timer", 8400, 3390, 975, 255, 0xC0C0FF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 86, false, false},
    {"Command3", "", Kind::Button, "DISPLAY CLEAR", 8400, 3660, 975, 492, 0xC0C0FF, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 16, false, false},
    {"Command16", "", Kind::Button, "END", 8400, 4320, 975, 375, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Centre, false, 27, false, false},
    {"Command33", "", Kind::Button, "COM", 4080, 4200, 1815, 375, kButtonFace, 0x000000, Face::PGothic, 9, false, Align::Centre, false, 41, false, false},
    {"Frame8", "", Kind::Frame, "", 3480, 3600, 2775, 1185, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, true, false},
    {"Option1", "Frame8", Kind::Option, "COM1", 240, 240, 1215, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Left, false, 43, false, false},
    {"Option2", "Frame8", Kind::Option, "COM2", 1560, 240, 1095, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Left, false, 44, false, false},
    {"Frame13", "Frame8", Kind::Frame, "", 120, 480, 2535, 615, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Option3", "Frame13", Kind::Option, "19200", 120, 240, 1095, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Left, false, 91, false, true},
    {"Option4", "Frame13", Kind::Option, "9600", 1440, 240, 975, 255, 0xC0C0C0, 0x000000, Face::Gothic, 9, true, Align::Left, false, 92, false, false},
    {"Frame9", "", Kind::Frame, "", 120, 4920, 6855, 1068, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label9", "Frame9", Kind::Label, "TXD", 120, 240, 372, 252, 0xC0C0C0, 0x000000, Face::Gothic, 8.25, false, Align::Right, false, 0, false, false},
    {"Label11", "Frame9", Kind::Label, "", 600, 195, 6135, 300, 0xFFFFFF, 0x000000, Face::PGothic, 9.75, true, Align::Left, true, 0, false, false},
    {"Label10", "Frame9", Kind::Label, "RXD", 120, 600, 375, 300, 0xC0C0C0, 0x000000, Face::Gothic, 8.25, false, Align::Right, false, 0, false, false},
    {"Label12", "Frame9", Kind::Label, "", 585, 600, 6135, 300, 0xFFFFFF, 0x000000, Face::PGothic, 9.75, true, Align::Left, true, 0, false, false},
    {"Command34", "", Kind::Button, "データを表示する", 7440, 5040, 975, 375, 0xC0C0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 50, true, false},
    {"Command44", "", Kind::Button, "STATUS", 7320, 5760, 975, 255, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 58, false, false},
    {"Command46", "", Kind::Button, "L-TIME", 8280, 5760, 1095, 255, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 60, false, false},
    {"Command45", "", Kind::Button, "MODE", 7320, 6000, 975, 255, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 59, false, false},
    {"Command47", "", Kind::Button, "SETTING", 8280, 6000, 1095, 255, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 61, false, false},
    {"Command38", "", Kind::Button, "Temp", 8280, 6240, 1095, 255, 0xC0FFFF, 0x000000, Face::Gothic, 8.25, true, Align::Centre, false, 85, false, false},
    {"Frame15", "", Kind::Frame, "", 720, 6000, 6255, 492, 0xC0C0C0, 0x000000, Face::None, 0, false, Align::Left, false, 0, false, false},
    {"Label26", "Frame15", Kind::Label, "STATUS", 120, 204, 732, 180, 0xC0C0C0, 0x000000, Face::Gothic, 8.25, false, Align::Left, false, 0, false, false},
    {"Label25", "Frame15", Kind::Label, "", 840, 135, 5295, 285, 0xFFFFFF, 0xFF0000, Face::PGothic, 9, true, Align::Left, true, 0, false, false},
    {"Command52", "", Kind::Button, "C01", 120, 6120, 495, 255, 0xFFC0C0, 0x000000, Face::Gothic, 9, false, Align::Centre, false, 68, false, false},
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
