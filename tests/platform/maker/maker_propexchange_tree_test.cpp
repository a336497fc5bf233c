// A tree loaded straight into an exchange must read exactly as the same tree printed and parsed:
// the same values, the same warnings with the same lines, the same refusals.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/toolkit.h"
#include "platform/toolkit/propexchange_tree.h"

namespace {

struct Node {
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> attributes;
    std::vector<Node> children;
};

class NodeTree : public CXTPPropExchangeXMLTree {
public:
    explicit NodeTree(Node root) : root_(std::move(root)) {}
    void Write(Writer& writer) const override { write(root_, writer); }

    // The XML text the tree stands for, written as the layout model writes its elements.
    std::wstring text() const {
        std::wstring out;
        print(root_, 0, out);
        return out;
    }

private:
    static void write(const Node& node, Writer& writer) {
        writer.OpenElement(node.name);
        for (const auto& [name, value] : node.attributes) writer.AddAttribute(name, value);
        for (const auto& child : node.children) write(child, writer);
        writer.CloseElement();
    }
    static std::wstring escaped(const std::wstring& value) {
        std::wstring out;
        for (const wchar_t c : value) {
            if (c == L'&') out += L"&amp;";
            else if (c == L'<') out += L"&lt;";
            else if (c == L'"') out += L"&quot;";
            else if (c < 32) out += L"&#" + std::to_wstring(static_cast<int>(c)) + L";";
            else out += c;
        }
        return out;
    }
    static void print(const Node& node, int depth, std::wstring& out) {
        out += std::wstring(static_cast<std::size_t>(depth) * 2, L' ') + L"<" + node.name;
        for (const auto& [name, value] : node.attributes) out += L" " + name + L"=\"" + escaped(value) + L"\"";
        if (node.children.empty()) {
            out += L" />\n";
            return;
        }
        out += L">\n";
        for (const auto& child : node.children) print(child, depth + 1, out);
        out += std::wstring(static_cast<std::size_t>(depth) * 2, L' ') + L"</" + node.name + L">\n";
    }

    Node root_;
};

struct Read {
    int count = 0, width = 0, deep = 0;
    CString caption;
    std::vector<std::wstring> warnings;
};

Read readLayout(CXTPPropExchangeXMLNode& px) {
    Read read;
    CXTPPropExchangeSection normal(px.GetSection(L"normalLayout"));
    PX_Int(normal.get(), L"count", read.count, -1);
    CXTPPropExchangeEnumeratorPtr bars(normal->GetEnumerator(L"bar"));
    for (POSITION position = bars->GetPosition(); position;) {
        CXTPPropExchange* bar = bars->GetNext(position);
        PX_Int(bar, L"width", read.width, -1);
        CString caption;
        PX_String(bar, L"caption", caption);
        if (read.caption.IsEmpty()) read.caption = caption;  // the first bar's
        CXTPPropExchangeSection inner(bar->GetSection(L"inner"));
        PX_Int(inner.get(), L"deep", read.deep, -1);
    }
    read.warnings = platform::core::journal().texts("warning");
    platform::core::journal().clear();
    return read;
}

Node Layout() {
    Node inner{L"inner", {{L"deep", L"seven"}}, {}};
    Node first{L"bar", {{L"width", L"12"}, {L"caption", L"A & <B> \"C\"\tD\nE"}}, {}};
    Node second{L"bar", {{L"width", L"wide"}}, {inner}};
    Node normal{L"normalLayout", {{L"count", L"2"}}, {first, second}};
    return Node{L"codejock", {}, {normal}};
}

TEST(MakerPropExchangeTree, ATreeReadsAsItsPrintedTextWithTheSameValuesWarningsAndLines) {
    platform::core::journal().clear();
    const NodeTree tree(Layout());
    CXTPPropExchangeXMLNode fromText(TRUE, L"codejock");
    ASSERT_TRUE(fromText.LoadFromString(tree.text(), L"state.xml"));
    const Read expected = readLayout(fromText);
    CXTPPropExchangeXMLNode fromTree(TRUE, L"codejock");
    ASSERT_TRUE(LoadPropExchangeFromTree(fromTree, tree, L"state.xml"));
    const Read actual = readLayout(fromTree);

    EXPECT_EQ(actual.count, 2);
    EXPECT_EQ(actual.caption, expected.caption);
    EXPECT_EQ(actual.caption, L"A & <B> \"C\"\tD\nE");
    EXPECT_EQ(actual.width, -1);  // the second bar's "wide" is no number
    EXPECT_EQ(actual.deep, -1);
    // The warnings name the lines of the printed text: the second bar opens on line 4.
    ASSERT_EQ(actual.warnings.size(), 2u);
    EXPECT_EQ(actual.warnings, expected.warnings);
    EXPECT_EQ(actual.warnings[0].rfind(L"state.xml(4): <bar> width=\"wide\"", 0), 0u) << platform::core::toUtf8(actual.warnings[0]);
    EXPECT_EQ(actual.warnings[1].rfind(L"state.xml(5): <inner> deep=\"seven\"", 0), 0u) << platform::core::toUtf8(actual.warnings[1]);
    EXPECT_EQ(fromTree.SaveToString(), fromText.SaveToString());
}

TEST(MakerPropExchangeTree, TreesTheTextWouldRefuseAreRefusedWithTheTextsWarnings) {
    platform::core::journal().clear();
    CXTPPropExchangeXMLNode otherRoot(TRUE, L"codejock");
    EXPECT_FALSE(LoadPropExchangeFromTree(otherRoot, NodeTree(Node{L"layout", {}, {}}), L"state.xml"));
    EXPECT_TRUE(platform::core::journal().contains("warning", L"state.xml: the root element is <layout>, expected <codejock>"));

    Node deep{L"a", {}, {}};
    for (int i = 0; i < 300; ++i) deep = Node{L"a", {}, {deep}};
    CXTPPropExchangeXMLNode tooDeep(TRUE, L"a");
    EXPECT_FALSE(LoadPropExchangeFromTree(tooDeep, NodeTree(deep), L"state.xml"));
    EXPECT_TRUE(platform::core::journal().contains("warning", L"state.xml(257): elements nested deeper than 256 levels"));

    CXTPPropExchangeXMLNode storing(FALSE, L"codejock");
    EXPECT_FALSE(LoadPropExchangeFromTree(storing, NodeTree(Layout()), L"state.xml"));
}

}  // namespace
