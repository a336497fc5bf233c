#include "platform/mfc/xml_reading.h"

#include <algorithm>

#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/win32/files/file.h"

namespace platform::xml {

int lineAt(std::string_view text, std::ptrdiff_t offset) {
    if (offset < 0 || static_cast<std::size_t>(offset) > text.size()) return 0;
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

pugi::xml_node nestedTooDeep(const pugi::xml_node& root) {
    std::size_t depth = 0;
    pugi::xml_node node = root.first_child();
    if (node) ++depth;
    while (node) {
        if (depth > kMaxXmlDepth && node.type() == pugi::node_element) return node;
        if (pugi::xml_node child = node.first_child()) {
            node = child;
            ++depth;
            continue;
        }
        while (node && !node.next_sibling() && node != root) {
            node = node.parent();
            --depth;
        }
        if (!node || node == root) break;
        node = node.next_sibling();
    }
    return {};
}

std::wstring nestedTooDeepProblem() {
    return L"elements nested deeper than " + std::to_wstring(kMaxXmlDepth) + L" levels";
}

bool readXmlFile(std::wstring_view path, std::string& bytes) {
    const DWORD error = platform::files::readAll(path, bytes);
    if (error == 0) return true;
    platform::core::recordWarning(std::wstring(path) + L": cannot be read (error " + std::to_wstring(error) + L")");
    return false;
}

bool parseXml(pugi::xml_document& dom, std::string_view text, std::wstring_view origin) {
    const auto result = dom.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
    if (result) {
        const pugi::xml_node deep = nestedTooDeep(dom);
        if (!deep) return true;
        platform::core::recordWarning(std::wstring(origin) + L"(" + std::to_wstring(lineAt(text, deep.offset_debug())) +
                                      L"): " + nestedTooDeepProblem());
        dom.reset();
        return false;
    }
    platform::core::recordWarning(std::wstring(origin) + L"(" + std::to_wstring(lineAt(text, result.offset)) +
                                  L"): malformed XML at offset " + std::to_wstring(result.offset) + L": " +
                                  platform::core::fromUtf8(result.description()));
    return false;
}

}  // namespace platform::xml
