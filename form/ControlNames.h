// What each control is called and what it does, in the operator's words, from the tables.
#pragma once

#include <string>
#include <string_view>

#include "form/ControlTable.h"

namespace zoma {

// The caption of the group a button or option belongs to: the heading label of its frame, the
// label just above it for the "+" and "-" pairs, "Arrow pad" for the pad's arrows, "Port" and
// "Speed" for the options; empty for the right-hand column and the lower area. Blanks are
// collapsed ("VIDEO  image" reads "VIDEO image").
std::string groupCaption(const ControlTable& table, const ControlRow& row);

// The group's caption and the control's caption, arrows spelled out: "POWER ON",
// "INPUT 3 VIDEO", "VOL +", "LENS SHIFT up", "Arrow pad left", "SELECT", "Port COM1".
std::string accessibleName(const ControlTable& table, const ControlRow& row);

// What pressing the control does: "Sends C00", "Hold to repeat C09", "Sets the arrow pad pace
// and sends C80"; what the monitor and status lines show ("Sent", "Received", "Projector
// status"), whose text is read as it is; empty for every other control.
std::string accessibleDescription(const ControlRow& row);

}  // namespace zoma
