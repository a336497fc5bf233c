// The harness acting as the kernel's own work around saving (the `model` verb tries these after
// the parameter and requirement operations): saves that lose geometry, windows closed during a
// save, read-only documents, the PDM connection and nomenclature records.
#include <stdexcept>

#include "platform/harness.h"
#include "platform/harness/argument_reader.h"
#include "platform/kernel.h"
#include "platform/kernel/documents/saving_control.h"
#include "platform/kernel/services/pdm_control.h"

namespace platform::harness {

namespace {

using platform::core::toUtf8;

class SaveArguments : public ArgumentReader {
public:
    using ArgumentReader::ArgumentReader;

    int integer() {
        const std::wstring& text = next();
        try {
            std::size_t used = 0;
            const int value = std::stoi(text, &used, 0);
            if (used == text.size()) return value;
        } catch (const std::exception&) {
        }
        throw bad(toUtf8(text) + " is not a whole number");
    }
    CKvw32Doc* document() {
        const int index = integer();
        const auto documents = Korvo::DocumentManager::Instance().GetDocuments();
        if (index < 1 || index > static_cast<int>(documents.size())) throw bad("no open document " + std::to_string(index));
        return documents[static_cast<std::size_t>(index - 1)];
    }
    bool flag() {
        const int value = integer();
        if (value != 0 && value != 1) throw bad(std::to_string(value) + " is neither 0 nor 1");
        return value == 1;
    }
};

std::wstring path(CKvw32Doc* document) { return std::wstring(document->GetPathName().view()); }

struct SaveOperation {
    const wchar_t* name;
    const wchar_t* arguments;
    std::wstring (*run)(Kernel&, SaveArguments&);
};

const std::wstring kDone = L"done";

constexpr SaveOperation kOperations[] = {
    // Every save of the document from now on fails to store the regenerated geometry.
    {L"FailGeometrySave", L"DOCUMENT", [](Kernel&, SaveArguments& a) {
         platform::kernel::savingControl().geometryFaults.insert(path(a.document()));
         return kDone;
     }},
    // The user closes every window of the document while its next save runs.
    {L"CloseWindowsDuringSave", L"DOCUMENT", [](Kernel&, SaveArguments& a) {
         platform::kernel::savingControl().closeWindowsDuringSave.insert(path(a.document()));
         return kDone;
     }},
    {L"SetReadOnly", L"DOCUMENT 0|1", [](Kernel& k, SaveArguments& a) {
         CKvw32Doc* document = a.document();
         k.setReadOnly(document, a.flag());
         return kDone;
     }},
    // The program works inside the PDM system (1) or not (0).
    {L"SetPdmActive", L"0|1", [](Kernel& k, SaveArguments& a) {
         k.setPdmConnected(a.flag());
         return kDone;
     }},
    // The PDM system manages the document's file: taken for editing by this user (1) or not (0).
    {L"ManageInPdm", L"DOCUMENT 0|1", [](Kernel& k, SaveArguments& a) {
         CKvw32Doc* document = a.document();
         const bool taken = a.flag();
         k.pdmManageFile(path(document), document->IsReadOnly(), true);
         k.pdmSetItemState(path(document), taken ? 2 : 3);
         return kDone;
     }},
    // The document carries nomenclature data kept in step with the record of its own file, which
    // holds the records of the files PATH ... (records are one per file, so trees may join or
    // lead back).
    {L"BindNomenclature", L"DOCUMENT \"PATH\" ...", [](Kernel&, SaveArguments& a) {
         CKvw32Doc* document = a.document();
         KVPDMNomenclatureRecord* record = platform::kernel::nomenclatureRecord(document->GetPathName());
         while (a.more()) record->AddChild(platform::kernel::nomenclatureRecord(CString(a.text().c_str())));
         document->SetNomenclature(true, true, record);
         return kDone;
     }},
    // How the document refers to the PDM work mix (2: as a product of its structures).
    {L"SetWorkMixReference", L"DOCUMENT N", [](Kernel&, SaveArguments& a) {
         CKvw32Doc* document = a.document();
         document->SetWorkMixReference(a.integer());
         return kDone;
     }},
};

}  // namespace

bool Kernel::saveWork(std::wstring_view operation, const std::vector<std::wstring>& arguments, std::wstring& answer) {
    for (const SaveOperation& candidate : kOperations) {
        if (operation != candidate.name) continue;
        SaveArguments read(operation, arguments);
        answer = candidate.run(*this, read);
        read.finish();
        postWorkMessage();
        return true;
    }
    return false;
}

std::vector<std::wstring> Kernel::saveOperations() {
    std::vector<std::wstring> names;
    for (const SaveOperation& operation : kOperations)
        names.push_back(*operation.arguments ? std::wstring(operation.name) + L" " + operation.arguments : operation.name);
    return names;
}

}  // namespace platform::harness
