#include <map>

#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/diagnostics.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/formfactor/form_factors.h"
#include "platform/win32/files/file.h"

namespace Korvo::XmlDB::FormFactor {

namespace {

class FileFormFactorProvider : public IFormFactorProvider {
public:
    FileFormFactorProvider(const CString& documentPath, std::vector<FormFactorSet> sets)
        : path_(documentPath), sets_(std::move(sets)) {}

    CString GetDocumentPath() const override { return path_; }
    void SetCurrentFormFactor(const CString& name) override { current_ = name; }
    CString GetCurrentFormFactor() const override { return current_; }
    void ForEachVariableValue(const CString& formFactor, const VariableValueCallback& callback) const override {
        for (const FormFactorSet& set : sets_)
            if (set.name == formFactor)
                for (const auto& [name, value] : set.values) callback(name, value);
    }
    std::vector<CString> GetFormFactorNames() const override {
        std::vector<CString> names;
        for (const FormFactorSet& set : sets_) names.push_back(set.name);
        return names;
    }

private:
    CString path_;
    std::vector<FormFactorSet> sets_;
    CString current_;
};

// An open document's form factors: the current one is the document's, kept while the program
// runs (by the document's path, as the kernel keys its instances).
class DocumentFormFactorProvider : public FileFormFactorProvider {
public:
    using FileFormFactorProvider::FileFormFactorProvider;
    void SetCurrentFormFactor(const CString& name) override {
        Current()[Key()] = name;
        platform::core::recordCall(L"FormFactorInstance(" + platform::core::quoted(GetDocumentPath().GetString()) +
                                   L")->SetCurrentFormFactor(" + platform::core::quoted(name.GetString()) + L")");
    }
    CString GetCurrentFormFactor() const override {
        const auto found = Current().find(Key());
        return found == Current().end() ? CString() : found->second;
    }

private:
    static std::map<std::wstring, CString>& Current() {
        static std::map<std::wstring, CString> current;
        return current;
    }
    std::wstring Key() const {
        CString key = GetDocumentPath();
        key.MakeLower();
        return key.GetString();
    }
};

std::vector<FormFactorSet> ReadSets(const CString& documentPath) {
    const CString file = GetFormFactorPathByDocPath(documentPath, true);
    if (file.IsEmpty()) return {};
    std::string bytes;
    if (platform::files::readAll(file.GetString(), bytes) != 0) {
        KVLog_Write(6, (L"Cannot read form factor file " + std::wstring(file.GetString())).c_str());
        return {};
    }
    auto parsed = ParseFormFactors(bytes, file.GetString());
    if (auto* problem = std::get_if<std::wstring>(&parsed)) {
        KVLog_Write(6, (L"Invalid form factor file: " + *problem).c_str());
        return {};
    }
    return std::get<std::vector<FormFactorSet>>(std::move(parsed));
}

}  // namespace

std::shared_ptr<IFormFactorProvider> CreateFormFactorProvider(const CString& documentPath) {
    return std::make_shared<FileFormFactorProvider>(documentPath, ReadSets(documentPath));
}

}  // namespace Korvo::XmlDB::FormFactor

CString GetFormFactorPathByDocPath(const CString& documentPath, bool existing) {
    if (documentPath.IsEmpty()) return CString();
    const CString file = documentPath + L".kff";
    if (!existing) return file;
    const DWORD attributes = GetFileAttributesW(file);
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) ? CString() : file;
}

std::shared_ptr<Korvo::XmlDB::FormFactor::IFormFactorProvider> FormFactorInstance(CKvw32Doc* document) {
    using namespace Korvo::XmlDB::FormFactor;
    if (!document) return nullptr;
    const CString path = document->GetPathName();
    return std::make_shared<DocumentFormFactorProvider>(path, ReadSets(path));
}
