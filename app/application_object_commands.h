// Commands the application object carries out itself: quitting the program and closing every
// document. They belong to CKvw32App (as OnQuit and OnWindowCloseAll) and are free functions
// until the application object takes them.
#pragma once

#include <cstdint>

namespace AppCommands {

// Quits the program once every document agreed; 0 when refused. Not built yet: does nothing
// and answers 0.
int OnQuit(std::int64_t argument);
// Closes every document once all agreed to be saved or discarded. Not built yet: does nothing
// and answers 0.
int OnWindowCloseAll(std::int64_t argument);

}  // namespace AppCommands
