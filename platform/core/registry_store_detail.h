// The key tree behind the registry store and its text format (private to the store).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/registry_store.h"

namespace platform::core {

struct RegistryStore::Key {
    std::wstring name;  // spelling of the first creation
    Key* parent = nullptr;
    std::map<std::wstring, std::shared_ptr<Key>, NoCaseLess> children;
    std::vector<std::pair<std::wstring, RegistryValue>> values;  // creation order
    bool deleted = false;
    // The key's section of the hive file, kept from one save to the next while the values stay
    // as they are (a hive is written out after every change, most keys unchanged); whoever
    // changes `values` clears it.
    mutable std::string section;

    RegistryValue* findValue(std::wstring_view valueName);
    Key* findChild(std::wstring_view childName);
    // The existing child of that name, or a new one spelled as given.
    Key& child(std::wstring_view childName, bool* created = nullptr);
    // Path below the hive root, components joined by '\\'.
    std::wstring path() const;
    // Marks this key and everything below it deleted (open handles then fail).
    void markDeleted();
};

namespace registry_format {

struct ParseError {
    int line = 0;
    std::wstring message;
};

// The hive's file text (UTF-8).
std::string serialize(Hive hive, const RegistryStore::Key& root);
// Fills `root` (empty on entry) from a file's text; on error `root` is left partly filled and
// must be discarded.
std::optional<ParseError> parse(std::string_view text, RegistryStore::Key& root);

// A quoted string of the format, escaped (used for value names and string data).
std::string quote(std::wstring_view text);

}  // namespace registry_format

}  // namespace platform::core
