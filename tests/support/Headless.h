// The environment every test and benchmark program sets up before Qt starts.
#pragma once

namespace zoma::testing {

// Without a display named, windows draw on Qt's offscreen platform (test discovery runs the
// programs without the test environment, so nothing may be assumed), and Qt gets the private
// runtime folder it asks for. Call first thing in main(), before any Qt object exists.
void prepareHeadless();

}  // namespace zoma::testing
