// The configuration file of the stand-in: a small XML file.
//
//   <configuration id="..." name="..." author="..." company="..." comment="...">
//     <group id="..." name="..." excluded="true"> ... groups and libraries ... </group>
//     <library id="..." name="..." path="..."><excluded-document name="a.grb"/></library>
//   </configuration>
#include <pugixml.hpp>

#include <algorithm>
#include <sstream>
#include <unordered_set>

#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/kernel/documentsmenu/model.h"
#include "platform/textcore.h"
#include "platform/mfc/xml_reading.h"
#include "platform/win32/files/file.h"

namespace platform::kernel::documentsmenu {

namespace {

using platform::core::fromUtf8;
using platform::core::toUtf8;

constexpr const char* kRoot = "configuration";
constexpr const char* kGroup = "group";
constexpr const char* kLibrary = "library";
constexpr const char* kExcludedDocument = "excluded-document";

class Reader {
public:
    Reader(std::wstring_view path, const std::string& bytes) : path_(path), bytes_(bytes) {}

    // The problem of the first bad spot, as "<file>(<line>): <problem>".
    const std::wstring& error() const { return error_; }

    std::optional<StoredGroup> read() {
        pugi::xml_document document;
        const pugi::xml_parse_result parsed = document.load_buffer(bytes_.data(), bytes_.size());
        if (!parsed) {
            fail(static_cast<std::ptrdiff_t>(parsed.offset), fromUtf8(parsed.description()));
            return std::nullopt;
        }
        // Groups are read, kept and written again recursively: nesting is bounded first.
        if (const pugi::xml_node deep = platform::xml::nestedTooDeep(document)) {
            fail(deep.offset_debug(), platform::xml::nestedTooDeepProblem());
            return std::nullopt;
        }
        const pugi::xml_node root = document.document_element();
        if (std::string_view(root.name()) != kRoot) {
            fail(root.offset_debug(), L"the root element is not <configuration>");
            return std::nullopt;
        }
        StoredGroup configuration;
        if (!readId(root, configuration.id) || !readProperties(root, configuration.properties) ||
            !readChildren(root, configuration)) {
            return std::nullopt;
        }
        return configuration;
    }

private:
    void fail(std::ptrdiff_t offset, std::wstring problem) {
        if (!error_.empty()) return;
        const auto end =
            bytes_.begin() + std::clamp<std::ptrdiff_t>(offset, 0, static_cast<std::ptrdiff_t>(bytes_.size()));
        const auto line = 1 + std::count(bytes_.begin(), end, '\n');
        error_ = path_ + L"(" + std::to_wstring(line) + L"): " + problem;
    }

    bool readProperties(const pugi::xml_node& node, Properties& properties) {
        for (const pugi::xml_attribute& attribute : node.attributes()) {
            const std::string_view name = attribute.name();
            if (name == "name") {
                properties.name = CString(fromUtf8(attribute.value()));
            } else if (name == "author") {
                properties.author = CString(fromUtf8(attribute.value()));
            } else if (name == "company") {
                properties.company = CString(fromUtf8(attribute.value()));
            } else if (name == "comment") {
                properties.comment = CString(fromUtf8(attribute.value()));
            } else if (name != "id" && name != "excluded" && name != "path") {
                fail(node.offset_debug(), L"unknown attribute \"" + fromUtf8(name) + L"\"");
                return false;
            }
        }
        return true;
    }

    bool readId(const pugi::xml_node& node, GUID& id) {
        const pugi::xml_attribute attribute = node.attribute("id");
        if (!attribute) return true;  // a new id is made
        Korvo::UniqueIdentifier parsed;
        if (!Korvo::UniqueIdentifier::TryParse(fromUtf8(attribute.value()).c_str(), parsed)) {
            fail(node.offset_debug(), L"bad id \"" + fromUtf8(attribute.value()) + L"\"");
            return false;
        }
        id = parsed.Get();
        return true;
    }

    bool readExcluded(const pugi::xml_node& node, bool& excluded) {
        const pugi::xml_attribute attribute = node.attribute("excluded");
        if (!attribute) return true;
        const std::string_view value = attribute.value();
        if (value != "true" && value != "false") {
            fail(node.offset_debug(), L"excluded must be true or false");
            return false;
        }
        excluded = value == "true";
        return true;
    }

