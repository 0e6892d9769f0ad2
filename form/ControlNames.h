// What each control is called and what it does, in the operator's words, from the tables.
#pragma once

#include <string>

#include "form/ControlTable.h"

namespace zoma {

// The group's caption and the control's caption, arrows spelled out: "POWER ON",
// "INPUT 3 VIDEO", "VOL +", "LENS SHIFT up", "Arrow pad left", "SELECT", "Port COM1".
std::string accessibleName(const ControlRow& row);

// What pressing the control does: "Sends C00", "Hold to repeat C09", "Sets the arrow pad pace
// and sends C80"; for the other controls their description ("Shows the port panel", and for the
// monitor and status lines what they show, "Sent"); empty for the rest.
std::string accessibleDescription(const ControlRow& row);

}  // namespace zoma
