#include "auxiliary/text_browser_array.h"

#include "auxiliary/text_browsers/metafile_callback.h"
#include "platform/compression.h"
#include "platform/diagnostics.h"
#include "platform/kernel.h"
#include "platform/kernel/ui/spaceball.h"

namespace {

constexpr UINT kModuleNotLoaded = 11660;
constexpr UINT kLargestErrorMessage = 1024;

// The module entries a browser may export, looked up by name at each call.
using BrowseEntry = INT_PTR (*)(void* argument);
using RegisterCallbackEntry = void (*)(CreateEnhMetafileCallbackFunction callback);
using PlainEntry = void (*)();
using SetEditEntry = void (*)(void* edit);

template <class Entry>
Entry FindEntry(HMODULE module, const char* name) {
    FARPROC entry = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(entry));
}

std::unique_ptr<CTextBrowser> ReadBrowser(const kvio::IniFile& ini, const wchar_t* section) {
    auto browser = std::make_unique<CTextBrowser>();
    browser->dll = ini.GetString(section, L"DLL");
    browser->key = static_cast<UINT>(ini.GetInt(section, L"Char", 0));
    if (browser->dll.IsEmpty() || browser->key == 0) return nullptr;
    browser->control = ini.GetInt(section, L"Control", 0) != 0;
    browser->shift = ini.GetInt(section, L"Shift", 0) != 0;
    browser->alt = ini.GetInt(section, L"Alt", 0) != 0;
    browser->modal = ini.GetInt(section, L"Modal", 0) != 0;
    browser->pdm = ini.GetInt(section, L"PDM", 0) != 0;
    browser->standard = ini.GetInt(section, L"Standard", 0) != 0;
    browser->text = ini.GetString(section, L"Text");
    return browser;
}

void ReportBrowserError(CException* e) {
    CString text = L"Text browser error:";
    wchar_t message[kLargestErrorMessage + 1] = {};
    if (e->GetErrorMessage(message, kLargestErrorMessage) && message[0] != L'\0') {
        text += L" ";
        text += message;
    }
    AfxMessageBox(text, MB_ICONERROR);
    e->Delete();
}

// Runs an entry of a browser module: a framework exception is reported (or, `quiet`, only
// deleted), any other one swallowed, so one browser's failure cannot stop the program. False
// when the entry threw.
template <class Call>
bool RunEntry(Call&& call, bool quiet = false) {
    try {
        call();
        return true;
    } catch (CException* e) {
        if (quiet) e->Delete();
        else ReportBrowserError(e);
    } catch (...) {
    }
    return false;
}

}  // namespace

bool CTextBrowser::Load(bool silent) {
    if (module) return !loadFailed;
    if (loadFailed) return false;
    // A bare module name is the program folder's module: never one the current folder offers.
    const bool bare = kvio::FileNamePart(dll.view()).size() == static_cast<std::size_t>(dll.GetLength());
    module = Korvo::Module::loadMfcAndInitialize(bare ? KVAppendProgramPath(dll, 0, true) : dll, 0);
    if (!module) {
        if (!silent) KVMessageBox::Show(KVLoadString(kModuleNotLoaded), MB_OK);
        loadFailed = true;
    }
    // A module's initialisation may switch the kernel's language to its own.
    GlobalContainer::RestoreSessionLanguage();
    return !loadFailed;
}

bool CTextBrowser::Browse(void* argument) {
    if (!Load(false)) return false;
    bool browsed = false;
    if (auto entry = FindEntry<BrowseEntry>(module, "Browse")) browsed = RunEntry([&] { entry(argument); });
    // The module's spelling of the export: an external contract.
    if (auto entry = FindEntry<RegisterCallbackEntry>(module, "RegistrerCreateEnhMetafileCallback"))
        RunEntry([&] { entry(&CreateEnhMetafileCallback); });
    return browsed;
}

CTextBowserArray::~CTextBowserArray() {
    for (const auto& browser : browsers_) {
        if (browser->module) Korvo::Module::shutdownAndUnloadMfc(browser->module);
    }
}

void CTextBowserArray::Load() {
    kvio::IniFile ini;
    if (!ini.Load(KVAppendProgramPath(L"TextBrowsers.ini", 0, true))) return;
    for (const CString& section : ini.GetSectionNames()) {
        std::unique_ptr<CTextBrowser> browser = ReadBrowser(ini, section);
        if (!browser) continue;
        // The last section marked "Standard" is the default.
        if (browser->standard) defaultIndex_ = GetSize();
        browsers_.push_back(std::move(browser));
    }
}

bool CTextBowserArray::Browse(int index, void* argument, LPCWSTR text) {
    CTextBrowser* browser = nullptr;
    if (text && *text) {
        for (const auto& candidate : browsers_) {
            if (candidate->dll.CompareNoCase(text) == 0) {
                browser = candidate.get();
                break;
            }
        }
    } else {
        const int chosen = index < 0 ? defaultIndex_ : index;
        if (chosen >= 0 && chosen < GetSize()) browser = browsers_[static_cast<std::size_t>(chosen)].get();
    }
    if (!browser) return false;
    if (browser->pdm && !KVPDMWorkMix::IsActive()) KVPDMWorkMix::Connect(false, L"");
    return browser->Browse(argument);
}

bool CTextBowserArray::Matches(int index, UINT kernelKey) const {
    const CTextBrowser& browser = GetAt(index);
    const BrowserKey key = KernelKeyToBrowserKey(kernelKey, KVGetControlKeyState());
    return browser.key == key.virtualKey && browser.control == key.control && browser.shift == KVGetShiftKeyState();
}

int CTextBowserArray::FindByKey(UINT kernelKey) const {
    for (int i = 0; i < GetSize(); ++i) {
        if (Matches(i, kernelKey)) return i;
    }
    return -1;
}

void CTextBowserArray::GetMenuTexts(CStringArray& texts) const {
    const bool pdmConnected = KVPDMWorkMix::IsActive();
    for (const auto& browser : browsers_) {
        if (browser->pdm && !pdmConnected) continue;
        CString text = browser->text;
        // The kernel names the key as every menu does; a key it has no name for adds no shortcut.
        const CString keyName = browser->key <= 0xFF ? GetKeyName(static_cast<BYTE>(browser->key), false) : CString();
        if (!keyName.IsEmpty()) {
            text += L"\t";
            if (browser->control) text += L"Ctrl+";
            if (browser->shift) text += L"Shift+";
            if (browser->alt) text += L"Alt+";
            text += keyName;
        }
        texts.Add(text);
    }
}

void CTextBowserArray::InitializeProfileItems() {
    for (const auto& browser : browsers_) {
        if (!browser->Load(true)) continue;
        if (auto entry = FindEntry<PlainEntry>(browser->module, "InitializeProfileItems")) RunEntry(entry, true);
    }
}

void CTextBowserArray::WriteProfile() {
    for (const auto& browser : browsers_) {
        if (!browser->module) continue;
        if (auto entry = FindEntry<PlainEntry>(browser->module, "WriteProfile")) RunEntry(entry);
    }
}

void CTextBowserArray::SetEdit(void* edit) {
    for (const auto& browser : browsers_) {
        if (!browser->module) continue;
        if (auto entry = FindEntry<SetEditEntry>(browser->module, "SetEdit")) RunEntry([&] { entry(edit); });
    }
}
