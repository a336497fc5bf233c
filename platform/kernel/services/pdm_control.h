// Control surface of the PDM client stand-in for the harness and tests (never for shell code):
// the files the work mix manages and the calls that fail.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/core/text.h"

class KVPDMItem;
class KVPDMOpenningContext;

namespace platform::kernel {

struct PdmControl {
    struct ManagedFile {
        bool readOnly = false;
        bool nomenclature = false;
        // The item's state: 2 taken for editing, 3 checked in (other numbers: the system's own).
        int state = 3;
        // The item's opening context is empty (the PDM system knows the file, but nothing to open
        // it with).
        bool emptyContext = false;
    };
    bool active = false;
    // The PDM settings' instance key path, and whether connecting succeeds.
    std::wstring instanceKeyPath;
    // The instance the program named when it connected (its settings' key path), while connected.
    std::wstring connectedInstance;
    // The client's product name (empty: the client names none); "GetProductName" in
    // failingCalls makes asking for it throw.
    std::wstring productName = L"Varnel PDM";
    bool connectFails = false;
    // Connection objects alive (made at a connect, released by their holders).
    int connectionsAlive = 0;
    // Managed files by Windows path (case-insensitive).
    std::map<std::wstring, ManagedFile, platform::core::NoCaseLess> files;
    // Work-session files the PDM system hands the program, by Windows path: the session's name
    // and the documents it opens.
    struct WorkSession {
        std::wstring name;
        std::vector<std::wstring> documents;
    };
    std::map<std::wstring, WorkSession, platform::core::NoCaseLess> workSessions;
    // Nomenclature data by Windows path: the documents the file's record names. The work mix's
    // nomenclature source (when it offers one) hands out these records as nomenclature objects.
    std::map<std::wstring, std::vector<std::wstring>, platform::core::NoCaseLess> nomenclature;
    bool nomenclatureSource = true;
    // Files whose nomenclature data the kernel's document manager does not want when it is asked.
    std::set<std::wstring, platform::core::NoCaseLess> nomenclatureNotWanted;
    // Managed folders by Windows path (case-insensitive).
    std::set<std::wstring, platform::core::NoCaseLess> folders;
    // Files the PDM system does not let the program open now.
    std::set<std::wstring, platform::core::NoCaseLess> heldBack;
    // PDM calls that throw ("FindFile", "FindFiles", "FindFolder", "Update", "GetOpeningContext",
    // "GetNomenclatureObject", "LoadRemainingData", "CanOpenFileFromWorkmix", "GetState", "Edit",
    // "Submit", "Revert").
    std::set<std::wstring> failingCalls;

    struct Program {
        std::wstring name;
        std::wstring keyPath;
        std::wstring version;
        std::wstring folder;
    };
    // The machine's installed PDM programs: one by default, as the product's installation leaves it.
    std::vector<Program> installed{{L"Varnel", L"SOFTWARE\\Wow6432Node\\Velmora\\Varnel", L"18.0",
                                    L"C:\\Program Files (x86)\\Velmora\\Varnel"}};
    // What Connect answers (KVPDMWorkMix::kConnected ...).
    int connectResult = 0;
    // The settings profile the integration parameters name.
    std::wstring integrationProfile;
    // Reference controls close without destroying their windows (a faulty PDM client).
    bool referenceControlsLeaveWindows = false;
    // Reference controls alive (made, not yet released).
    int referenceControlsAlive = 0;

    // The work-mix page factory (whether the work mix offers one), and what its pages carry.
    bool pageFactory = true;
    std::wstring pageTitle = L"Work mix";
    bool pageIcon = true;
    // The explorer panes: one PDM object per kind 0 to 6 (false: the kind has none), its name
    // (kinds 1 and 2 caption their panes with it), and whether its explorer has an icon. PDM
    // calls of this part that may fail too: "CreatePage", "GetPageWindow", "GetPageInformation",
    // "GetObjectName", "CreateExplorer", "CloseExplorer", "RefreshExplorer", "PreTranslate".
    bool explorerObjects[7] = {true, true, true, true, true, true, true};
    std::wstring objectNames[7];
    bool explorerIcons = true;
    // PDM handles alive (pages, their information, explorers, commands): a leak shows here.
    int handlesAlive = 0;

    // Documents stored through the add dialog, in order ("AddDialog" in failingCalls refuses).
    struct AddedDocument {
        std::wstring name;
        std::wstring extension;
        std::string content;
    };
    std::vector<AddedDocument> added;
};

PdmControl& pdmControl();

// A new item of the managed file (one reference), with its opening context as `file` says.
KVPDMItem* itemOf(const std::wstring& path, const PdmControl::ManagedFile& file);
// How the journal names a context: its item's path, its nomenclature object, or none.
std::wstring contextText(const KVPDMOpenningContext& context);

}  // namespace platform::kernel
