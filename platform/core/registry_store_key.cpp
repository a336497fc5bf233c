// The key tree of the registry store. Trees can be deep (512 levels, more in a malformed file
// being read), so nothing here recurses once per level.
#include <string_view>
#include <utility>

#include "platform/core/registry_store_detail.h"

namespace platform::core {

using Key = RegistryStore::Key;

Key::~Key() {
    // Sub-trees nobody else holds are emptied into a work list before their keys go, so no
    // destructor below this one has children left to destroy. A key an open handle still holds
    // stays whole (the handle sees it deleted); it only loses its parent.
    std::vector<std::shared_ptr<Key>> pending;
    auto release = [&pending](Key& key) {
        for (auto& [name, child] : key.children_) pending.push_back(std::move(child));
        key.children_.clear();
    };
    release(*this);
    while (!pending.empty()) {
        std::shared_ptr<Key> key = std::move(pending.back());
        pending.pop_back();
        if (key.use_count() == 1) {
            release(*key);
        } else {
            key->parent = nullptr;
        }
    }
}

RegistryValue* Key::findValue(std::wstring_view valueName) {
    readFromFile();
    auto it = valueIndex_.find(valueName);
    return it == valueIndex_.end() ? nullptr : &values_[it->second].second;
}

bool Key::storeValue(std::wstring_view valueName, RegistryValue value) {
    if (RegistryValue* existing = findValue(valueName)) {
        if (*existing == value) return false;
        *existing = std::move(value);
    } else {
        valueIndex_.emplace(std::wstring(valueName), values_.size());
        values_.emplace_back(std::wstring(valueName), std::move(value));
    }
    valueLines.clear();
    return true;
}

bool Key::eraseValue(std::wstring_view valueName) {
    readFromFile();
    auto it = valueIndex_.find(valueName);
    if (it == valueIndex_.end()) return false;
    const std::size_t position = it->second;
    valueIndex_.erase(it);
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(position));
    for (auto& [name, index] : valueIndex_) {
        if (index > position) --index;
    }
    valueLines.clear();
    return true;
}

Key* Key::findChild(std::wstring_view childName) {
    readFromFile();
    auto it = children_.find(childName);
    return it == children_.end() ? nullptr : it->second.get();
}

Key& Key::child(std::wstring_view childName, bool* created) {
    if (Key* existing = findChild(childName)) {
        if (created) *created = false;
        return *existing;
    }
    auto key = std::make_shared<Key>();
    key->name = std::wstring(childName);
    key->parent = this;
    key->depth = depth + 1;
    key->isVolatile = isVolatile;
    Key& result = *key;
    children_.emplace(key->name, std::move(key));
    ++childrenChanges;
    if (created) *created = true;
    return result;
}

std::wstring Key::path() const {
    std::vector<const Key*> chain;
    for (const Key* key = this; key != nullptr && key->parent != nullptr; key = key->parent) chain.push_back(key);
    std::wstring out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!out.empty()) out.push_back(L'\\');
        out += (*it)->name;
    }
    return out;
}

void Key::markDeleted() {
    std::vector<Key*> pending{this};
    while (!pending.empty()) {
        Key* key = pending.back();
        pending.pop_back();
        key->deleted = true;
        key->unreadFile_.reset();  // what it never read goes with it
        for (auto& [name, child] : key->children_) pending.push_back(child.get());
    }
}

void Key::leaveUnread(std::shared_ptr<const registry_format::OwnFormFile> file, std::uint32_t section) {
    unreadFile_ = std::move(file);
    unreadSection_ = section;
}

void Key::readFromFile() {
    if (!unreadFile_) return;
    // Taken first: storing the values below must not come back here.
    const std::shared_ptr<const registry_format::OwnFormFile> file = std::move(unreadFile_);
    const auto& sections = file->sections;
    const registry_format::OwnFormFile::Section& own = sections[unreadSection_];
    const std::string_view text(*file->text);
    std::wstring error;
    for (std::size_t at = own.valuesBegin; at < own.valuesEnd;) {
        const std::size_t end = text.find('\n', at);
        // The file was checked whole when it was loaded: every line of it parses.
        registry_format::parseValueLine(fromUtf8(text.substr(at, end - at)), *this, error);
        at = end + 1;
    }
    // The lines are the writer's own: they stand for the values as they are.
    valueLines.assign(text.substr(own.valuesBegin, own.valuesEnd - own.valuesBegin));
    for (std::uint32_t index = unreadSection_ + 1; index < own.end; index = sections[index].end) {
        const auto& section = sections[index];
        auto key = std::make_shared<Key>();
        key->name = fromUtf8(text.substr(section.nameBegin, section.nameEnd - section.nameBegin));
        key->parent = this;
        key->depth = depth + 1;
        key->leaveUnread(file, index);
        // The file lists sub-keys in their order: each goes last.
        children_.emplace_hint(children_.end(), key->name, std::move(key));
    }
}

}  // namespace platform::core
