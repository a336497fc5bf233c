#include "platform/kernel/techreq/store.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <sstream>

#include "platform/core/text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/mfc/xml_reading.h"

namespace platform::kernel {

namespace {

using platform::core::fromUtf8;
using platform::core::toUtf8;

std::vector<CString> paragraphsOf(std::string_view text) {
    std::vector<CString> paragraphs;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        paragraphs.emplace_back(fromUtf8(line).c_str());
        start = end + 1;
    }
    while (!paragraphs.empty() && paragraphs.back().IsEmpty()) paragraphs.pop_back();
    return paragraphs;
}

// Whole positive numbers separated by blanks; nothing when a word is no such number.
std::optional<std::vector<unsigned>> numbersOf(std::string_view text) {
    std::vector<unsigned> numbers;
    std::istringstream words{std::string(text)};
    for (std::string word; words >> word;) {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc() || end != word.data() + word.size() || value == 0) return std::nullopt;
        numbers.push_back(value);
    }
    return numbers;
}

// What a model stream says, checked whole before the document takes any of it.
struct ParsedModel {
    GUID guid{};
    std::vector<CString> pages;
    TechRequirementTypesDb types;
    struct Requirement {
        unsigned index = 0;
        std::vector<CString> paragraphs;
        Korvo::UniqueIdentifier type;
        std::vector<unsigned> pages;  // positions from 1
        bool suppressed = false;
        int source = 0;
    };
    std::vector<Requirement> requirements;
    struct Inscription {
        unsigned page = 0;
        std::vector<unsigned> requirements;
    };
    std::vector<Inscription> inscriptions;
};

class ModelReader {
public:
    ModelReader(std::string_view bytes, std::wstring_view origin) : bytes_(bytes), origin_(origin) {}

    const std::wstring& problem() const { return problem_; }

    std::optional<ParsedModel> read() {
        pugi::xml_document dom;
        const pugi::xml_parse_result parsed = dom.load_buffer(bytes_.data(), bytes_.size());
        if (!parsed) return fail(static_cast<std::ptrdiff_t>(parsed.offset), fromUtf8(parsed.description()));
        if (const pugi::xml_node deep = platform::xml::nestedTooDeep(dom))
            return fail(deep.offset_debug(), platform::xml::nestedTooDeepProblem());
        const pugi::xml_node root = dom.document_element();
        if (std::string_view(root.name()) != "document") return fail(root.offset_debug(), L"the root element is not <document>");
        ParsedModel model;
        if (const pugi::xml_attribute id = root.attribute("guid")) {
            Korvo::UniqueIdentifier parsedId;
            if (!Korvo::UniqueIdentifier::TryParse(fromUtf8(id.value()).c_str(), parsedId))
                return fail(root.offset_debug(), L"guid is no identifier");
            model.guid = parsedId.Get();
        }
        for (pugi::xml_node page : root.children("page")) model.pages.emplace_back(fromUtf8(page.attribute("name").value()).c_str());
        for (pugi::xml_node type : root.children("type"))
            if (!readType(type, Korvo::UniqueIdentifier(), model.types)) return std::nullopt;
        for (pugi::xml_node requirement : root.children("requirement"))
            if (!readRequirement(requirement, model)) return std::nullopt;
        for (pugi::xml_node inscription : root.children("inscription"))
            if (!readInscription(inscription, model)) return std::nullopt;
        return model;
    }

private:
    std::nullopt_t fail(std::ptrdiff_t offset, const std::wstring& problem) {
        problem_ = std::wstring(origin_) + L"(" + std::to_wstring(platform::xml::lineAt(bytes_, offset)) + L"): " + problem;
        return std::nullopt;
    }

    bool refuse(std::ptrdiff_t offset, const std::wstring& problem) {
        fail(offset, problem);
        return false;
    }

    bool readType(const pugi::xml_node& node, const Korvo::UniqueIdentifier& parent, TechRequirementTypesDb& types) {
        TechRequirementTypesDb::Type type;
        if (!Korvo::UniqueIdentifier::TryParse(fromUtf8(node.attribute("id").value()).c_str(), type.id)) {
            fail(node.offset_debug(), L"a type without an identifier");
            return false;
        }
        type.name = fromUtf8(node.attribute("name").value()).c_str();
        type.parent = parent;
        type.showHeader = node.attribute("header").as_bool(true);
        type.resetNumeration = node.attribute("reset").as_bool(false);
        if (!types.Add(type)) {
            fail(node.offset_debug(), L"the type " + std::wstring(type.id.ToString().view()) + L" is given twice");
            return false;
        }
        for (pugi::xml_node child : node.children("type"))
            if (!readType(child, type.id, types)) return false;
        return true;
    }

