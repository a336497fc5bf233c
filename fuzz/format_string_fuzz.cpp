// Format strings, wide and narrow, against one argument of every kind: any format prints
// something, a conversion that does not fit its argument prints a marker instead.
#include "fuzz/fuzz_support.h"
#include "platform/win32/format.h"

namespace {

const platform::FormatArgs& arguments() {
    static const platform::FormatArgs args = [] {
        platform::FormatArgs list;
        static const int anchor = 0;
        // Repeated, so a format with many conversions still finds arguments of each kind.
        for (int round = 0; round < 3; ++round) {
            list.add(-42).add(42u).add(static_cast<long long>(-1) << 40).add(1ull << 63).add(1.5).add(-0.0)
                .add("narrow").add(L"wide").add('c').add(L'w').add(static_cast<const void*>(&anchor))
                .add(static_cast<const char*>(nullptr)).add(static_cast<short>(-7)).add(std::wstring(300, L'x'));
        }
        return list;
    }();
    return args;
}

}  // namespace

FUZZ_TARGET(format_string) {
    if (size == 0) return 0;
    const std::string_view rest = fuzz::bytesOf(data + 1, size - 1);
    if (data[0] & 1) {
        platform::formatV(platform::core::fromUtf8(rest), arguments());
    } else {
        platform::formatV(rest, arguments());
    }
    fuzz::forget();
    return 0;
}
