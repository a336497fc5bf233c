#include "platform/kernel/services/automation_services.h"

#include <map>
#include <string>

#include "platform/core/text.h"
#include "platform/kernel/documents/compound_file.h"
#include "platform/kernel/documents/compound_reads.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/graphics.h"
#include "platform/kernel/record.h"
#include "platform/kernel/ui/uimodule.h"
#include "platform/korvoui.h"
#include "platform/win32/files/file.h"

bool g_bOpeningFromOLE = false;
const wchar_t* const g_szDocPV = L"Preview";
const wchar_t* const g_szDocIcon = L"Icon";

namespace {

int g_moduleKind3D = 1;

std::map<CString, CString>& rememberedFolders() {
    static std::map<CString, CString> folders;
    return folders;
}

void putLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A 24-bit bottom-up bitmap file of the size, filled with the picture's background (white): the
// stand-in keeps only a picture's size, not its pixels.
std::string bitmapFile(int width, int height) {
    const std::uint32_t rowSize = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowSize * static_cast<std::uint32_t>(height);
    std::string bytes = "BM";
    putLittleEndian(bytes, 54 + pixelBytes, 4);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, 54, 4);
    putLittleEndian(bytes, 40, 4);
    putLittleEndian(bytes, static_cast<std::uint32_t>(width), 4);
    putLittleEndian(bytes, static_cast<std::uint32_t>(height), 4);
    putLittleEndian(bytes, 1, 2);
    putLittleEndian(bytes, 24, 2);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, pixelBytes, 4);
    for (int i = 0; i < 4; ++i) putLittleEndian(bytes, 0, 4);
    bytes.append(pixelBytes, '\xFF');
    return bytes;
}

}  // namespace

std::unique_ptr<CWinBMP> KvwLoadKVDocImage(LPCWSTR path, LPCWSTR streamName) {
    using platform::kernel::recordCall;
    using platform::kernel::quoted;
    recordCall(L"KvwLoadKVDocImage(" + quoted(path ? path : L"") + L", " + quoted(streamName ? streamName : L"") + L")");
    if (!path || !streamName) return nullptr;
    const auto streams = platform::kernel::readCompoundDocument(path).streams;
    if (!streams) return nullptr;
    const auto stream = streams->find(platform::core::toUtf8(streamName));
    if (stream == streams->end()) return nullptr;
    auto picture = std::make_unique<CWinBMP>();
    if (!platform::kernel::pictureSize(stream->second, picture->width, picture->height)) return nullptr;
    picture->source = path;
    return picture;
}

bool KVGC::SaveRenderedBitmap(const CWinBMP& picture, HDC dc, int width, int height, LPCWSTR bitmapPath) {
    using platform::kernel::recordCall;
    recordCall(platform::format(L"KVGC::SaveRenderedBitmap(%dx%d, %s)", width, height,
                                platform::kernel::quoted(bitmapPath ? bitmapPath : L"")));
    if (!picture.IsValid() || !dc || width <= 0 || height <= 0 || !bitmapPath || !*bitmapPath) return false;
    return platform::files::writeAllAtomic(bitmapPath, bitmapFile(width, height)) == 0;
}

void CPathManager::SavePath(LPCWSTR dialogName, LPCWSTR folder) {
    using platform::kernel::quoted;
    platform::kernel::recordCall(L"CPathManager::SavePath(" + quoted(dialogName ? dialogName : L"") + L", " +
                                 quoted(folder ? folder : L"") + L")");
    if (!dialogName) return;
    rememberedFolders()[dialogName] = folder ? folder : L"";
}

CString CPathManager::GetPath(LPCWSTR dialogName) {
    const auto found = rememberedFolders().find(dialogName ? dialogName : L"");
    return found == rememberedFolders().end() ? CString() : found->second;
}

int _3DModuleProxy::GetKind() { return g_moduleKind3D; }

int Korvo::GetFileSystemEntryType(LPCWSTR path) {
    if (!path || !*path || !platform::files::exists(path)) return 0;
    return platform::files::isDirectory(path) ? 2 : 1;
}

CKvw32Doc* KVGetActiveDoc() {
    auto* frame = dynamic_cast<CFrameWnd*>(UIModuleProxy::Instance().GetActiveMainFrame());
    if (!frame) return nullptr;
    CFrameWnd* active = frame->GetActiveFrame();
    return dynamic_cast<CKvw32Doc*>(active ? active->GetActiveDocument() : nullptr);
}

void platform::kernel::setModuleKind3D(int kind) { g_moduleKind3D = kind; }
