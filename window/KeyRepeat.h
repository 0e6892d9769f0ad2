// How the windowing system reports a key held down, set once for the whole program.
#pragma once

namespace zoma {

// On X11 a held key's repeats come as a release and a press each, and Qt flags them as repeats
// only when the press is already queued as it reads the release: now and then a repeat looks
// like the key let go and pressed again, which would end a keyboard hold and start a new one.
// Asks the X server for repeats as presses alone, so that only the key's real release is a
// release. Does nothing on any other platform. Call after the application object exists.
void reportKeyRepeatsAsPresses();

}  // namespace zoma
