// Two runs of the program over one host folder, as a user starts it twice: the first run in a
// child process (a session owns its process), the second in the test itself.
#pragma once

#include <functional>
#include <string>

#include "platform/harness.h"

namespace platform::harness {

// A host folder named after the test's process, removed when the test ends however it ends.
class SharedHostFolder {
public:
    explicit SharedHostFolder(const std::string& name);
    ~SharedHostFolder();
    SharedHostFolder(const SharedHostFolder&) = delete;
    SharedHostFolder& operator=(const SharedHostFolder&) = delete;
    const std::string& path() const { return path_; }
    // A configuration for a later run that continues where the earlier one stopped.
    Config continuing() const;

private:
    std::string path_;
};

// Runs `firstRun` over the folder in a child process; true when it ran and answered true.
bool runFirstInChild(const SharedHostFolder& host, const std::function<bool(Session&)>& firstRun);

}  // namespace platform::harness
