// The maker's compression library as the shell uses it: ini files, shared path values and the
// path helpers that resolve files of the program folder.
#pragma once

#include <optional>

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/compression/streams.h"
#include "platform/mfc.h"

namespace platform::core {
class MalformedLines;
}  // namespace platform::core

namespace kvio {

// A read-only view of an ini file, read whole at Load. Sections and keys are case-insensitive
// and the first occurrence wins. A key present with an empty value reads as the empty string;
// only an absent key takes the caller's default. Files may carry a byte-order mark (UTF-8,
// UTF-16LE, UTF-16BE); without one they are read as UTF-8, invalid bytes as Windows-1252.
// Lines that are neither a section, a key=value pair, a comment (';' or '#') nor blank are
// reported as warnings naming the file and line, and skipped.
class IniFile {
public:
    IniFile() = default;

    // Reads the file (a Windows path). False when it cannot be read; the object is then empty.
    bool Load(const wchar_t* path);
    // Parses text that was read elsewhere; `origin` names it in warnings.
    void LoadFromText(std::wstring_view text, const wchar_t* origin);
    bool IsLoaded() const { return loaded_; }
    const CString& GetFileName() const { return fileName_; }

    CString GetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue = L"") const;
    // The leading decimal integer of the value, as the Windows profile functions read it (sign,
    // digits, anything after ignored; "0x" is not special; no digits reads 0). An absent key
    // and an empty value take the default.
    int GetInt(const wchar_t* section, const wchar_t* key, int defaultValue = 0) const;
    bool HasSection(const wchar_t* section) const;
    bool HasKey(const wchar_t* section, const wchar_t* key) const;

    // Names in file order, each once (as first spelled).
    std::vector<CString> GetSectionNames() const;
    std::vector<CString> GetKeyNames(const wchar_t* section) const;

private:
    struct NameLess {
        using is_transparent = void;
        bool operator()(std::wstring_view a, std::wstring_view b) const;
    };
    struct Entry {
        CString key;
        CString value;
    };
    struct Section {
        CString name;
        std::vector<Entry> entries;
        std::map<std::wstring, std::size_t, NameLess> index;
    };
    const Section* findSection(std::wstring_view name) const;
    const Entry* findEntry(std::wstring_view section, std::wstring_view key) const;
    static constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);
    void parseLine(std::wstring_view line, int number, std::size_t& current, platform::core::MalformedLines& problems);

    std::vector<Section> sections_;
    std::map<std::wstring, std::size_t, NameLess> sectionIndex_;
    CString fileName_;
    bool loaded_ = false;
};

}  // namespace kvio

// A path as the maker's libraries pass it between each other: a value compared and hashed
// case-insensitively, as Windows compares paths. An empty path is the null path.
class SharedPathName {
public:
    SharedPathName() = default;
    SharedPathName(const wchar_t* path) : path_(path) {}
    SharedPathName(const CString& path) : path_(path) {}

    bool IsNull() const { return path_.IsEmpty(); }
    const CString& GetPath() const { return path_; }
    LPCWSTR c_str() const { return path_.GetString(); }
    operator LPCWSTR() const { return path_.GetString(); }
    std::wstring_view view() const { return path_.view(); }

    friend bool operator==(const SharedPathName& a, const SharedPathName& b);
    friend bool operator<(const SharedPathName& a, const SharedPathName& b);

private:
    CString path_;
};

template <>
struct std::hash<SharedPathName> {
    std::size_t operator()(const SharedPathName& path) const noexcept;
};

// Keeps the shared-path flags cache alive while it exists; blocks nest.
class SharedPathNameFlagsCacheBlock {
public:
    SharedPathNameFlagsCacheBlock();
    ~SharedPathNameFlagsCacheBlock();
    SharedPathNameFlagsCacheBlock(const SharedPathNameFlagsCacheBlock&) = delete;
    SharedPathNameFlagsCacheBlock& operator=(const SharedPathNameFlagsCacheBlock&) = delete;
    // How many blocks are open on any thread.
    static int Depth();
};

// The program folder (the folder of the program file), without a trailing backslash.
CString KVGetProgramPath();
// A relative path is taken inside the program folder; an absolute path (drive, UNC or rooted)
// is returned unchanged. `mode` and `searchAll` are accepted for the callers' sake: this
// edition has one program folder, so every mode resolves there.
CString KVAppendProgramPath(const wchar_t* path, int mode = 0, bool searchAll = true);

namespace Korvo {

// The extension of the path's file name with its dot (".grb"), or empty when it has none.
CString GetFileExtension(const wchar_t* path);
// The path with its file name's extension replaced by `extension` (with its dot), or added.
CString ChangeFileExtension(const wchar_t* path, const wchar_t* extension);

// Reads a text file whole (a byte-order mark selects UTF-8 or UTF-16; without one UTF-8).
enum class TextFileResult { Read, NotOpened, ReadFailed };
TextFileResult ReadTextFile(const wchar_t* path, CString& text);

}  // namespace Korvo

namespace kvio {

// Windows path rules over path text; no file system access.
bool IsRelativePath(std::wstring_view path);
// The file name part (after the last '\\' or '/' or drive colon).
std::wstring_view FileNamePart(std::wstring_view path);
// The extension of the file name part, with its dot; empty when none.
std::wstring_view ExtensionPart(std::wstring_view path);
// Joins folder and name with exactly one backslash between them.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

}  // namespace kvio
