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
#include "platform/kvgc/picture_codec.h"
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

// A picture's pixels laid on white (0x00RRGGBB), as the graphics library keeps a document's
// pictures.
std::vector<std::uint32_t> onWhite(const std::vector<std::uint32_t>& pixels) {
    std::vector<std::uint32_t> out;
    out.reserve(pixels.size());
    for (const std::uint32_t pixel : pixels) {
        const std::uint32_t alpha = pixel >> 24;
        std::uint32_t laid = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const std::uint32_t front = (pixel >> shift) & 0xFF;
            laid |= ((front * alpha + 255 * (255 - alpha) + 127) / 255) << shift;
        }
        out.push_back(laid);
    }
    return out;
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
    const std::optional<platform::kvgc::Picture> decoded = platform::kvgc::decodePicture(stream->second, L".png");
    if (!decoded) return nullptr;
    auto picture = std::make_unique<CWinBMP>();
    picture->width = decoded->width;
    picture->height = decoded->height;
    picture->pixels = onWhite(decoded->pixels);
    picture->source = path;
    return picture;
}

bool KVGC::SaveRenderedBitmap(const CWinBMP& picture, HDC dc, int width, int height, LPCWSTR bitmapPath) {
    using platform::kernel::recordCall;
    recordCall(platform::format(L"KVGC::SaveRenderedBitmap(%dx%d, %s)", width, height,
                                platform::kernel::quoted(bitmapPath ? bitmapPath : L"")));
    if (!picture.IsValid() || !dc || width <= 0 || height <= 0 || !bitmapPath || !*bitmapPath) return false;
    // The picture is drawn at the asked size on a bitmap of the display, and that bitmap is saved.
    HDC source = ::CreateCompatibleDC(dc);
    HDC target = ::CreateCompatibleDC(dc);
    HBITMAP original = platform::win32::createBitmap(picture.width, picture.height, picture.pixels);
    HBITMAP rendered = ::CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldSource = ::SelectObject(source, original);
    HGDIOBJ oldTarget = ::SelectObject(target, rendered);
    ::SetStretchBltMode(target, HALFTONE);
    const bool drawn = ::StretchBlt(target, 0, 0, width, height, source, 0, 0, picture.width, picture.height, SRCCOPY);
    ::SelectObject(source, oldSource);
    ::SelectObject(target, oldTarget);
    ::DeleteDC(source);
    ::DeleteDC(target);
    CWinBMP bitmap;
    const bool copied = drawn && bitmap.Create(rendered, nullptr, 0.0, 0.0) == 0;
    ::DeleteObject(original);
    ::DeleteObject(rendered);
    if (!copied) return false;
    // A bitmap file whatever the name's extension says.
    platform::kvgc::Picture opaque{bitmap.width, bitmap.height, bitmap.pixels};
    for (std::uint32_t& pixel : opaque.pixels) pixel |= 0xFF000000u;
    const std::optional<std::string> bytes = platform::kvgc::encodePicture(opaque, L".bmp");
    return bytes && platform::files::writeAllAtomic(bitmapPath, *bytes) == 0;
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
    CFrameWnd* frame = MainFrameWindow(UIModuleProxy::Instance().GetActiveMainFrame());
    if (!frame) return nullptr;
    CFrameWnd* active = frame->GetActiveFrame();
    return dynamic_cast<CKvw32Doc*>(active ? active->GetActiveDocument() : nullptr);
}

void platform::kernel::setModuleKind3D(int kind) { g_moduleKind3D = kind; }
