// The summary properties of a kernel document file (author, title, keywords ...), read without
// opening the document (KorvoDocument2::ReadProperties).
#pragma once

#include <map>
#include <string>

#include "platform/mfc.h"

// Properties by name; a name the set lacks reads as empty.
class CKVPropertySet {
public:
    CString GetProperty(LPCWSTR name) const;
    void SetProperty(LPCWSTR name, LPCWSTR value);
    int GetCount() const { return static_cast<int>(properties_.size()); }

private:
    std::map<std::wstring, CString> properties_;
};
