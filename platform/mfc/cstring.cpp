#include "platform/mfc/cstring.h"

#include <algorithm>
#include <cstdint>
#include <mutex>

#include "platform/core/api_text.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"

namespace {

using platform::core::viewOf;

bool isSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f' || c == 0x00A0 ||
           c == 0x3000 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029;
}

std::size_t clampIndex(int index, std::size_t size) {
    if (index <= 0) return 0;
    return std::min(static_cast<std::size_t>(index), size);
}

}  // namespace

CString::CString(const wchar_t* text, int length) {
    if (text && length > 0) text_.assign(text, static_cast<std::size_t>(length));
}

CString::CString(const char* text) {
    if (text) text_ = platform::core::fromUtf8(text);
}

CString::CString(wchar_t ch, int repeat) {
    if (repeat > 0) text_.assign(static_cast<std::size_t>(repeat), ch);
}

wchar_t CString::GetAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= text_.size()) return L'\0';
    return text_[static_cast<std::size_t>(index)];
}

void CString::SetAt(int index, wchar_t ch) {
    if (index < 0 || static_cast<std::size_t>(index) >= text_.size()) return;
    text_[static_cast<std::size_t>(index)] = ch;
}

CString& CString::operator=(const wchar_t* text) {
    text_ = viewOf(text);
    return *this;
}

CString& CString::operator=(const std::wstring& text) {
    text_ = text;
    return *this;
}

CString& CString::operator=(wchar_t ch) {
    text_.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& text) {
    text_ += text.text_;
    return *this;
}

CString& CString::operator+=(const wchar_t* text) {
    text_ += viewOf(text);
    return *this;
}

CString& CString::operator+=(wchar_t ch) {
    text_ += ch;
    return *this;
}

CString& CString::operator+=(std::wstring_view text) {
    text_ += text;
    return *this;
}

void CString::Append(const wchar_t* text) { text_ += viewOf(text); }

void CString::Append(const wchar_t* text, int length) {
    if (text && length > 0) text_.append(text, static_cast<std::size_t>(length));
}

void CString::AppendChar(wchar_t ch) { text_ += ch; }