    bool readRequirement(const pugi::xml_node& node, ParsedModel& model) {
        ParsedModel::Requirement requirement;
        const auto index = numbersOf(node.attribute("index").value());
        if (!index || index->size() != 1) return refuse(node.offset_debug(), L"a requirement needs an index (1 or more)");
        requirement.index = index->front();
        for (const auto& other : model.requirements)
            if (other.index == requirement.index)
                return refuse(node.offset_debug(), L"requirement " + std::to_wstring(requirement.index) + L" is given twice");
        if (const pugi::xml_attribute typeId = node.attribute("type");
            typeId && !Korvo::UniqueIdentifier::TryParse(fromUtf8(typeId.value()).c_str(), requirement.type))
            return refuse(node.offset_debug(), L"the requirement's type is no identifier");
        const auto pages = numbersOf(node.attribute("pages").value());
        if (!pages) return refuse(node.offset_debug(), L"pages must be page numbers (1, 2, ...)");
        for (unsigned position : *pages)
            if (position > model.pages.size())
                return refuse(node.offset_debug(), L"the document has no page " + std::to_wstring(position));
        requirement.pages = *pages;
        requirement.source = node.attribute("source").as_int(0);
        if (requirement.source != 0 && requirement.source != 1) return refuse(node.offset_debug(), L"source must be 0 or 1");
        requirement.suppressed = node.attribute("suppressed").as_bool(false);
        requirement.paragraphs = paragraphsOf(node.child_value());
        model.requirements.push_back(std::move(requirement));
        return true;
    }

    bool readInscription(const pugi::xml_node& node, ParsedModel& model) {
        const auto page = numbersOf(node.attribute("page").value());
        if (!page || page->size() != 1 || page->front() > model.pages.size())
            return refuse(node.offset_debug(), L"an inscription needs a page of the document");
        const auto indexes = numbersOf(node.attribute("requirements").value());
        if (!indexes) return refuse(node.offset_debug(), L"requirements must be requirement indexes");
        model.inscriptions.push_back({page->front(), *indexes});
        return true;
    }

    std::string_view bytes_;
    std::wstring_view origin_;
    std::wstring problem_;
};

}  // namespace

// ---- The store --------------------------------------------------------------------------------

std::vector<TechRequirement*> TechRequirementStore::Ordered() const {
    std::vector<TechRequirement*> ordered;
    ordered.reserve(requirements_.size());
    for (const auto& requirement : requirements_) ordered.push_back(requirement.get());
    return ordered;
}

TechRequirement* TechRequirementStore::Find(unsigned index) const {
    for (const auto& requirement : requirements_)
        if (requirement->index_ == index) return requirement.get();
    return nullptr;
}

TechRequirement* TechRequirementStore::Add(Rich::Document text, const Korvo::UniqueIdentifier& type,
                                           std::vector<int> pages, bool suppressed, int source) {
    return AddWithIndex(nextIndex_, std::move(text), type, std::move(pages), suppressed, source);
}

TechRequirement* TechRequirementStore::AddWithIndex(unsigned index, Rich::Document text, const Korvo::UniqueIdentifier& type,
                                                    std::vector<int> pages, bool suppressed, int source) {
    auto requirement = std::make_unique<TechRequirement>();
    requirement->store_ = this;
    requirement->index_ = index;
    nextIndex_ = std::max(nextIndex_, index + 1);
    requirement->text_ = std::make_unique<TechReqTextData>(std::move(text));
    requirement->type_ = type;
    requirement->pages_ = std::move(pages);
    requirement->suppressed_ = suppressed;
    requirement->source_ = source;
    requirements_.push_back(std::move(requirement));
    return requirements_.back().get();
}

bool TechRequirementStore::Remove(unsigned index) {
    const auto it = std::find_if(requirements_.begin(), requirements_.end(),
                                 [index](const auto& requirement) { return requirement->index_ == index; });
    if (it == requirements_.end()) return false;
    requirements_.erase(it);
    for (INSCR& inscription : inscriptions_) {
        std::vector<TechReqLink> kept;
        for (const TechReqLink& link : inscription.GetTechNotesLinks())
            if (link.ReqIndex() != index) kept.push_back(link);
        inscription = INSCR(inscription.GetPage(), std::move(kept));
    }
    return true;
}

void TechRequirementStore::Swap(TechRequirement* first, TechRequirement* second) {
    auto find = [this](TechRequirement* wanted) {
        return std::find_if(requirements_.begin(), requirements_.end(),
                            [wanted](const auto& requirement) { return requirement.get() == wanted; });
    };
    const auto a = find(first);
    const auto b = find(second);
    if (a != requirements_.end() && b != requirements_.end()) std::iter_swap(a, b);
}

// ---- The model stream ---------------------------------------------------------------------------

