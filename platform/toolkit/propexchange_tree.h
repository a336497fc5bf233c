// Loading a property exchange from a tree of elements held in another form (names, attributes
// and child elements), without printing it as XML text and parsing that again.
#pragma once

#include <string_view>

#include "platform/toolkit/propexchange.h"

class CXTPPropExchangeXMLTree {
public:
    class Writer {
    public:
        // Opens an element inside the open one; the first opened is the root.
        virtual void OpenElement(std::wstring_view name) = 0;
        // An attribute of the open element.
        virtual void AddAttribute(std::wstring_view name, std::wstring_view value) = 0;
        virtual void CloseElement() = 0;
        virtual ~Writer() = default;
    };

    virtual ~CXTPPropExchangeXMLTree() = default;
    // Writes the whole tree, from its root element.
    virtual void Write(Writer& writer) const = 0;
};

// Loads what `tree` writes into the loading `exchange` as if the tree were printed as XML text
// and read back with LoadFromString: the same document, the same warnings with the same lines.
BOOL LoadPropExchangeFromTree(CXTPPropExchangeXMLNode& exchange, const CXTPPropExchangeXMLTree& tree, LPCWSTR origin);
