// Checks of tables and ordered steps whose failures say what broke: the table's name, the row's
// key, the value expected and the value found, so a reader need not open the test to know which
// entry of which table moved.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/text.h"

namespace tablecheck {

template <class Key, class Value>
struct Row {
    Key key;
    Value expected;
};

// Each row's key looked up through `actual` gives the row's value.
template <class Key, class Value, class Lookup>
void ExpectRows(std::string_view table, const std::vector<Row<Key, Value>>& rows, Lookup&& actual) {
    for (const Row<Key, Value>& row : rows) {
        const Value found = actual(row.key);
        if (found == row.expected) continue;
        ADD_FAILURE() << table << ", row " << ::testing::PrintToString(row.key) << ": expected "
                      << ::testing::PrintToString(row.expected) << ", found " << ::testing::PrintToString(found);
    }
}

// The keys in `inside` are members of the table (`contains` answers true), those in `outside`
// are not: a table's first and last entries against the first values beyond them.
template <class Key, class Contains>
void ExpectMembers(std::string_view table, const std::vector<Key>& inside, const std::vector<Key>& outside,
                   Contains&& contains) {
    for (const Key& key : inside)
        if (!contains(key)) ADD_FAILURE() << table << ": " << ::testing::PrintToString(key) << " missing";
    for (const Key& key : outside)
        if (contains(key)) ADD_FAILURE() << table << ": " << ::testing::PrintToString(key) << " should not be there";
}

// The steps occur in `entries` in this order (other entries may come between them): names the
// step missing, or found only before the step that precedes it.
inline void ExpectSteps(std::string_view sequence, const std::vector<std::wstring>& entries,
                        const std::vector<std::wstring_view>& steps) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        std::size_t found = from;
        while (found < entries.size() && entries[found].find(steps[i]) == std::wstring::npos) ++found;
        if (found < entries.size()) {
            from = found + 1;
            continue;
        }
        bool earlier = false;
        for (std::size_t j = 0; j < from && !earlier; ++j) earlier = entries[j].find(steps[i]) != std::wstring::npos;
        ADD_FAILURE() << sequence << ", step " << i + 1 << " \"" << platform::core::toUtf8(steps[i]) << "\" "
                      << (earlier && i > 0 ? "comes before step " + std::to_string(i) + " \"" +
                                                 platform::core::toUtf8(steps[i - 1]) + "\""
                                           : std::string("never happens"));
        return;
    }
}

}  // namespace tablecheck
