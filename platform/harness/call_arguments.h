// The arguments of a kernel operation called by name, read in order as numbers, flags, texts,
// documents and frames (1-based indexes, 0 for none).
#pragma once

#include <exception>
#include <limits>
#include <string>

#include "platform/harness/argument_reader.h"
#include "platform/kernel.h"

namespace platform::harness {

// The arguments of a kernel callback by name, read in order.
class CallArguments : public ArgumentReader {
public:
    using ArgumentReader::ArgumentReader;
    using ArgumentReader::bad;

    long long number() {
        const std::wstring& text = next();
        try {
            std::size_t used = 0;
            const long long value = std::stoll(text, &used, 0);
            if (used == text.size()) return value;
        } catch (const std::exception&) {
        }
        throw bad(platform::core::toUtf8(text) + " is not a number");
    }
    // A number the callback's parameter holds as it is: a wider one is refused, never cut.
    long long numberIn(long long low, long long high, const char* what) {
        const std::size_t position = used() + 1;
        const long long value = number();
        if (value < low || value > high)
            throw bad("argument " + std::to_string(position) + " (" + std::to_string(value) + ") does not fit " + what);
        return value;
    }
    UINT id() { return static_cast<UINT>(numberIn(0, std::numeric_limits<UINT>::max(), "an unsigned 32-bit number")); }
    double real() {
        const std::wstring& text = next();
        try {
            std::size_t used = 0;
            const double value = std::stod(text, &used);
            if (used == text.size()) return value;
        } catch (const std::exception&) {
        }
        throw bad(platform::core::toUtf8(text) + " is not a number");
    }
    int integer() {
        return static_cast<int>(
            numberIn(std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), "a 32-bit number"));
    }
    bool flag() { return number() != 0; }
    // Whether the next argument is a number (and not a text).
    bool nextIsNumber() const {
        const std::wstring* text = peek();
        if (!text || text->empty()) return false;
        try {
            std::size_t used = 0;
            (void)std::stoll(*text, &used, 0);
            return used == text->size();
        } catch (const std::exception&) {
            return false;
        }
    }
    // 0: none; N: the Nth open document in opening order.
    CKvw32Doc* document() {
        const long long index = number();
        if (index == 0) return nullptr;
        const auto documents = Korvo::DocumentManager::Instance().GetDocuments();
        if (index < 0 || index > static_cast<long long>(documents.size())) throw bad("no open document " + std::to_string(index));
        return documents[static_cast<std::size_t>(index - 1)];
    }
    // 0: none; N: the Nth main frame of the UI module.
    CWnd* frame() {
        const long long index = number();
        if (index == 0) return nullptr;
        std::vector<CFrameWnd*> frames;
        UIModuleProxy::Instance().ForEachMainFrame([&](CFrameWnd* frame) { frames.push_back(frame); });
        if (index < 0 || index > static_cast<long long>(frames.size())) throw bad("no main frame " + std::to_string(index));
        return frames[static_cast<std::size_t>(index - 1)];
    }
};

}  // namespace platform::harness
