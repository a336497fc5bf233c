// "application.xml" in the program folder: the application commands in registration order, so a
// command keeps its place across runs and tool bars that name it keep working.
#include <set>

#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"

namespace {

constexpr int kNoKind = -1;
constexpr const wchar_t* kCommandsFile = L"application.xml";
constexpr const wchar_t* kIconSection = L"Icon";

std::unique_ptr<IApplicationCommand> ReadCommand(CXTPPropExchange* section) {
    int kind = kNoKind, internalId = 0, storedId = 0;
    CString idText;
    bool internal = false;
    PX_Int(section, L"Type", kind, kNoKind);
    PX_String(section, L"AppId", idText, L"");
    PX_Int(section, L"InternalID", internalId, 0);
    // The stored id is not used: ids are given anew in file order.
    PX_Int(section, L"CommandID", storedId, 0);
    PX_Bool(section, L"IsInternal", internal, false);
    if (kind == IApplicationCommand::kAddOnCommand)
        return std::make_unique<CKVAppCommand>(idText, CString(), internalId, internal);
    Korvo::UniqueIdentifier key;
    if (kind == IApplicationCommand::kUniqueCommand && Korvo::UniqueIdentifier::TryParse(idText, key))
        return std::make_unique<ApplicationCommand>(internalId, key, CString(), internal);
    return nullptr;
}

// Every control of `controls` and of the bars they open; a bar reached twice is walked once.
void RemapControls(CXTPControls* controls, const std::vector<UINT>& loadedIds, std::set<const CXTPControls*>& seen) {
    if (!controls || !seen.insert(controls).second) return;
    for (int i = 0; i < controls->GetCount(); ++i) {
        CXTPControl* control = controls->GetAt(i);
        if (!control) continue;
        const int id = control->GetID();
        if (id >= static_cast<int>(ApplicationCommands::kFirstId)) {
            const auto index = static_cast<std::size_t>(id) - ApplicationCommands::kFirstId;
            if (index < loadedIds.size() && loadedIds[index] != 0 && loadedIds[index] != static_cast<UINT>(id))
                control->SetID(static_cast<int>(loadedIds[index]));
        }
        if (CXTPCommandBar* bar = control->GetCommandBar()) RemapControls(bar->GetControls(), loadedIds, seen);
    }
}

}  // namespace

void CKvw32App::LoadApplicationCommands(CXTPPropExchangeEnumerator& sections) {
    std::vector<UINT> loadedIds;
    POSITION position = sections.GetPosition();
    while (position) {
        CXTPPropExchange* section = sections.GetNext(position);
        // Every section keeps its slot, so the stored controls after a skipped one still find
        // their own commands.
        UINT id = 0;
        if (std::unique_ptr<IApplicationCommand> command = section ? ReadCommand(section) : nullptr) {
            if (IApplicationCommand* registered = m_applicationCommands.Register(std::move(command), false).command)
                id = registered->GetCommandId();
        }
        if (id != 0) {
            CXTPPropExchangeSection icon(section->GetSection(kIconSection));
            XTPImageManager()->DoPropExchange(id, icon.get());
        }
        loadedIds.push_back(id);
    }
    RemapApplicationCommandIds(loadedIds);
}

void CKvw32App::RemapApplicationCommandIds(const std::vector<UINT>& loadedIds) {
    if (loadedIds.empty()) return;
    for (CMainFrame* frame : GetMainFrames()) {
        CXTPCommandBars* bars = frame->GetCommandBars();
        if (!bars) continue;
        std::set<const CXTPControls*> seen;
        for (int i = 0; i < bars->GetCount(); ++i) {
            if (CXTPToolBar* bar = bars->GetAt(i)) RemapControls(bar->GetControls(), loadedIds, seen);
        }
    }
}

void CKvw32App::SaveApplicationCommands(CXTPPropExchangeEnumerator& sections) const {
    POSITION position = sections.GetPosition(static_cast<DWORD>(m_applicationCommands.GetCount()));
    for (int i = 0; i < m_applicationCommands.GetCount() && position; ++i) {
        const IApplicationCommand& command = *m_applicationCommands.Get(i);
        CXTPPropExchange* section = sections.GetNext(position);
        if (!section) break;
        int kind = command.GetKind(), internalId = command.GetInternalId();
        int id = static_cast<int>(command.GetCommandId());
        CString idText = command.GetIdString();
        bool internal = command.IsInternal();
        PX_Int(section, L"Type", kind, kNoKind);
        PX_String(section, L"AppId", idText, L"");
        PX_Int(section, L"InternalID", internalId, 0);
        PX_Int(section, L"CommandID", id, 0);
        PX_Bool(section, L"IsInternal", internal, false);
        if (XTPImageManager()->GetIconSet(static_cast<UINT>(id))) {
            CXTPPropExchangeSection icon(section->GetSection(kIconSection));
            XTPImageManager()->DoPropExchange(static_cast<UINT>(id), icon.get());
        }
    }
}

IApplicationCommand* CKvw32App::RegisterApplicationCommand(std::unique_ptr<IApplicationCommand> command, bool replace) {
    if (!command || (!replace && m_applicationCommands.FindEqual(*command))) return nullptr;
    return m_applicationCommands.Register(std::move(command), replace).command;
}

void CKvw32App::SaveApplicationCommandsFile() const {
    const CString path = KVAppendProgramPath(kCommandsFile);
    CXTPPropExchangeXMLNode settings(FALSE, L"Settings");
    if (CXTPPropExchangeEnumeratorPtr sections = settings.GetEnumerator(L"ApplicationCommand")) SaveApplicationCommands(*sections);
    // A program folder the user cannot write to keeps the old file; the state is saved all the same.
    if (!settings.SaveToFile(path)) KVLog_WriteF(7, L"Failed to save the application commands to \"%s\"", path.GetString());
}
