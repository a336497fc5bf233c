// The user tools page's buttons: add by kind, edit, delete, run, browse for an icon, export and
// import.
#include <iterator>
#include <memory>

#include "commandbars/usertools/user_tools_bars.h"
#include "commandbars/usertools/user_tools_page.h"
#include "platform/kernel/ui/file_selection.h"
#include "platform/kernel/ui/uimodule.h"
#include "platform/textcore.h"

namespace {

constexpr UINT kNewPrompt = 41699, kCommandFilesFilter = 41700, kIconsFilter = 40728;
constexpr wchar_t kCommandFileExtension[] = L"*.kvcmd";
constexpr wchar_t kCannotWriteFile[] = L"The file \"%s\" cannot be written.";
constexpr DWORD kExchangeFlags = OFN_EXPLORER | OFN_ENABLESIZING;

// The kinds' menu texts in type order (1 to 7).
CString KindText(UINT type) {
    static constexpr UINT kKindStrings[] = {41694, 41695, 41696, 41697, 41698, 41967};
    if (type >= 1 && type <= std::size(kKindStrings)) return KVLoadString(kKindStrings[type - 1]);
    return Korvo::I18n::Translate(L"user_commands.create_document");
}

RECT ScreenRect(CWnd& page, int id) {
    RECT rect{};
    if (CWnd* control = page.GetDlgItem(id)) control->GetWindowRect(&rect);
    return rect;
}

CString CommandFilesFilter() { return KVLoadString(kCommandFilesFilter) + L"|"; }

}  // namespace

void CKVUserToolsPage::OnAdd() {
    const HMENU menu = ::CreatePopupMenu();
    for (UINT type = 1; type <= 7; ++type) ::AppendMenuW(menu, MF_STRING, type, KindText(type));
    const RECT button = ScreenRect(*this, kAdd);
    const auto type = static_cast<UINT>(
        ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN, button.left, button.bottom, 0, GetSafeHwnd(), nullptr));
    ::DestroyMenu(menu);
    std::unique_ptr<CKVUserCommand> command = type ? CKVUserCommand::Create(type) : nullptr;
    if (!command || !command->Edit(this)) return;
    command->Prompt = KVLoadString(kNewPrompt);
    const int row = InsertRow(-1, *command);
    list_.SetCurSel(row);
    ShowFields();
    // Without a free id the command goes, and its row with it: no row may outlive its command.
    if (commands_.AssignCommandId(command) == 0) RemoveRow(row);
    UpdateControls();
}

void CKVUserToolsPage::OnEdit() {
    // The row keeps its text: the kind's fields are not part of what the page edits.
    if (const CKVUserCommand* command = Selected()) commands_.EditCommand(command->ID, this);
}

void CKVUserToolsPage::OnDelete() {
    const CKVUserCommand* command = Selected();
    if (!command) return;
    const UINT id = command->ID;
    const int row = list_.GetCurSel();
    commands_.DeleteCommand(id);
    RemoveRow(row);
    Korvo::UserTools::RemoveControlsEverywhere(static_cast<int>(id));
}

void CKVUserToolsPage::OnRun() {
    const CKVUserCommand* command = Selected();
    if (!command) return;
    const UINT id = command->ID;
    // The page is gone before the command runs: it may open windows of its own.
    EndDialog(IDOK);
    Korvo::UserCommands::ISite* site = Korvo::UserCommands::GetSite();
    if (CWnd* frame = site ? site->GetActiveMainFrameWindow() : nullptr) frame->PostMessage(WM_COMMAND, id, 0);
}

void CKVUserToolsPage::OnBrowse() {
    if (!Selected()) return;
    FileDialogInfo info(true);
    info.extension = L"ico";
    info.filter = KVLoadString(kIconsFilter);
    const RECT button = ScreenRect(*this, kBrowse);
    info.placed = true;
    info.position = POINT{button.left, button.bottom};
    info.alignment = button;
    const CString path = UIModuleProxy::Instance().SelectFile(this, info, UIModuleProxy::kSelectOneFile);
    if (path.IsEmpty()) return;
    SetFieldText(kIconCombo, path);
    SetIcon(path);
}

void CKVUserToolsPage::OnExport() {
    CFileDialog chooser(FALSE, kCommandFileExtension, nullptr, kExchangeFlags, CommandFilesFilter(), this);
    if (chooser.DoModal() != IDOK) return;
    const CString path = chooser.GetPathName();
    if (!commands_.ExportToFile(path))
        KVMessageBox::Show(Korvo::I18n::FormatTranslation(kCannotWriteFile, path), MB_OK | MB_ICONEXCLAMATION);
}

void CKVUserToolsPage::OnImport() {
    CFileDialog chooser(TRUE, kCommandFileExtension, nullptr, kExchangeFlags | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                        CommandFilesFilter(), this);
    if (chooser.DoModal() != IDOK) return;
    // A file that cannot be read, or is no command file, changes nothing and is not reported.
    commands_.ImportFromFile(chooser.GetPathName());
    FillList();
    FillIconCombo();
    ShowFields();
}
