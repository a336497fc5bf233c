// Heap addresses in what the program prints (a log text's %p) differ from run to run and from
// build to build. The transcript prints each one as a label instead, the same for the same
// address: the first distinct address seen as 0xA000000000000001, the next as ...02, so two runs
// of a script print the same bytes and a line still says which object it was.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace korvo::console {

class HeapLabels {
public:
    // `text` with every heap address in it replaced by its label. An address is a word of 16 hex
    // digits, or "0x" and 9 to 16 of them, whose value lies above the 32 bits window handles
    // and module handles use and inside the user part of the address space.
    std::string apply(std::string_view text);

private:
    std::map<std::uint64_t, std::uint64_t> labels_;
};

}  // namespace korvo::console
