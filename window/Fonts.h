// The two faces of the panel, with substitutes where they are not installed.
#pragma once

#include <QFont>

#include "form/ControlTable.h"

namespace zoma {

// Maps the Japanese Gothic faces to IPA Gothic where they are missing. Call once, after the
// application object exists and before any window is built.
void installFontSubstitutes();

QFont controlFont(Face face, double pointSize, bool bold);

}  // namespace zoma