    bool readChildren(const pugi::xml_node& node, StoredGroup& group) {
        for (const pugi::xml_node& child : node.children()) {
            if (child.type() != pugi::node_element) continue;
            const std::string_view name = child.name();
            if (name == kGroup) {
                group.order.push_back(true);
                StoredGroup& sub = group.groups.emplace_back();
                if (!readId(child, sub.id) || !readExcluded(child, sub.excluded) ||
                    !readProperties(child, sub.properties) || !readChildren(child, sub)) {
                    return false;
                }
            } else if (name == kLibrary) {
                group.order.push_back(false);
                StoredLibrary& library = group.libraries.emplace_back();
                if (!readLibrary(child, library)) return false;
            } else {
                fail(child.offset_debug(), L"unknown element <" + fromUtf8(name) + L">");
                return false;
            }
        }
        return true;
    }

    bool readLibrary(const pugi::xml_node& node, StoredLibrary& library) {
        if (!readId(node, library.id) || !readExcluded(node, library.excluded) ||
            !readProperties(node, library.properties)) {
            return false;
        }
        library.path = CString(fromUtf8(node.attribute("path").value()));
        for (const pugi::xml_node& child : node.children()) {
            if (child.type() != pugi::node_element) continue;
            const std::string_view file = child.attribute("name").value();
            if (std::string_view(child.name()) != kExcludedDocument || file.empty()) {
                fail(child.offset_debug(), L"a library holds only <excluded-document name=\"...\"/> elements");
                return false;
            }
            library.excludedDocuments.push_back(fromUtf8(file));
        }
        return true;
    }

    std::wstring path_;
    const std::string& bytes_;
    std::wstring error_;
};

void writeProperties(pugi::xml_node& node, const Properties& properties) {
    node.append_attribute("name") = toUtf8(properties.name.view()).c_str();
    if (!properties.author.IsEmpty()) node.append_attribute("author") = toUtf8(properties.author.view()).c_str();
    if (!properties.company.IsEmpty()) node.append_attribute("company") = toUtf8(properties.company.view()).c_str();
    if (!properties.comment.IsEmpty()) node.append_attribute("comment") = toUtf8(properties.comment.view()).c_str();
}

void writeId(pugi::xml_node& node, const GUID& id) {
    node.append_attribute("id") = toUtf8(Korvo::UniqueIdentifier(id).ToString().view()).c_str();
}

void writeChildren(pugi::xml_node& node, const Group& group) {
    // In the order the children came, groups and libraries mixed.
    const std::unordered_set<const void*> groups(group.groups().begin(), group.groups().end());
    for (const void* child : group.childOrder()) {
        if (groups.contains(child)) {
            const Group* sub = static_cast<const Group*>(child);
            pugi::xml_node element = node.append_child(kGroup);
            writeId(element, sub->GetId());
            writeProperties(element, sub->properties());
            if (sub->IsExcluded()) element.append_attribute("excluded") = "true";
            writeChildren(element, *sub);
            continue;
        }
        const Library* library = static_cast<const Library*>(child);
        pugi::xml_node element = node.append_child(kLibrary);
        writeId(element, library->GetId());
        writeProperties(element, library->properties());
        element.append_attribute("path") = toUtf8(library->GetPath().view()).c_str();
        if (library->IsExcluded()) element.append_attribute("excluded") = "true";
        for (const std::wstring& document : library->excludedDocuments()) {
            element.append_child(kExcludedDocument).append_attribute("name") = toUtf8(document).c_str();
        }
    }
}

}  // namespace

std::optional<StoredGroup> parseConfigurationText(const std::string& bytes, std::wstring_view origin,
                                                  std::wstring& error) {
    Reader reader(origin, bytes);
    std::optional<StoredGroup> result = reader.read();
    error = result ? std::wstring() : reader.error();
    return result;
}

std::optional<StoredGroup> readConfigurationFile(std::wstring_view path) {
    std::string bytes;
    if (const DWORD error = platform::files::readAll(path, bytes); error != 0) {
        platform::core::recordWarning(std::wstring(path) + L": cannot read the configuration file (error " +
                                      std::to_wstring(error) + L")");
        return std::nullopt;
    }
    std::wstring error;
    std::optional<StoredGroup> result = parseConfigurationText(bytes, path, error);
    if (!result) platform::core::recordWarning(error);
    return result;
}

bool writeConfigurationFile(const Configuration& configuration, std::wstring_view path) {
    pugi::xml_document document;
    pugi::xml_node root = document.append_child(kRoot);
    writeId(root, configuration.GetId());
    writeProperties(root, configuration.properties());
    writeChildren(root, configuration);
    std::ostringstream text;
    document.save(text, "  ", pugi::format_default, pugi::encoding_utf8);
    if (const DWORD error = platform::files::writeAllAtomic(path, text.str()); error != 0) {
        platform::core::recordWarning(std::wstring(path) + L": cannot write the configuration file (error " +
                                      std::to_wstring(error) + L")");
        return false;
    }
    return true;
}

}  // namespace platform::kernel::documentsmenu
