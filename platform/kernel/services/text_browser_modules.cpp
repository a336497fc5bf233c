#include "platform/kernel/services/text_browser_modules.h"

#include <stdexcept>

#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/kernel/record.h"
#include "platform/mfc.h"
#include "platform/win32/process/module.h"

namespace platform::kernel {

namespace {

using Callback = HENHMETAFILE (*)(BYTE** buffer, DWORD* size, std::wstring* text);

enum class Kind { Returns, Throws, Fails };

const char* setName(Kind kind) {
    switch (kind) {
        case Kind::Returns: return "textbrowser";
        case Kind::Throws: return "textbrowser-throws";
        case Kind::Fails: return "textbrowser-fails";
    }
    return "";
}

template <Kind kind>
struct Module {
    static inline Callback callback = nullptr;

    static void record(const std::wstring& call) {
        recordCall(call + L" [" + platform::core::fromUtf8(setName(kind)) + L"]");
    }
    static INT_PTR Browse(void* argument) {
        record(L"Browse(" + handleText(argument) + L")");
        if constexpr (kind == Kind::Throws) throw new CNotSupportedException;
        if constexpr (kind == Kind::Fails) throw std::runtime_error("the browser failed");
        if (callback) {
            std::wstring text = L"Browse " + handleText(argument);
            HENHMETAFILE picture = callback(nullptr, nullptr, &text);
            // Both buffer pointers null: the callback makes no picture and the text stays.
            BYTE* buffer = nullptr;
            DWORD size = 0;
            picture = callback(&buffer, &size, &text);
            record(L"metafile callback: " + (picture ? metafileText(picture) : std::wstring(L"none")) + L" text " +
                   platform::core::quoted(text) + L" buffer " + std::to_wstring(size) + L" bytes");
            delete[] buffer;
            if (picture) DeleteEnhMetaFile(picture);
        }
        return 1;
    }
    static void Register(Callback function) {
        record(L"RegistrerCreateEnhMetafileCallback(" + std::wstring(function ? L"callback" : L"null") + L")");
        callback = function;
    }
    static void InitializeProfileItems() { record(L"InitializeProfileItems()"); }
    static void WriteProfile() { record(L"WriteProfile()"); }
    static void SetEdit(void* edit) { record(L"SetEdit(" + handleText(edit) + L")"); }

    static void install() {
        callback = nullptr;
        auto entry = [](auto function) { return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function)); };
        platform::modules::registerExportSet(setName(kind), {{"Browse", entry(&Browse)},
                                                             {"RegistrerCreateEnhMetafileCallback", entry(&Register)},
                                                             {"InitializeProfileItems", entry(&InitializeProfileItems)},
                                                             {"WriteProfile", entry(&WriteProfile)},
                                                             {"SetEdit", entry(&SetEdit)}});
    }
};

}  // namespace

std::wstring metafileText(HENHMETAFILE metafile) {
    const auto info = platform::win32::enhMetafile(metafile);
    if (!info) return L"no metafile";
    const RECT& f = info->frame;
    return L"metafile " + platform::core::rectText(f.left, f.top, f.right, f.bottom) + L" " +
           platform::core::quoted(info->description) + L" map " + std::to_wstring(info->mapMode) + L" window " +
           std::to_wstring(info->windowExt.cx) + L"x" + std::to_wstring(info->windowExt.cy) + L" viewport " +
           std::to_wstring(info->viewportExt.cx) + L"x" + std::to_wstring(info->viewportExt.cy) + L" drawing " +
           std::to_wstring(info->drawing.size());
}

void installTextBrowserModules() {
    Module<Kind::Returns>::install();
    Module<Kind::Throws>::install();
    Module<Kind::Fails>::install();
}

}  // namespace platform::kernel
