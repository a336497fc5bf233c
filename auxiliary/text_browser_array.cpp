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
