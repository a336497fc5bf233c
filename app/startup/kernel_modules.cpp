// The kernel library and its modules must carry the version the shell was built for. A wrong
// kernel ends start-up; a module that is wrong or fails to load is reported and left out.
#include <array>

#include "app/kvw32_app.h"
#include "app/startup/splash_wnd.h"

namespace {

constexpr Korvo::VersionNumber kBuiltForVersion{18, 0, 21, 0};
constexpr const wchar_t* kKernelFile = L"KorvoKernel.dll";

constexpr DWORD kViewerEditionMask = 0x1;
constexpr DWORD kOptionalModuleMask = 0x40;

struct KernelModule {
    const wchar_t* file;
    DWORD editionMask;
};

constexpr std::array<KernelModule, 4> kKernelModules{{
    {L"KV2DAnnotate.dll", 0x3BF},
    {L"KVTEXT.dll", 0x3BF},
    {L"KorvoScene.dll", 0x3AD},
    {L"KV3DSE.dll", 0x3ED},
}};

Korvo::VersionNumber VersionOf(const wchar_t* file) {
    return Korvo::VersionNumber::fromFile(KVAppendProgramPath(file));
}

}  // namespace

bool CKvw32App::IsKernelVersionAccepted() {
    const Korvo::VersionNumber version = VersionOf(kKernelFile);
    if (version == kBuiltForVersion) return true;
    KVLog_WriteF(8, L"Kernel module \"%s\" v%u.%u.%u.%u is incompatible with Korvo CAD v%u.%u.%u.%u", kKernelFile,
                 version.major(), version.minor(), version.build(), version.revision(), kBuiltForVersion.major(),
                 kBuiltForVersion.minor(), kBuiltForVersion.build(), kBuiltForVersion.revision());
    MessageBoxW(nullptr, L"Fatal Error: Incorrect Version of KorvoKernel.dll", m_pszAppName, MB_OK | MB_ICONERROR);
    return false;
}

void CKvw32App::LoadKernelModules() {
    for (const KernelModule& module : kKernelModules) {
        if ((module.editionMask & kViewerEditionMask) == 0) continue;
        const bool optional = (module.editionMask & kOptionalModuleMask) != 0;
        const int failureLevel = optional ? 7 : 8;
        const Korvo::VersionNumber version = VersionOf(module.file);
        if (version != kBuiltForVersion) {
            KVLog_WriteF(failureLevel, L"%s module \"%s\" v%u.%u.%u.%u is incompatible with Korvo CAD v%u.%u.%u.%u",
                         optional ? L"Optional" : L"Mandatory", module.file, version.major(), version.minor(),
                         version.build(), version.revision(), kBuiltForVersion.major(), kBuiltForVersion.minor(),
                         kBuiltForVersion.build(), kBuiltForVersion.revision());
            AfxMessageBox(Korvo::I18n::FormatTranslation(L"Incorrect version of \"%s\" (%u.%u.%u.%u)", module.file,
                                                         version.major(), version.minor(), version.build(),
                                                         version.revision()),
                          MB_ICONERROR);
            if (!optional) CSplashWnd::SignalClose();
            continue;
        }
        KVLog_WriteF(2, L"Loading %s module \"%s\" v%u.%u.%u.%u...", optional ? L"optional" : L"mandatory", module.file,
                     version.major(), version.minor(), version.build(), version.revision());
        if (Korvo::Module::loadMfcAndInitialize(module.file, 0)) continue;
        const DWORD error = GetLastError();
        KVLog_WriteF(failureLevel, L"Failed to load %s module \"%s\": 0x%08x", optional ? L"optional" : L"mandatory",
                     module.file, error);
        AfxMessageBox(Korvo::I18n::FormatTranslation(L"Cannot load module \"%s\"", module.file), MB_ICONERROR);
        if (!optional) CSplashWnd::SignalClose();
    }
}
