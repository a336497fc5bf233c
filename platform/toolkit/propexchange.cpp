#include "platform/toolkit/propexchange.h"

#include <sstream>
#include <vector>

#include <pugixml.hpp>

#include "platform/core/api_text.h"
#include "platform/core/numbers.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/mfc/xml_reading.h"
#include "platform/win32/files/file.h"

using platform::core::fromUtf8;
using platform::core::toUtf8;
using platform::core::recordWarning;

namespace {

struct XmlDocument {
    pugi::xml_document dom;
    std::wstring origin;  // the file (or other source) named in warnings
    std::string source;   // the text parsed, for line numbers
};

std::string utf8(LPCWSTR text) { return text ? toUtf8(text) : std::string(); }

POSITION positionOf(std::size_t index) { return reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(index + 1)); }
std::size_t indexOf(POSITION position) { return static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(position)) - 1; }

}  // namespace

struct CXTPPropExchangeXMLNode::Node {
    std::shared_ptr<XmlDocument> document;
    pugi::xml_node element;  // empty: a missing section being loaded (every value absent)
};

namespace {

class XmlEnumerator : public CXTPPropExchangeEnumerator {
public:
    XmlEnumerator(bool loading, std::shared_ptr<CXTPPropExchangeXMLNode::Node> parent, std::string name)
        : loading_(loading), parent_(std::move(parent)), name_(std::move(name)) {}

    POSITION GetPosition(DWORD count) override {
        items_.clear();
        current_.reset();
        if (loading_) {
            for (auto child : parent_->element.children(name_.c_str())) items_.push_back(child);
        } else {
            count_ = count;
        }
        const std::size_t total = loading_ ? items_.size() : count_;
        return total == 0 ? nullptr : positionOf(0);
    }

    CXTPPropExchange* GetNext(POSITION& position) override {
        if (!position) return nullptr;
        const std::size_t index = indexOf(position);
        pugi::xml_node element;
        if (loading_) {
            if (index >= items_.size()) {
                position = nullptr;
                return nullptr;
            }
            element = items_[index];
        } else {
            element = parent_->element ? parent_->element.append_child(name_.c_str()) : pugi::xml_node();
        }
        const std::size_t total = loading_ ? items_.size() : count_;
        position = index + 1 < total ? positionOf(index + 1) : nullptr;
        auto node = std::make_shared<CXTPPropExchangeXMLNode::Node>(CXTPPropExchangeXMLNode::Node{parent_->document, element});
        current_ = std::make_unique<CXTPPropExchangeXMLNode>(loading_, std::move(node));
        return current_.get();
    }

private:
    bool loading_;
    std::shared_ptr<CXTPPropExchangeXMLNode::Node> parent_;
    std::string name_;
    std::vector<pugi::xml_node> items_;
    std::size_t count_ = 0;
    std::unique_ptr<CXTPPropExchange> current_;
};

}  // namespace

CXTPPropExchangeXMLNode::CXTPPropExchangeXMLNode(BOOL loading, LPCWSTR rootSection)
    : CXTPPropExchange(loading != FALSE), node_(std::make_shared<Node>()) {
    node_->document = std::make_shared<XmlDocument>();
    node_->document->origin = L"(new document)";
    if (!IsLoading()) node_->element = node_->document->dom.append_child(utf8(rootSection).c_str());
    rootName_ = rootSection ? rootSection : L"";
}

CXTPPropExchangeXMLNode::CXTPPropExchangeXMLNode(bool loading, std::shared_ptr<Node> node)
    : CXTPPropExchange(loading), node_(std::move(node)) {
    if (node_->element) rootName_ = fromUtf8(node_->element.name());
}

CXTPPropExchangeXMLNode::~CXTPPropExchangeXMLNode() = default;

BOOL CXTPPropExchangeXMLNode::LoadFromFile(LPCWSTR path) {
    std::string bytes;
    if (!platform::xml::readXmlFile(platform::core::viewOf(path), bytes)) return FALSE;
    return loadBytes(std::move(bytes), std::wstring(platform::core::viewOf(path)));
}

BOOL CXTPPropExchangeXMLNode::LoadFromString(std::wstring_view xml, LPCWSTR origin) {
    return loadBytes(toUtf8(xml), origin ? origin : L"(text)");
}

BOOL CXTPPropExchangeXMLNode::loadBytes(std::string bytes, std::wstring origin) {
    auto document = std::make_shared<XmlDocument>();
    document->origin = std::move(origin);
    document->source = std::move(bytes);
    if (!platform::xml::parseXml(document->dom, document->source, document->origin)) return FALSE;
    const pugi::xml_node root = document->dom.document_element();
    if (!root || fromUtf8(root.name()) != rootName_) {
        recordWarning(document->origin + L": the root element is <" + fromUtf8(root ? root.name() : "") +
                      L">, expected <" + rootName_ + L">");
        return FALSE;
    }
    node_->document = std::move(document);
    node_->element = root;
    return TRUE;
}

BOOL CXTPPropExchangeXMLNode::SaveToFile(LPCWSTR path) {
    const std::string bytes = toUtf8(SaveToString().view());
    const std::wstring_view file = platform::core::viewOf(path);
    if (const DWORD error = platform::files::writeAllAtomic(file, bytes); error != 0) {
        recordWarning(std::wstring(file) + L": cannot be written (error " + std::to_wstring(error) + L")");
        return FALSE;
    }
    return TRUE;
}

CString CXTPPropExchangeXMLNode::SaveToString() const {
    std::ostringstream out;
    node_->document->dom.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return CString(fromUtf8(out.str()));
}

