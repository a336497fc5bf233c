// Writing ini files: sections and keys kept in the order they are first set, written whole as
// UTF-8 and read back by kvio::IniFile.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/mfc.h"

namespace kvio {

class IniFileWriter {
public:
    // Sets a key (names compared without case), adding the section and the key at the end when
    // missing. Line breaks in a value become blanks, so a value can never start another line.
    void SetString(const wchar_t* section, const wchar_t* key, const wchar_t* value);
    void SetInt(const wchar_t* section, const wchar_t* key, int value);
    // The file's text: "[section]" and "key=value" lines, each ended by CR LF.
    std::wstring Text() const;
    // Replaces the file (a Windows path) whole, or leaves it as it was; false when it cannot be
    // written.
    bool Save(const wchar_t* path) const;

private:
    struct Section {
        std::wstring name;
        std::vector<std::pair<std::wstring, std::wstring>> keys;
    };
    std::vector<Section> sections_;
};

}  // namespace kvio
