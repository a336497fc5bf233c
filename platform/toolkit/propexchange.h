// Property exchange: named sections with values and enumerated child sections, loaded from and
// saved to XML. In the XML form a section is an element, its values are the element's attributes
// and its child sections are child elements; an enumerator over an entry name reads (or writes)
// one child element of that name per item, in order.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mfc.h"

class CXTPPropExchangeEnumerator;

class CXTPPropExchange {
public:
    virtual ~CXTPPropExchange() = default;
    CXTPPropExchange(const CXTPPropExchange&) = delete;
    CXTPPropExchange& operator=(const CXTPPropExchange&) = delete;

    BOOL IsLoading() const { return loading_; }
    virtual CString GetSectionName() const = 0;
    // The child section `name` (created when storing). When loading a missing section, an empty
    // one that answers every value with its default (never null, as the toolkit's users expect).
    virtual std::unique_ptr<CXTPPropExchange> GetSection(LPCWSTR name) = 0;
    virtual std::unique_ptr<CXTPPropExchangeEnumerator> GetEnumerator(LPCWSTR name) = 0;

    // Value access for the PX_ functions. Reading answers nothing for a missing or malformed
    // value (a malformed one is reported with its file and line).
    virtual std::optional<std::wstring> ReadValue(LPCWSTR name) = 0;
    virtual void WriteValue(LPCWSTR name, std::wstring_view value) = 0;
    // Reports a value that does not parse as the type asked for.
    virtual void ReportBadValue(LPCWSTR name, std::wstring_view value, LPCWSTR expected) = 0;

protected:
    explicit CXTPPropExchange(bool loading) : loading_(loading) {}

private:
    bool loading_;
};

// Iterates the child sections of one entry name. Loading: GetPosition() then GetNext() until the
// position is null. Storing: GetPosition(count) then GetNext() once per item, each call adding a
// child section. A section returned by GetNext stays valid until the next GetNext.
class CXTPPropExchangeEnumerator {
public:
    virtual ~CXTPPropExchangeEnumerator() = default;
    virtual POSITION GetPosition(DWORD count = 0) = 0;
    virtual CXTPPropExchange* GetNext(POSITION& position) = 0;
};

// Owning holder of a section, as the toolkit's users write it:
//     CXTPPropExchangeSection settings(px.GetSection(L"Settings"));
class CXTPPropExchangeSection {
public:
    explicit CXTPPropExchangeSection(std::unique_ptr<CXTPPropExchange> section) : section_(std::move(section)) {}
    CXTPPropExchange* operator->() const { return section_.get(); }
    CXTPPropExchange& operator*() const { return *section_; }
    CXTPPropExchange* get() const { return section_.get(); }
    explicit operator bool() const { return section_ != nullptr; }

private:
    std::unique_ptr<CXTPPropExchange> section_;
};
using CXTPPropExchangeEnumeratorPtr = std::unique_ptr<CXTPPropExchangeEnumerator>;

// The XML form. The exchange owns its document; sections taken from it share the document.
class CXTPPropExchangeXMLNode : public CXTPPropExchange {
public:
    // `rootSection`: the name of the document's root element.
    CXTPPropExchangeXMLNode(BOOL loading, LPCWSTR rootSection);
    ~CXTPPropExchangeXMLNode() override;

    // Reads the file; FALSE when it is missing, malformed (journal warning with file and line)
    // or its root element is not the root section.
    BOOL LoadFromFile(LPCWSTR path);
    // Writes the document to the file atomically; FALSE when it cannot be written.
    BOOL SaveToFile(LPCWSTR path);
    // Parses XML text; `origin` names it in warnings.
    BOOL LoadFromString(std::wstring_view xml, LPCWSTR origin);
    CString SaveToString() const;

    // Whether the section stands for an element of the document (a missing section being
    // loaded does not).
    BOOL IsSectionPresent() const;
    // A copy of this section and everything in it, in a document of its own, for loading; it
    // outlives this exchange's document.
    std::unique_ptr<CXTPPropExchangeXMLNode> CopySection() const;
    // Storing: puts a copy of `section` (its element and everything in it) into this section as
    // a child, in place of a child of the same name; FALSE when this section is not storing or
    // `section` stands for no element.
    BOOL PutSection(const CXTPPropExchangeXMLNode& section);

    CString GetSectionName() const override;
    std::unique_ptr<CXTPPropExchange> GetSection(LPCWSTR name) override;
    std::unique_ptr<CXTPPropExchangeEnumerator> GetEnumerator(LPCWSTR name) override;
    std::optional<std::wstring> ReadValue(LPCWSTR name) override;
    void WriteValue(LPCWSTR name, std::wstring_view value) override;
    void ReportBadValue(LPCWSTR name, std::wstring_view value, LPCWSTR expected) override;

    struct Node;  // the document and the element this exchange stands for (private)
    CXTPPropExchangeXMLNode(bool loading, std::shared_ptr<Node> node);
    const std::shared_ptr<Node>& GetNode() const { return node_; }

private:
    BOOL loadBytes(std::string bytes, std::wstring origin);

    std::shared_ptr<Node> node_;
    std::wstring rootName_;  // the name of the section this exchange stands for
};

// Values of a section. Loading: the stored value, or the default when it is absent or malformed.
// Storing: writes the value. Booleans are "true"/"false" in XML; numbers decimal.
BOOL PX_String(CXTPPropExchange* px, LPCWSTR name, CString& value, LPCWSTR defaultValue = L"");
BOOL PX_Int(CXTPPropExchange* px, LPCWSTR name, int& value, int defaultValue = 0);
BOOL PX_Bool(CXTPPropExchange* px, LPCWSTR name, BOOL& value, BOOL defaultValue = FALSE);
BOOL PX_Bool(CXTPPropExchange* px, LPCWSTR name, bool& value, bool defaultValue = false);
// An unsigned 32-bit number, decimal.
BOOL PX_DWord(CXTPPropExchange* px, LPCWSTR name, DWORD& value, DWORD defaultValue = 0);
// A 16-byte id in its braced text form ("{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"); all zero by default.
BOOL PX_Guid(CXTPPropExchange* px, LPCWSTR name, GUID& value);
// Bytes as hex digits, two a byte; empty by default. A value that is not whole hex pairs reads
// as empty (reported), never as part of its bytes.
BOOL PX_Blob(CXTPPropExchange* px, LPCWSTR name, std::vector<BYTE>& value);