BOOL CXTPPropExchangeXMLNode::IsSectionPresent() const { return node_->element ? TRUE : FALSE; }

std::unique_ptr<CXTPPropExchangeXMLNode> CXTPPropExchangeXMLNode::CopySection() const {
    auto node = std::make_shared<Node>();
    node->document = std::make_shared<XmlDocument>();
    node->document->origin = node_->document->origin;
    if (node_->element) node->element = node->document->dom.append_copy(node_->element);
    auto copy = std::make_unique<CXTPPropExchangeXMLNode>(true, std::move(node));
    copy->rootName_ = rootName_;
    return copy;
}

BOOL CXTPPropExchangeXMLNode::PutSection(const CXTPPropExchangeXMLNode& section) {
    if (IsLoading() || !node_->element || !section.node_->element) return FALSE;
    while (pugi::xml_node stale = node_->element.child(section.node_->element.name())) node_->element.remove_child(stale);
    return node_->element.append_copy(section.node_->element) ? TRUE : FALSE;
}

CString CXTPPropExchangeXMLNode::GetSectionName() const { return CString(rootName_); }

std::unique_ptr<CXTPPropExchange> CXTPPropExchangeXMLNode::GetSection(LPCWSTR name) {
    const std::string section = utf8(name);
    pugi::xml_node element = node_->element ? node_->element.child(section.c_str()) : pugi::xml_node();
    if (!element && !IsLoading() && node_->element) element = node_->element.append_child(section.c_str());
    auto node = std::make_shared<Node>(Node{node_->document, element});
    auto result = std::make_unique<CXTPPropExchangeXMLNode>(IsLoading() != FALSE, std::move(node));
    result->rootName_ = name ? name : L"";
    return result;
}

std::unique_ptr<CXTPPropExchangeEnumerator> CXTPPropExchangeXMLNode::GetEnumerator(LPCWSTR name) {
    return std::make_unique<XmlEnumerator>(IsLoading() != FALSE, node_, utf8(name));
}

std::optional<std::wstring> CXTPPropExchangeXMLNode::ReadValue(LPCWSTR name) {
    if (!node_->element) return std::nullopt;
    const pugi::xml_attribute attribute = node_->element.attribute(utf8(name).c_str());
    if (!attribute) return std::nullopt;
    return fromUtf8(attribute.value());
}

void CXTPPropExchangeXMLNode::WriteValue(LPCWSTR name, std::wstring_view value) {
    if (!node_->element) return;
    const std::string key = utf8(name);
    pugi::xml_attribute attribute = node_->element.attribute(key.c_str());
    if (!attribute) attribute = node_->element.append_attribute(key.c_str());
    attribute.set_value(toUtf8(value).c_str());
}

void CXTPPropExchangeXMLNode::ReportBadValue(LPCWSTR name, std::wstring_view value, LPCWSTR expected) {
    const auto& document = *node_->document;
    const int line = node_->element ? platform::xml::lineAt(document.source, node_->element.offset_debug()) : 0;
    recordWarning(document.origin + L"(" + std::to_wstring(line) + L"): <" + rootName_ + L"> " +
                  (name ? name : L"") + L"=\"" + std::wstring(value) + L"\" is not " + (expected ? expected : L"valid") +
                  L"; the default is used");
}

namespace {

std::optional<int> parseInt(std::wstring_view text) { return platform::core::parseWholeNumber<int>(toUtf8(text)); }

std::optional<bool> parseBool(std::wstring_view text) {
    if (platform::core::equalsNoCase(text, L"true") || text == L"1") return true;
    if (platform::core::equalsNoCase(text, L"false") || text == L"0") return false;
    return std::nullopt;
}

// Storing writes the value as `format` words it. Loading takes the stored text as `parse` reads
// it; a missing value, or one that does not parse (reported), leaves the default.
template <class T, class Parse, class Format>
BOOL exchangeValue(CXTPPropExchange* px, LPCWSTR name, T& value, T defaultValue, Parse parse, Format format,
                   LPCWSTR expected) {
    if (!px) return FALSE;
    if (!px->IsLoading()) {
        px->WriteValue(name, format(value));
        return TRUE;
    }
    const auto stored = px->ReadValue(name);
    value = defaultValue;
    if (!stored) return TRUE;
    if (auto parsed = parse(*stored)) {
        value = *parsed;
    } else {
        px->ReportBadValue(name, *stored, expected);
    }
    return TRUE;
}

}  // namespace

BOOL PX_String(CXTPPropExchange* px, LPCWSTR name, CString& value, LPCWSTR defaultValue) {
    if (!px) return FALSE;
    if (!px->IsLoading()) {
        px->WriteValue(name, value.view());
        return TRUE;
    }
    auto stored = px->ReadValue(name);
    value = stored ? CString(*stored) : CString(defaultValue);
    return TRUE;
}

BOOL PX_Int(CXTPPropExchange* px, LPCWSTR name, int& value, int defaultValue) {
    return exchangeValue(px, name, value, defaultValue, parseInt, [](int number) { return std::to_wstring(number); },
                         L"an integer");
}

BOOL PX_Bool(CXTPPropExchange* px, LPCWSTR name, bool& value, bool defaultValue) {
    return exchangeValue(px, name, value, defaultValue, parseBool, platform::core::boolText, L"a boolean (true or false)");
}

BOOL PX_Bool(CXTPPropExchange* px, LPCWSTR name, BOOL& value, BOOL defaultValue) {
    bool flag = value != FALSE;
    const BOOL result = PX_Bool(px, name, flag, defaultValue != FALSE);
    value = flag ? TRUE : FALSE;
    return result;
}