bool ReadModelStream(std::string_view bytes, std::wstring_view origin, CKvw32Doc& document, std::wstring& problem) {
    ModelReader reader(bytes, origin);
    std::optional<ParsedModel> model = reader.read();
    if (!model) {
        problem = reader.problem();
        return false;
    }
    KVDocument& part = *document.Cont2D();
    std::vector<int> pageIds;
    for (const CString& name : model->pages) pageIds.push_back(part.AddPage(name));
    TechRequirementStore& store = part.TechRequirements();
    store.Types() = model->types;
    for (auto& requirement : model->requirements) {
        std::vector<int> pages;
        for (unsigned position : requirement.pages) pages.push_back(pageIds[position - 1]);
        store.AddWithIndex(requirement.index, Rich::Document(std::move(requirement.paragraphs)), requirement.type,
                           std::move(pages), requirement.suppressed, requirement.source);
    }
    for (const auto& inscription : model->inscriptions) {
        std::vector<TechReqLink> links;
        for (unsigned index : inscription.requirements) links.emplace_back(index, pageIds[inscription.page - 1]);
        store.AddInscription(INSCR(pageIds[inscription.page - 1], std::move(links)));
    }
    document.SetGuid(model->guid);
    return true;
}

std::string WriteModelStream(const CKvw32Doc& document) {
    const KVDocument& part = *document.Cont2D();
    TechRequirementStore& store = part.TechRequirements();
    pugi::xml_document dom;
    pugi::xml_node root = dom.append_child("document");
    root.append_attribute("guid") = toUtf8(Korvo::UniqueIdentifier(document.GetGuid()).ToString().view()).c_str();
    const std::vector<int>& pageIds = part.GetPageIds();
    auto positionOf = [&pageIds](int page) {
        return static_cast<unsigned>(std::find(pageIds.begin(), pageIds.end(), page) - pageIds.begin()) + 1;
    };
    auto positions = [&](const std::vector<int>& pages) {
        std::string text;
        for (int page : pages) {
            if (!text.empty()) text += ' ';
            text += std::to_string(positionOf(page));
        }
        return text;
    };
    for (int page : pageIds) root.append_child("page").append_attribute("name") = toUtf8(part.GetSafePage(page)->GetName().view()).c_str();
    // Types are written below their parents, which the database keeps before them.
    std::map<std::wstring, pugi::xml_node> typeNodes;
    for (const TechRequirementTypesDb::Type& type : store.Types().GetTypes()) {
        const auto parent = typeNodes.find(std::wstring(type.parent.ToString().view()));
        pugi::xml_node node = (parent == typeNodes.end() ? root : parent->second).append_child("type");
        node.append_attribute("id") = toUtf8(type.id.ToString().view()).c_str();
        node.append_attribute("name") = toUtf8(type.name.view()).c_str();
        if (!type.showHeader) node.append_attribute("header") = false;
        if (type.resetNumeration) node.append_attribute("reset") = true;
        typeNodes[std::wstring(type.id.ToString().view())] = node;
    }
    for (TechRequirement* requirement : store.Ordered()) {
        TechRequirement::Properties properties(requirement);
        pugi::xml_node node = root.append_child("requirement");
        node.append_attribute("index") = properties.GetReqIndex();
        if (properties.GetTechTypeId() != Korvo::UniqueIdentifier())
            node.append_attribute("type") = toUtf8(properties.GetTechTypeId().ToString().view()).c_str();
        if (properties.GetSourceType() != 0) node.append_attribute("source") = properties.GetSourceType();
        if (properties.IsSuppressed()) node.append_attribute("suppressed") = true;
        std::vector<int> pages;
        for (int page : pageIds)
            if (properties.IsOnPage(page)) pages.push_back(page);
        if (!pages.empty()) node.append_attribute("pages") = positions(pages).c_str();
        node.text() = toUtf8(properties.GetTextData()->GetRichText().GetText().view()).c_str();
    }
    for (const INSCR& inscription : store.Inscriptions()) {
        pugi::xml_node node = root.append_child("inscription");
        node.append_attribute("page") = positionOf(inscription.GetPage());
        std::string indexes;
        for (const TechReqLink& link : inscription.GetTechNotesLinks()) {
            if (!indexes.empty()) indexes += ' ';
            indexes += std::to_string(link.ReqIndex());
        }
        node.append_attribute("requirements") = indexes.c_str();
    }
    std::ostringstream out;
    dom.save(out, "  ");
    return out.str();
}

GUID guidOfText(std::wstring_view text) {
    const std::string bytes = toUtf8(text);
    auto hash = [&bytes](std::uint64_t seed) {
        std::uint64_t value = seed;
        for (unsigned char c : bytes) value = (value ^ c) * 0x100000001b3ull;
        return value;
    };
    const std::uint64_t high = hash(0xcbf29ce484222325ull);
    const std::uint64_t low = hash(high);
    GUID guid{};
    guid.Data1 = static_cast<std::uint32_t>(high >> 32);
    guid.Data2 = static_cast<std::uint16_t>(high >> 16);
    guid.Data3 = static_cast<std::uint16_t>(high);
    for (int i = 0; i < 8; ++i) guid.Data4[i] = static_cast<std::uint8_t>(low >> (56 - 8 * i));
    return guid;
}

}  // namespace platform::kernel
