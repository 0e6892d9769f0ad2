// Makes the Qt widget of one row of the control table.
#pragma once

#include <QWidget>

#include "form/ControlTable.h"

namespace zoma {

inline int twipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// The widget is placed in its container at its row's position and size and never moved again;
// it is named for assistive technology from its row and the rest of the table.
QWidget* createControl(const ControlTable& table, const ControlRow& row, QWidget* container);

}  // namespace zoma
