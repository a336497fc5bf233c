// The key tree behind the registry store and its text format (private to the store).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/registry_store.h"

namespace platform::core {

// The documented registry limits, held by the functions and by the file loader alike, so that
// every file the store writes loads again.
inline constexpr std::size_t kMaxKeyDepth = 512;          // keys below the hive root
inline constexpr std::size_t kMaxKeyNameLength = 255;     // characters of one key name
inline constexpr std::size_t kMaxValueNameLength = 16383;  // characters of a value name

// The mark (a file's extended attribute, see checked_mark.h) on a hive file whose text passed
// the check that it is in the store's own form.
inline constexpr const char* kRegistryCheckedMark = "user.korvo.registry-checked";

namespace registry_format {
struct OwnFormFile;
}

struct RegistryStore::Key {
    using Children = std::map<std::wstring, std::shared_ptr<Key>, NoCaseLess>;

    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    // Takes the sub-tree apart level by level: a deep tree must not recurse once per level.
    ~Key();

    std::wstring name;  // spelling of the first creation
    Key* parent = nullptr;
    std::size_t depth = 0;  // 0 for the hive root
    // Counts insertions and removals of children, so an enumeration cursor knows it is stale.
    std::uint64_t childrenChanges = 0;
    // In memory only: never written to the hive file (its sub-keys are volatile too).
    bool isVolatile = false;
    bool deleted = false;
    // The key's value lines of the hive file, kept from one save to the next while the values
    // stay as they are (most keys do not change between two saves); cleared on every change.
    mutable std::string valueLines;

    // The sub-keys and values; a key loaded from a hive file reads them from it on first use.
    Children& children() {
        readFromFile();
        return children_;
    }
    const std::vector<std::pair<std::wstring, RegistryValue>>& values() {
        readFromFile();
        return values_;
    }
    // What has been read so far, without reading (the writer copies what is still unread as it
    // stands in the file).
    const Children& children() const { return children_; }
    const std::vector<std::pair<std::wstring, RegistryValue>>& values() const { return values_; }
    RegistryValue* findValue(std::wstring_view valueName);
    // Sets a value (a new name goes last); false when it was already there with the same type and data.
    bool storeValue(std::wstring_view valueName, RegistryValue value);
    // False when there is no such value.
    bool eraseValue(std::wstring_view valueName);

    Key* findChild(std::wstring_view childName);
    // The existing child of that name, or a new one spelled as given (volatile when this key is).
    Key& child(std::wstring_view childName, bool* created = nullptr);
    // Path below the hive root, components joined by '\\'.
    std::wstring path() const;
    // Marks this key and everything below it deleted (open handles then fail).
    void markDeleted();

    // A key whose values and sub-keys are still in `file` as section `section`: the store reads
    // them when they are first asked for, so the keys nobody opens cost no more than their bytes.
    void leaveUnread(std::shared_ptr<const registry_format::OwnFormFile> file, std::uint32_t section);
    const registry_format::OwnFormFile* unreadFile() const { return unreadFile_.get(); }
    std::uint32_t unreadSection() const { return unreadSection_; }

private:
    void readFromFile();

    Children children_;
    std::shared_ptr<const registry_format::OwnFormFile> unreadFile_;
    std::uint32_t unreadSection_ = 0;
    std::vector<std::pair<std::wstring, RegistryValue>> values_;  // creation order
    // Where each value sits in `values_`, so that a key of many values loads in linear time.
    std::map<std::wstring, std::size_t, NoCaseLess> valueIndex_;
};

namespace registry_format {

struct ParseError {
    int line = 0;
    std::wstring message;
};

enum class VolatileKeys { Leave, Show };

// The hive's file text (UTF-8). Volatile keys are left out, or for a dump shown after a comment.
// `sizeHint`: about how long the text will be (the file's length before), so it grows only once.
std::string serialize(Hive hive, const RegistryStore::Key& root, VolatileKeys volatileKeys = VolatileKeys::Leave,
                      std::size_t sizeHint = 0);
// Fills `root` (empty on entry) from a file's text; on error `root` is left partly filled and
// must be discarded.
std::optional<ParseError> parse(std::string_view text, RegistryStore::Key& root);

// A hive file exactly as `serialize` writes it (ASCII names and texts, no relative sections):
// its sections in file order, which is the tree's depth-first order.
struct OwnFormFile {
    struct Section {
        std::size_t pathBegin = 0;                   // the key's path on its section line
        std::size_t nameBegin = 0, nameEnd = 0;      // the key's own name, which ends the path
        std::size_t valuesBegin = 0, valuesEnd = 0;  // its value lines
        std::uint32_t depth = 0;
        std::uint32_t end = 0;  // the index after the last section below it
    };
    std::shared_ptr<const std::string> text;
    std::vector<Section> sections;
};

// Whether a text still needs the whole check that it is in the store's own form, or passed it
// before (the same text, as its file's mark vouches).
enum class OwnFormCheck { Whole, DoneBefore };

// Fills `root` (empty on entry) from a file in the store's own form, leaving every key below the
// root unread: they are read when first used. False, with `root` untouched, when the text is not
// in that form (written by hand, or not parsing at all): `parse` then reads it whole. A text that
// passed the check before is only split into its sections (still safely, whatever it holds).
bool loadOwnForm(Hive hive, std::shared_ptr<const std::string> text, RegistryStore::Key& root,
                 OwnFormCheck check = OwnFormCheck::Whole);
// Reads one value line into `key`; false with `error` when it does not parse.
bool parseValueLine(std::wstring_view line, RegistryStore::Key& key, std::wstring& error);

// A quoted string of the format, escaped (used for value names and string data).
std::string quote(std::wstring_view text);

}  // namespace registry_format

}  // namespace platform::core
