#include "auxiliary/text_browser_array.h"

#include "platform/compression.h"
#include "platform/diagnostics.h"

namespace {

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
    wchar_t message[1025] = {};
    if (e->GetErrorMessage(message, 1024) && message[0] != L'\0') {
        text += L" ";
        text += message;
    }
    AfxMessageBox(text, MB_ICONERROR);
    e->Delete();
}

// Runs an entry of a browser module, reporting the framework exceptions it throws.
template <class Call>
void RunEntry(Call&& call) {
    try {
        call();
    } catch (CException* e) {
        ReportBrowserError(e);
    } catch (...) {
        // A browser's own failure must not stop the others.
    }
}

CString KeyName(UINT key) {
    if ((key >= L'0' && key <= L'9') || (key >= L'A' && key <= L'Z')) return CString(static_cast<wchar_t>(key), 1);
    if (key >= 0x70 && key <= 0x87) {  // F1 .. F24
        CString name;
        name.Format(L"F%u", key - 0x6F);
        return name;
    }
    CString name;
    name.Format(L"#%u", key);
    return name;
}

}  // namespace

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

void CTextBowserArray::WriteProfile() {
    for (const auto& browser : browsers_) {
        if (!browser->module) continue;
        FARPROC entry = GetProcAddress(browser->module, "WriteProfile");
        if (!entry) continue;
        try {
            entry();
        } catch (CException* e) {
            ReportBrowserError(e);
        } catch (...) {
            // A browser's own failure must not stop the others from saving.
        }
    }
}

bool CTextBowserArray::EnsureLoaded(CTextBrowser& browser) {
    if (browser.module) return true;
    if (browser.loadFailed) return false;
    browser.module = Korvo::Module::loadMfcAndInitialize(browser.dll);
    browser.loadFailed = browser.module == nullptr;
    return !browser.loadFailed;
}

int CTextBowserArray::Browse(int index, LPCWSTR text, bool edit) {
    CTextBrowser* browser = nullptr;
    if (!text || !*text) {
        const int chosen = index < 0 ? defaultIndex_ : index;
        if (chosen < GetSize()) browser = browsers_[static_cast<std::size_t>(chosen)].get();
    } else {
        for (const auto& candidate : browsers_) {
            if (candidate->dll.CompareNoCase(text) == 0) {
                browser = candidate.get();
                break;
            }
        }
    }
    if (!browser || !EnsureLoaded(*browser)) return -1;
    FARPROC entry = GetProcAddress(browser->module, "Browse");
    if (!entry) return -1;
    int result = -1;
    RunEntry([&] { result = reinterpret_cast<BrowseEntry>(reinterpret_cast<void (*)()>(entry))(text, edit ? TRUE : FALSE); });
    return result;
}

int CTextBowserArray::FindByKey(UINT key, UINT modifiers) const {
    for (int i = 0; i < GetSize(); ++i) {
        const CTextBrowser& browser = GetAt(i);
        const UINT held = (browser.alt ? kBrowserKeyAlt : 0) | (browser.control ? kBrowserKeyControl : 0) |
                          (browser.shift ? kBrowserKeyShift : 0);
        if (browser.key == key && held == modifiers) return i;
    }
    return -1;
}

void CTextBowserArray::GetMenuTexts(CStringArray& texts, bool pdmConnected) const {
    for (const auto& browser : browsers_) {
        if (browser->pdm && !pdmConnected) continue;
        CString text = browser->text + L"\t";
        if (browser->control) text += L"Ctrl+";
        if (browser->shift) text += L"Shift+";
        if (browser->alt) text += L"Alt+";
        text += KeyName(browser->key);
        texts.Add(text);
    }
}

void CTextBowserArray::SetEdit(bool edit) {
    for (const auto& browser : browsers_) {
        if (!browser->module) continue;
        if (FARPROC entry = GetProcAddress(browser->module, "SetEdit")) {
            RunEntry([&] { reinterpret_cast<SetEditEntry>(reinterpret_cast<void (*)()>(entry))(edit ? TRUE : FALSE); });
        }
    }
}

void CTextBowserArray::InitializeProfileItems() {
    for (const auto& browser : browsers_) {
        if (!EnsureLoaded(*browser)) continue;
        if (FARPROC entry = GetProcAddress(browser->module, "InitializeProfileItems")) RunEntry([&] { entry(); });
    }
}
