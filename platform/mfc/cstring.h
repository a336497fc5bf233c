// The framework's string: a value type over std::wstring with the familiar interface. Indexes
// and counts are ints as in the framework; every out-of-range position is clamped or answered
// with "not found", never undefined behaviour.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/format.h"
#include "platform/win32/types.h"

class CString {
public:
    CString() = default;
    CString(std::nullptr_t) {}
    CString(const wchar_t* text) : text_(text ? text : L"") {}
    CString(const wchar_t* text, int length);
    CString(const std::wstring& text) : text_(text) {}
    CString(std::wstring&& text) : text_(std::move(text)) {}
    explicit CString(std::wstring_view text) : text_(text) {}
    // Narrow text is taken as UTF-8 (invalid bytes as Windows-1252).
    CString(const char* text);
    explicit CString(wchar_t ch, int repeat = 1);

    int GetLength() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    // Out-of-range positions read as L'\0' and writes to them are ignored.
    wchar_t GetAt(int index) const;
    void SetAt(int index, wchar_t ch);
    wchar_t operator[](int index) const { return GetAt(index); }
    operator LPCWSTR() const { return text_.c_str(); }
    LPCWSTR GetString() const { return text_.c_str(); }
    std::wstring_view view() const { return text_; }
    const std::wstring& str() const { return text_; }

    CString& operator=(const wchar_t* text);
    CString& operator=(const std::wstring& text);
    CString& operator=(wchar_t ch);
    CString& operator+=(const CString& text);
    CString& operator+=(const wchar_t* text);
    CString& operator+=(wchar_t ch);
    CString& operator+=(std::wstring_view text);
    void Append(const wchar_t* text);
    void Append(const wchar_t* text, int length);
    void AppendChar(wchar_t ch);

    // Ordinal (code unit) comparison, <0, 0, >0.
    int Compare(const wchar_t* other) const;
    // Case-insensitive over the platform's fixed folding tables.
    int CompareNoCase(const wchar_t* other) const;
    // Folded text first, then lower case before upper case.
    int Collate(const wchar_t* other) const;
    int CollateNoCase(const wchar_t* other) const;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const wchar_t* chars) const;
    CString SpanExcluding(const wchar_t* chars) const;

    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* sub, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(const wchar_t* chars) const;

    int Replace(wchar_t oldChar, wchar_t newChar);
    int Replace(const wchar_t* oldText, const wchar_t* newText);
    int Remove(wchar_t ch);
    int Insert(int index, wchar_t ch);
    int Insert(int index, const wchar_t* text);
    int Delete(int index, int count = 1);

    CString& Trim();
    CString& Trim(wchar_t target);
    CString& Trim(const wchar_t* targets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t target);
    CString& TrimLeft(const wchar_t* targets);
    CString& TrimRight();
    CString& TrimRight(wchar_t target);
    CString& TrimRight(const wchar_t* targets);
    CString& MakeLower();
    CString& MakeUpper();
    CString& MakeReverse();

    // Next token after `start`, skipping leading delimiters; at the end returns empty and sets
    // `start` to -1.
    CString Tokenize(const wchar_t* delimiters, int& start) const;

    // The returned buffer holds at least `minLength` characters plus a terminator and stays
    // valid until the next change; ReleaseBuffer(-1) takes the length up to the first L'\0'.
    LPWSTR GetBuffer();
    LPWSTR GetBuffer(int minLength);
    LPWSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);
    void Preallocate(int length) { text_.reserve(length > 0 ? static_cast<std::size_t>(length) : 0); }

    template <class... T>
    void Format(const wchar_t* format, const T&... args) {
        FormatV(format, platform::makeFormatArgs(args...));
    }
    // The format is the string resource `formatId`.
    template <class... T>
    void Format(UINT formatId, const T&... args) {
        FormatV(formatId, platform::makeFormatArgs(args...));
    }
    template <class... T>
    void AppendFormat(const wchar_t* format, const T&... args) {
        AppendFormatV(format, platform::makeFormatArgs(args...));
    }
    void FormatV(const wchar_t* format, const platform::FormatArgs& args);
    void FormatV(UINT formatId, const platform::FormatArgs& args);
    void AppendFormatV(const wchar_t* format, const platform::FormatArgs& args);

    // Loads string resource `id` through the installed string loader; a missing id leaves the
    // string empty and returns FALSE.
    BOOL LoadString(UINT id);

    friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.text_ == (b ? b : L""); }
    friend bool operator<(const CString& a, const CString& b) { return a.text_ < b.text_; }
    friend bool operator<(const CString& a, const wchar_t* b) { return a.text_.compare(b ? b : L"") < 0; }
    friend bool operator<(const wchar_t* a, const CString& b) { return b.text_.compare(a ? a : L"") > 0; }
    friend bool operator>(const CString& a, const CString& b) { return b < a; }
    friend bool operator<=(const CString& a, const CString& b) { return !(b < a); }
    friend bool operator>=(const CString& a, const CString& b) { return !(a < b); }

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const wchar_t* b);
    friend CString operator+(const wchar_t* a, const CString& b);
    friend CString operator+(const CString& a, wchar_t b);
    friend CString operator+(wchar_t a, const CString& b);

private:
    std::wstring text_;
};

using CStringW = CString;

template <>
struct std::hash<CString> {
    std::size_t operator()(const CString& s) const noexcept { return std::hash<std::wstring_view>{}(s.view()); }
};

// The framework's array of strings, as the shell uses it.
class CStringArray {
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(items_.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return items_.empty(); }
    INT_PTR Add(const CString& item) {
        items_.push_back(item);
        return GetSize() - 1;
    }
    // Index must be in range (checked: an out-of-range index is reported and reads an empty string).
    const CString& GetAt(INT_PTR index) const;
    CString& ElementAt(INT_PTR index);
    void SetAt(INT_PTR index, const CString& item);
    void SetAtGrow(INT_PTR index, const CString& item);
    void InsertAt(INT_PTR index, const CString& item);
    void RemoveAt(INT_PTR index, INT_PTR count = 1);
    void RemoveAll() { items_.clear(); }
    void SetSize(INT_PTR size);
    const CString& operator[](INT_PTR index) const { return GetAt(index); }
    CString& operator[](INT_PTR index) { return ElementAt(index); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }

private:
    std::vector<CString> items_;
};

namespace platform {

// The string table behind CString::LoadString, installed by the resource stand-in.
using StringLoader = std::function<std::optional<std::wstring>(UINT)>;
void setStringLoader(StringLoader loader);
std::optional<std::wstring> loadStringResource(UINT id);

}  // namespace platform
