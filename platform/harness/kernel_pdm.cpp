#include <stdexcept>

#include "platform/harness.h"
#include "platform/harness/argument_reader.h"
#include "platform/kernel.h"
#include "platform/kernel/services/pdm_control.h"
#include "platform/kernel/services/pdm_system.h"

namespace platform::harness {

namespace {

struct PdmOperation {
    const wchar_t* name;
    const wchar_t* arguments;
    std::wstring (*run)(ArgumentReader&);
};

constexpr PdmOperation kPdmOperations[] = {
    // The user connects inside the PDM system; its integration parameters name PROFILE or none.
    {L"ConnectPdm", L"[\"PROFILE\"]", [](ArgumentReader& a) {
         platform::kernel::pdmControl().integrationProfile = a.more() ? a.text() : std::wstring();
         a.finish();
         return std::to_wstring(KVPDMWorkMix::Connect(false, L""));
     }},
    // The PDM system answers its version as VERSION ("MAJOR.MINOR").
    {L"SetPdmVersion", L"\"VERSION\"", [](ArgumentReader& a) {
         platform::kernel::pdmSystemVersion() = a.text();
         a.finish();
         return std::wstring(L"done");
     }},
    // The PDM client names its product NAME (empty: it names none).
    {L"SetPdmProductName", L"\"NAME\"", [](ArgumentReader& a) {
         platform::kernel::pdmControl().productName = a.text();
         a.finish();
         return std::wstring(L"done");
     }},
    // The PDM system hands over "PATH" as work session "NAME", which opens the documents DOC.
    {L"SetPdmWorkSession", L"\"PATH\" \"NAME\" [\"DOC\" ...]", [](ArgumentReader& a) {
         const std::wstring path = a.text();
         const std::wstring name = a.text();
         std::vector<std::wstring> documents;
         while (a.more()) documents.push_back(a.text());
         platform::kernel::pdmControl().workSessions[path] = {name, std::move(documents)};
         return std::wstring(L"done");
     }},
    // The PDM system hands over "PATH" with nomenclature data naming the documents DOC.
    {L"SetPdmNomenclature", L"\"PATH\" [\"DOC\" ...]", [](ArgumentReader& a) {
         const std::wstring path = a.text();
         std::vector<std::wstring> documents;
         while (a.more()) documents.push_back(a.text());
         platform::kernel::pdmControl().nomenclature[path] = std::move(documents);
         return std::wstring(L"done");
     }},
    // The PDM system manages the file at "PATH": its item's context is read-only, can hold
    // nomenclature data, or is empty (the system knows the file, but nothing to open it with).
    {L"ManagePdmFile", L"\"PATH\" [read-only] [nomenclature] [no-context]", [](ArgumentReader& a) {
         const std::wstring path = a.text();
         platform::kernel::PdmControl::ManagedFile file;
         while (a.more()) {
             const std::wstring word = a.text();
             if (word == L"read-only") {
                 file.readOnly = true;
             } else if (word == L"nomenclature") {
                 file.nomenclature = true;
             } else if (word == L"no-context") {
                 file.emptyContext = true;
             } else {
                 throw std::invalid_argument("ManagePdmFile: read-only, nomenclature or no-context expected, not " +
                                             platform::core::toUtf8(word));
             }
         }
         platform::kernel::pdmControl().files[path] = file;
         return std::wstring(L"done");
     }},
    // Whether the work mix offers a nomenclature source (it does at first).
    {L"SetPdmNomenclatureSource", L"0|1", [](ArgumentReader& a) {
         const std::wstring value = a.text();
         a.finish();
         if (value != L"0" && value != L"1") throw std::invalid_argument("SetPdmNomenclatureSource: 0 or 1 expected");
         platform::kernel::pdmControl().nomenclatureSource = value == L"1";
         return std::wstring(L"done");
     }},
    // Whether the kernel's document manager wants the nomenclature data of "PATH" when asked (it
    // does at first).
    {L"SetPdmNomenclatureWanted", L"\"PATH\" 0|1", [](ArgumentReader& a) {
         const std::wstring path = a.text();
         const std::wstring value = a.text();
         a.finish();
         if (value != L"0" && value != L"1") throw std::invalid_argument("SetPdmNomenclatureWanted: 0 or 1 expected");
         auto& notWanted = platform::kernel::pdmControl().nomenclatureNotWanted;
         if (value == L"1") {
             notWanted.erase(path);
         } else {
             notWanted.insert(path);
         }
         return std::wstring(L"done");
     }},
    {L"DisconnectPdm", L"", [](ArgumentReader& a) {
         a.finish();
         KVPDMWorkMix::Disconnect();
         return std::wstring(L"done");
     }},
};

}  // namespace

void Kernel::setPdmConnected(bool connected) { KVPDMWorkMix::SetActive(connected); }

void Kernel::pdmManageFile(std::wstring_view windowsPath, bool readOnly, bool nomenclature) {
    platform::kernel::pdmControl().files[std::wstring(windowsPath)] = {readOnly, nomenclature};
}

void Kernel::pdmSetItemState(std::wstring_view windowsPath, int state) {
    platform::kernel::pdmControl().files[std::wstring(windowsPath)].state = state;
}

void Kernel::pdmManageFolder(std::wstring_view windowsPath) {
    platform::kernel::pdmControl().folders.insert(std::wstring(windowsPath));
}

void Kernel::pdmHoldBack(std::wstring_view windowsPath) {
    platform::kernel::pdmControl().heldBack.insert(std::wstring(windowsPath));
}

void Kernel::pdmFailCall(std::wstring_view call) { platform::kernel::pdmControl().failingCalls.insert(std::wstring(call)); }

void Kernel::pdmSetInstalledPrograms(std::vector<PdmProgram> programs) {
    auto& installed = platform::kernel::pdmControl().installed;
    installed.clear();
    for (PdmProgram& program : programs)
        installed.push_back({std::move(program.name), std::move(program.keyPath), std::move(program.version), std::move(program.folder)});
}

void Kernel::pdmSetConnectResult(int result) { platform::kernel::pdmControl().connectResult = result; }

void Kernel::pdmSetIntegrationProfile(std::wstring_view profile) {
    platform::kernel::pdmControl().integrationProfile = std::wstring(profile);
}

bool Kernel::pdmWork(std::wstring_view operation, const std::vector<std::wstring>& arguments, std::wstring& answer) {
    for (const PdmOperation& candidate : kPdmOperations) {
        if (operation != candidate.name) continue;
        ArgumentReader read(operation, arguments);
        answer = candidate.run(read);
        postWorkMessage();
        return true;
    }
    return false;
}

std::vector<std::wstring> Kernel::pdmOperations() {
    std::vector<std::wstring> names;
    for (const PdmOperation& operation : kPdmOperations)
        names.push_back(*operation.arguments ? std::wstring(operation.name) + L" " + operation.arguments : operation.name);
    return names;
}

}  // namespace platform::harness
