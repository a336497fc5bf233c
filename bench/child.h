// Measurements that need a session of their own run in a child process (this executable re-run
// as `korvo_bench --child NAME ARGS...`): a session owns the process's state and cannot be made
// twice in one process. The child prints its figures on one line; the benchmark reads them.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace bench {

using ChildMain = std::function<int(const std::vector<std::string>& arguments)>;

// Registers a child entry point under `name` (from a static initialiser).
bool registerChild(const std::string& name, ChildMain main);
// Runs child `name` and reads the numbers it printed; false with `error` set when it failed.
bool runChild(const std::string& name, const std::vector<std::string>& arguments, std::vector<double>& numbers,
              std::string& error);
// The child's side: the process's exit code when argv asks for a child, or -1.
int dispatchChild(int argc, char** argv);

}  // namespace bench
