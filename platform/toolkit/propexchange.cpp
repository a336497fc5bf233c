#include "platform/toolkit/propexchange.h"
#include "platform/toolkit/propexchange_tree.h"

#include <algorithm>
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
    // Built from a tree: no text was parsed; the text the tree stands for is printed when a
    // warning needs a line.
    bool builtFromTree = false;
};

std::string utf8(LPCWSTR text) { return text ? toUtf8(text) : std::string(); }

// The document as XML text, as a tree of elements is written out (no declaration).
std::string printed(const pugi::xml_document& dom) {
    struct Writer : pugi::xml_writer {
        std::string text;
        void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
    } writer;
    dom.print(writer, "  ", pugi::format_default | pugi::format_no_declaration);
    return std::move(writer.text);
}

// `text` in UTF-8 into `out`, reusing its storage.
void assignUtf8(std::string& out, std::wstring_view text) {
    if (std::any_of(text.begin(), text.end(), [](wchar_t c) { return static_cast<unsigned>(c) >= 0x80; })) {
        out = toUtf8(text);
        return;
    }
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>(text[i]);
}

// Builds a document from a tree's elements; notes a nesting deeper than reading accepts.
class DomWriter : public CXTPPropExchangeXMLTree::Writer {
public:
    explicit DomWriter(pugi::xml_document& dom) : open_(dom) {}

    void OpenElement(std::wstring_view name) override {
        assignUtf8(utf8_, name);
        open_ = open_.append_child(utf8_.c_str());
        if (++depth_ > platform::xml::kMaxXmlDepth) tooDeep_ = true;
    }
    void AddAttribute(std::wstring_view name, std::wstring_view value) override {
        assignUtf8(utf8_, name);
        pugi::xml_attribute attribute = open_.append_attribute(utf8_.c_str());
        assignUtf8(utf8_, value);
        attribute.set_value(utf8_.c_str());
    }
    void CloseElement() override {
        open_ = open_.parent();
        --depth_;
    }
    bool tooDeep() const { return tooDeep_; }

private:
    pugi::xml_node open_;
    std::size_t depth_ = 0;
    bool tooDeep_ = false;
    std::string utf8_;  // one buffer for every name and value
};

// The node at the place of `node` (a node of another document of the same shape) in `dom`.
pugi::xml_node samePlace(const pugi::xml_node& node, const pugi::xml_document& dom) {
    std::vector<std::size_t> indices;  // among its siblings, from `node` up
    for (pugi::xml_node at = node; at.parent(); at = at.parent()) {
        std::size_t index = 0;
        for (pugi::xml_node before = at.previous_sibling(); before; before = before.previous_sibling()) ++index;
        indices.push_back(index);
    }
    pugi::xml_node at = dom;
    for (auto index = indices.rbegin(); index != indices.rend() && at; ++index) {
        at = at.first_child();
        for (std::size_t i = 0; i < *index && at; ++i) at = at.next_sibling();
    }
    return at;
}

// The 1-based line `element` opens on in its document's text; 0 when unknown.
int lineOf(XmlDocument& document, const pugi::xml_node& element) {
    if (!element) return 0;
    if (!document.builtFromTree) return platform::xml::lineAt(document.source, element.offset_debug());
    // The text a built document stands for is read back only for the rare warning.
    if (document.source.empty()) document.source = printed(document.dom);
    pugi::xml_document parsed;
    if (!parsed.load_buffer(document.source.data(), document.source.size(), pugi::parse_default, pugi::encoding_utf8)) return 0;
    return platform::xml::lineAt(document.source, samePlace(element, parsed).offset_debug());
}

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
    // Loading a layout asks for each stored value by name: a short name encodes without a string
    // of its own.
    std::string key;
    assignUtf8(key, platform::core::viewOf(name));
    const pugi::xml_attribute attribute = node_->element.attribute(key.c_str());
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
    auto& document = *node_->document;
    const int line = lineOf(document, node_->element);
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

BOOL LoadPropExchangeFromTree(CXTPPropExchangeXMLNode& exchange, const CXTPPropExchangeXMLTree& tree, LPCWSTR origin) {
    if (!exchange.IsLoading()) return FALSE;
    auto document = std::make_shared<XmlDocument>();
    document->origin = origin ? origin : L"(text)";
    DomWriter writer(document->dom);
    tree.Write(writer);
    const pugi::xml_node root = document->dom.document_element();
    // A tree the text's reading would refuse goes that way, to be refused with the same warning.
    if (writer.tooDeep() || !root || fromUtf8(root.name()) != exchange.GetSectionName().view())
        return exchange.LoadFromString(fromUtf8(printed(document->dom)), document->origin.c_str());
    document->builtFromTree = true;
    const auto& node = exchange.GetNode();
    node->document = std::move(document);
    node->element = root;
    return TRUE;
}
