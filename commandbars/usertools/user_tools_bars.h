// What the user tools page does to the command bars of every main frame.
#pragma once

namespace Korvo::UserTools {

// Every main frame's command bars draw themselves again.
void RedrawEveryFrame();
// Removes every control with command `id` from every bar of every main frame (tool bars, menus and
// the pop-ups they open, the ribbon's groups and quick-access bar), then redraws them: a later
// command given the freed id must not be run by a stale control.
void RemoveControlsEverywhere(int id);

}  // namespace Korvo::UserTools