int CString::Compare(const wchar_t* other) const {
    const int r = std::wstring_view(text_).compare(viewOf(other));
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CString::CompareNoCase(const wchar_t* other) const {
    return platform::core::compareNoCase(text_, viewOf(other));
}

int CString::Collate(const wchar_t* other) const {
    const int folded = platform::core::compareNoCase(text_, viewOf(other));
    if (folded != 0) return folded;
    // Same letters: lower case sorts before upper case at the first difference.
    const std::wstring_view b = viewOf(other);
    for (std::size_t i = 0; i < text_.size() && i < b.size(); ++i) {
        if (text_[i] == b[i]) continue;
        const bool aLower = platform::core::foldCase(text_[i]) == text_[i];
        return aLower ? -1 : 1;
    }
    return 0;
}

int CString::CollateNoCase(const wchar_t* other) const { return CompareNoCase(other); }

CString CString::Mid(int first) const {
    return CString(std::wstring(std::wstring_view(text_).substr(clampIndex(first, text_.size()))));
}

CString CString::Mid(int first, int count) const {
    const std::size_t start = clampIndex(first, text_.size());
    if (count <= 0) return {};
    return CString(std::wstring(std::wstring_view(text_).substr(start, static_cast<std::size_t>(count))));
}

CString CString::Left(int count) const {
    if (count <= 0) return {};
    return CString(std::wstring(std::wstring_view(text_).substr(0, static_cast<std::size_t>(count))));
}

CString CString::Right(int count) const {
    if (count <= 0) return {};
    const std::size_t n = std::min(static_cast<std::size_t>(count), text_.size());
    return CString(text_.substr(text_.size() - n));
}

CString CString::SpanIncluding(const wchar_t* chars) const {
    const std::size_t end = text_.find_first_not_of(viewOf(chars));
    return CString(text_.substr(0, end));
}

CString CString::SpanExcluding(const wchar_t* chars) const {
    const std::size_t end = text_.find_first_of(viewOf(chars));
    return CString(text_.substr(0, end));
}

int CString::Find(wchar_t ch, int start) const {
    if (start < 0 || static_cast<std::size_t>(start) >= text_.size()) return -1;
    const std::size_t at = text_.find(ch, static_cast<std::size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const wchar_t* sub, int start) const {
    if (start < 0 || static_cast<std::size_t>(start) > text_.size()) return -1;
    const std::wstring_view needle = viewOf(sub);
    if (needle.empty()) return -1;
    const std::size_t at = text_.find(needle, static_cast<std::size_t>(start));
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(wchar_t ch) const {
    const std::size_t at = text_.rfind(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(const wchar_t* chars) const {
    const std::wstring_view set = viewOf(chars);
    if (set.empty()) return -1;
    const std::size_t at = text_.find_first_of(set);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Replace(wchar_t oldChar, wchar_t newChar) {
    int count = 0;
    for (auto& c : text_) {
        if (c != oldChar) continue;
        c = newChar;
        ++count;
    }
    return count;
}

int CString::Replace(const wchar_t* oldText, const wchar_t* newText) {
    const std::wstring_view from = viewOf(oldText);
    if (from.empty()) return 0;
    const std::wstring_view to = viewOf(newText);
    std::wstring result;
    int count = 0;
    std::size_t pos = 0;
    for (std::size_t at = text_.find(from); at != std::wstring::npos; at = text_.find(from, pos)) {
        result.append(text_, pos, at - pos);
        result.append(to);
        pos = at + from.size();
        ++count;
    }
    if (count == 0) return 0;
    result.append(text_, pos, std::wstring::npos);
    text_ = std::move(result);
    return count;
}

int CString::Remove(wchar_t ch) {
    const auto before = text_.size();
    std::erase(text_, ch);
    return static_cast<int>(before - text_.size());
}

int CString::Insert(int index, wchar_t ch) {
    text_.insert(clampIndex(index, text_.size()), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const wchar_t* text) {
    text_.insert(clampIndex(index, text_.size()), viewOf(text));
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index < 0 || count <= 0 || static_cast<std::size_t>(index) >= text_.size()) return GetLength();
    text_.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    return GetLength();
}

CString& CString::TrimLeft() {
    const auto it = std::find_if(text_.begin(), text_.end(), [](wchar_t c) { return !isSpace(c); });
    text_.erase(text_.begin(), it);
    return *this;
}

CString& CString::TrimRight() {
    const auto it = std::find_if(text_.rbegin(), text_.rend(), [](wchar_t c) { return !isSpace(c); });
    text_.erase(it.base(), text_.end());
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft(wchar_t target) {
    text_.erase(0, std::min(text_.find_first_not_of(target), text_.size()));
    return *this;
}

CString& CString::TrimRight(wchar_t target) {
    const std::size_t last = text_.find_last_not_of(target);
    text_.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

CString& CString::Trim(wchar_t target) { return TrimRight(target).TrimLeft(target); }

CString& CString::TrimLeft(const wchar_t* targets) {
    const std::wstring_view set = viewOf(targets);
    if (set.empty()) return *this;
    text_.erase(0, std::min(text_.find_first_not_of(set), text_.size()));
    return *this;
}

CString& CString::TrimRight(const wchar_t* targets) {
    const std::wstring_view set = viewOf(targets);
    if (set.empty()) return *this;
    const std::size_t last = text_.find_last_not_of(set);
    text_.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

CString& CString::Trim(const wchar_t* targets) { return TrimRight(targets).TrimLeft(targets); }

CString& CString::MakeLower() {
    for (auto& c : text_) c = platform::core::foldCase(c);
    return *this;
}

CString& CString::MakeUpper() {
    for (auto& c : text_) c = platform::core::toUpperInvariant(c);
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(text_.begin(), text_.end());
    return *this;
}

CString CString::Tokenize(const wchar_t* delimiters, int& start) const {
    if (start < 0 || static_cast<std::size_t>(start) >= text_.size()) {
        start = -1;
        return {};
    }
    const std::wstring_view set = viewOf(delimiters);
    if (set.empty()) {
        // No delimiters: the rest is one token.
        CString token(text_.substr(static_cast<std::size_t>(start)));
        start = GetLength() + 1;
        return token;
    }
    const std::size_t first = text_.find_first_not_of(set, static_cast<std::size_t>(start));
    if (first == std::wstring::npos) {
        start = -1;
        return {};
    }
    std::size_t end = text_.find_first_of(set, first);
    if (end == std::wstring::npos) end = text_.size();
    start = static_cast<int>(end + 1);
    return CString(text_.substr(first, end - first));
}

LPWSTR CString::GetBuffer() { return text_.data(); }

LPWSTR CString::GetBuffer(int minLength) {
    if (minLength > 0 && static_cast<std::size_t>(minLength) > text_.size()) {
        text_.resize(static_cast<std::size_t>(minLength), L'\0');
    }
    return text_.data();
}

LPWSTR CString::GetBufferSetLength(int length) {
    text_.resize(length > 0 ? static_cast<std::size_t>(length) : 0, L'\0');
    return text_.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        const std::size_t end = text_.find(L'\0');
        if (end != std::wstring::npos) text_.resize(end);
        return;
    }
    text_.resize(std::min(static_cast<std::size_t>(newLength), text_.size()));
}

void CString::FormatV(const wchar_t* format, const platform::FormatArgs& args) {
    text_ = platform::formatV(viewOf(format), args);
}

void CString::FormatV(UINT formatId, const platform::FormatArgs& args) {
    CString format;
    if (!format.LoadString(formatId)) {
        text_.clear();
        return;
    }
    FormatV(format.GetString(), args);
}

void CString::AppendFormatV(const wchar_t* format, const platform::FormatArgs& args) {
    text_ += platform::formatV(viewOf(format), args);
}

BOOL CString::LoadString(UINT id) {
    auto text = platform::loadStringResource(id);
    if (!text) {
        text_.clear();
        return FALSE;
    }
    text_ = std::move(*text);
    return TRUE;
}

CString operator+(const CString& a, const CString& b) { return CString(a.text_ + b.text_); }

CString operator+(const CString& a, const wchar_t* b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const wchar_t* a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, wchar_t b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(wchar_t a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

namespace {

const CString& emptyString() {
    static const CString empty;
    return empty;
}

void reportBadIndex(INT_PTR index, INT_PTR size) {
    platform::core::reportFailure(L"CStringArray index " + std::to_wstring(index) + L" out of range (size " +
                                  std::to_wstring(size) + L")");
}

}  // namespace

const CString& CStringArray::GetAt(INT_PTR index) const {
    if (index < 0 || index >= GetSize()) {
        reportBadIndex(index, GetSize());
        return emptyString();
    }
    return items_[static_cast<std::size_t>(index)];
}

CString& CStringArray::ElementAt(INT_PTR index) {
    if (index < 0 || index >= GetSize()) {
        reportBadIndex(index, GetSize());
        // Grow rather than hand out a reference to shared storage that a write would corrupt.
        if (index < 0) index = GetSize();
        items_.resize(static_cast<std::size_t>(index) + 1);
    }
    return items_[static_cast<std::size_t>(index)];
}

void CStringArray::SetAt(INT_PTR index, const CString& item) {
    if (index < 0 || index >= GetSize()) {
        reportBadIndex(index, GetSize());
        return;
    }
    items_[static_cast<std::size_t>(index)] = item;
}

void CStringArray::SetAtGrow(INT_PTR index, const CString& item) {
    if (index < 0) {
        reportBadIndex(index, GetSize());
        return;
    }
    if (index >= GetSize()) items_.resize(static_cast<std::size_t>(index) + 1);
    items_[static_cast<std::size_t>(index)] = item;
}

void CStringArray::InsertAt(INT_PTR index, const CString& item) {
    if (index < 0) {
        reportBadIndex(index, GetSize());
        return;
    }
    if (index >= GetSize()) {
        SetAtGrow(index, item);
        return;
    }
    items_.insert(items_.begin() + index, item);
}

void CStringArray::RemoveAt(INT_PTR index, INT_PTR count) {
    if (index < 0 || count < 0 || index + count > GetSize()) {
        reportBadIndex(index + count - 1, GetSize());
        return;
    }
    items_.erase(items_.begin() + index, items_.begin() + index + count);
}

void CStringArray::SetSize(INT_PTR size) { items_.resize(size > 0 ? static_cast<std::size_t>(size) : 0); }

namespace platform {

namespace {

struct StringLoaderSlot {
    std::mutex mutex;
    StringLoader loader;
};

StringLoaderSlot& loaderSlot() {
    static StringLoaderSlot slot;
    return slot;
}

}  // namespace

void setStringLoader(StringLoader loader) {
    auto& slot = loaderSlot();
    std::lock_guard lock(slot.mutex);
    slot.loader = std::move(loader);
}

std::optional<std::wstring> loadStringResource(UINT id) {
    StringLoader loader;
    {
        auto& slot = loaderSlot();
        std::lock_guard lock(slot.mutex);
        loader = slot.loader;
    }
    if (!loader) return std::nullopt;
    return loader(id);
}

}  // namespace platform
