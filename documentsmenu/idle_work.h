// Work the documents menu does in steps while the UI thread has nothing else to do: a huge
// folder's rows beyond the first screen are made this way, so expanding it shows the first rows
// at once and the user can go on while the rest arrive.
#pragma once

#include <functional>

namespace DocumentsMenu {

// The work of one step, counted in documents looked at: about 3 ms of processor time in a folder
// of 10^5 documents (where sorting each new row in among those shown costs the most), so that a
// step stays within a frame of the user's screen even when other work shares the processor; and
// enough for a first screen of rows when every document looked at makes one.
inline constexpr int kIdleStepWork = 512;

// One step of a job; true while the job has more to do.
using IdleStep = std::function<bool()>;

// Queues `step` for `owner` (replacing the owner's job when it has one). Steps of all jobs run in
// turn, one per message the queue posts to itself on the UI thread.
void PostIdleWork(const void* owner, IdleStep step);
// Drops the owner's job (an owner that goes away must call this).
void CancelIdleWork(const void* owner);
bool HasIdleWork(const void* owner);

}  // namespace DocumentsMenu
