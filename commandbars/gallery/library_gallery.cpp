#include "commandbars/gallery/library_gallery.h"

#include <algorithm>
#include <array>
#include <memory>

#include "platform/korvoui/images.h"
#include "platform/textcore.h"

namespace Korvo::UI {

namespace {

constexpr DWORD kStretched = xtpFlagControlStretched;
// Centred, word-wrapped, no prefix processing, an ellipsis when too long.
constexpr UINT kCaptionFormat = 43025;

// What a target text names in the library model: a library, a group, or nothing.
struct Target {
    DocumentsMenu::ILibrary* library = nullptr;
    DocumentsMenu::ILibrariesGroup* group = nullptr;
};

// Depth first: the entry itself as a group, then its sub-groups, then its libraries.
Target findById(DocumentsMenu::ILibrariesGroup* entry, const GUID& id) {
    if (entry->GetId() == id) return {nullptr, entry};
    for (int g = 0; g < entry->GetGroupCount(); ++g)
        if (const Target found = findById(entry->GetGroupAt(g), id); found.library || found.group) return found;
    for (int l = 0; l < entry->GetLibraryCount(); ++l)
        if (DocumentsMenu::ILibrary* library = entry->GetLibraryAt(l); library && library->GetId() == id) return {library, nullptr};
    return {};
}

Target resolve(const CString& text) {
    if (text.IsEmpty()) return {};
    DocumentsMenu::IConfigurationsGroup* global = DocumentsMenu::GlobalCfgGroup();
    if (!global) return {};
    Korvo::UniqueIdentifier id;
    if (!Korvo::UniqueIdentifier::TryParse(text, id)) return {DocumentsMenu::FindLibraryByName(global, text), nullptr};
    for (int c = 0; c < global->GetCount(); ++c)
        if (DocumentsMenu::IConfiguration* configuration = global->GetConfigurationAt(c))
            if (const Target found = findById(configuration, id.Get()); found.library || found.group) return found;
    return {};
}

// One item per document of the library, in the order the kernel reports them.
void addDocuments(CXTPControlGalleryItems& items, DocumentsMenu::ILibrary* library) {
    DocumentsMenu::ForEachLibraryDocument(library, [&items](const CString& folder, const CString& name, bool) {
        items.AddItem(std::make_unique<LibraryGalleryItem>(SharedPathName(folder + name)));
        return true;
    });
}

bool onUiThread() {
    CWinApp* app = AfxGetApp();
    return app && ::GetCurrentThreadId() == app->m_nThreadID;
}

}  // namespace

// ---- Items ----------------------------------------------------------------------------------------

LibraryGalleryItem::LibraryGalleryItem(const SharedPathName& path) : path_(path) {
    CString name = path.GetPath();
    const int slash = std::max(name.ReverseFind(L'\\'), name.ReverseFind(L'/'));
    name = name.Mid(slash + 1);
    if (const int dot = name.ReverseFind(L'.'); dot > 0) name = name.Left(dot);
    SetCaption(name);
    SetToolTip(name);
}

int LibraryGalleryItem::GetImageIndex() {
    if (imageIndex_ < 0) imageIndex_ = static_cast<int>(ImageManager::GetInstance().GetPathIconId(path_, true));
    return imageIndex_;
}

void LibraryGalleryItem::Draw(CDC* dc, CXTPControlGallery*, RECT rect, BOOL, BOOL, BOOL, BOOL) {
    if (!dc) return;
    const int inset = XTPDpiHelper()->ScaleY(2);
    const int icon = ::GetSystemMetrics(SM_CYICON);
    RECT caption{rect.left + inset, rect.top + inset + icon + inset, rect.right - inset, rect.bottom - inset};
    const CString text = GetCaption();
    dc->DrawText(text.GetString(), text.GetLength(), &caption, kCaptionFormat);
}

LibraryGalleryItems::LibraryGalleryItems() { SetImageManager(&ImageManager::GetInstance()); }

LibraryGalleryItems::~LibraryGalleryItems() = default;

void LibraryGalleryItems::Register(LibraryGallery* gallery) {
    if (std::find(galleries_.begin(), galleries_.end(), gallery) == galleries_.end()) galleries_.push_back(gallery);
}

void LibraryGalleryItems::Unregister(LibraryGallery* gallery) { std::erase(galleries_, gallery); }

void LibraryGalleryItems::OnItemsChanged() {
    // A gallery told may lay its bar out, which never adds or drops galleries here; a copy still
    // guards against the list changing under the loop.
    const std::vector<LibraryGallery*> galleries = galleries_;
    for (LibraryGallery* gallery : galleries)
        if (std::find(galleries_.begin(), galleries_.end(), gallery) != galleries_.end()) gallery->OnItemsChanged();
}

// ---- The gallery -----------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(LibraryGallery, CXTPControlGallery)

// No command state governs a gallery: its items carry the documents it opens or inserts, and the
// kernel has no command behind its id for the update pass to ask.
LibraryGallery::LibraryGallery() { SetFlags(GetFlags() | xtpFlagManualUpdate); }

LibraryGallery::~LibraryGallery() {
    if (LibraryGalleryItems* items = GetLibraryItems()) items->Unregister(this);
}

void LibraryGallery::SetLibraryId(DocumentsMenu::ILibrary* library) {
    SetParameter(library ? Korvo::UniqueIdentifier(library->GetId()).ToString().GetString() : L"");
}

void LibraryGallery::SetLibraryName(LPCWSTR name) { SetParameter(name ? name : L""); }

void LibraryGallery::SetItemsPerRow(int count, bool immediate) {
    itemsPerRow_ = count > 0 ? count : -1;
    RecalcParentLayout(immediate);
}

SharedPathName LibraryGallery::GetSelectedPath() const {
    if (const auto* item = dynamic_cast<const LibraryGalleryItem*>(GetItem(GetSelectedItem()))) return item->GetPath();
    return SharedPathName();
}

int LibraryGallery::GetColumnCount() {
    GetSize(nullptr);
    return CXTPControlGallery::GetColumnCount();
}

void LibraryGallery::SetItems(CXTPControlGalleryItems* items) {
    if (items == GetItems()) return;
    if (LibraryGalleryItems* old = GetLibraryItems()) old->Unregister(this);
    CXTPControlGallery::SetItems(items);
    if (LibraryGalleryItems* shared = GetLibraryItems()) shared->Register(this);
}

SIZE LibraryGallery::ItemSize() {
    const int height = 2 * XTPPaintManager()->GetRegularFontHeight() + ::GetSystemMetrics(SM_CYICON) + 2 * XTPDpiHelper()->ScaleY(2);
    return SIZE{height * 3 / 2, height};
}

int LibraryGallery::AvailableHeight() const {
    auto* ribbon = dynamic_cast<CXTPRibbonBar*>(GetParent());
    if (!ribbon) return 0;
    const CXTPDpi* dpi = XTPDpiHelper();
    // A group laid out on the shown tab has its height; the group rectangle itself is not asked,
    // as its width depends on this gallery's size.
    const CXTPRibbonGroup* group = ribbon->FindGroupOf(this);
    if (group && group->IsVisible() && group->GetParentTab() == ribbon->GetCurrentTab() && !ribbon->IsRibbonMinimized())
        return dpi->ScaleY(CXTPRibbonBar::kGroupHeight) - dpi->ScaleY(CXTPRibbonBar::kGroupCaptionHeight);
    return dpi->ScaleY(CXTPRibbonBar::kGroupHeight) - dpi->ScaleY(2) - dpi->ScaleY(3) - dpi->ScaleY(2);
}

SIZE LibraryGallery::GetSize(CDC*) {
    Fill();
    const SIZE item = ItemSize();
    if (CXTPControlGalleryItems* items = GetItems()) items->SetItemSize(item);
    const RECT borders = GetBorders();
    const int frameWidth = borders.left + borders.right;
    int width = 0;
    if (itemsPerRow_ >= 0) {
        SetResizable(xtpGalleryResizeVertical);
        SetFlags(GetFlags() & ~kStretched);
        width = frameWidth + item.cx * itemsPerRow_;
    } else {
        SetResizable(xtpGalleryResizeHorizontal | xtpGalleryResizeVertical);
        SetFlags(GetFlags() | kStretched);
        width = frameWidth + item.cx;
    }
    int height = item.cy + borders.top + borders.bottom;
    if (const int available = AvailableHeight(); available > 0) height = std::min(height, available);
    SetControlSize(SIZE{width, height});
    return SIZE{width, height};
}

void LibraryGallery::OnCalcDynamicSize(DWORD) { Fill(); }

void LibraryGallery::OnIdleUpdate() { Fill(); }

void LibraryGallery::Copy(CXTPControl* source, BOOL recursive) {
    CXTPControlGallery::Copy(source, recursive);
    if (const auto* gallery = dynamic_cast<const LibraryGallery*>(source); gallery && gallery != this) {
        itemsPerRow_ = gallery->itemsPerRow_;
        dropDownSized_ = recursive && gallery->dropDownSized_;
    }
}

// Lazily, once: a target that resolves to nothing keeps its empty items, so the library model is
// not searched again at every idle pass.
void LibraryGallery::Fill() {
    if (GetItems() || !GetParent()) return;
    auto* items = new LibraryGalleryItems;
    SetItems(items);
    items->InternalRelease();
    const Target target = resolve(GetParameter());
    items->RemoveAll();
    if (target.library) {
        addDocuments(*items, target.library);
        ShowIconOf(target.library, GetIconId());
    } else if (target.group) {
        for (int l = 0; l < target.group->GetLibraryCount(); ++l) {
            DocumentsMenu::ILibrary* library = target.group->GetLibraryAt(l);
            if (!library) continue;
            items->AddItem(std::make_unique<LibraryHeaderItem>(library->GetDisplayName()));
            addDocuments(*items, library);
        }
    }
    items->OnItemsChanged();
    if (!GetCommandBar()) {
        CreateDropDown();
        return;
    }
    // Filled again for a new target: the drop-down shows the new items, not the old ones.
    if (auto* inner = dynamic_cast<LibraryGallery*>(GetCommandBar()->GetControls()->GetAt(0))) {
        inner->SetItems(items);
        inner->SetParameter(GetParameter());
    }
}

void LibraryGallery::CreateDropDown() {
    CXTPCommandBar* parent = GetParent();
    CXTPCommandBars* bars = parent ? parent->GetCommandBars() : nullptr;
    if (!bars) return;
    CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(bars);
    auto* inner = new LibraryGallery;
    inner->SetItems(GetItems());
    inner->itemsPerRow_ = itemsPerRow_;
    inner->SetParameter(GetParameter());
    popup->GetControls()->Add(inner, GetID());
    SetCommandBar(popup);
    popup->InternalRelease();
}

void LibraryGallery::OnSetPopup(BOOL popup) {
    auto* dropDown = GetCommandBar();
    auto* inner = dropDown ? dynamic_cast<LibraryGallery*>(dropDown->GetControls()->GetAt(0)) : nullptr;
    if (popup && !dropDownSized_ && inner) {
        const SIZE item = ItemSize();
        const RECT borders = GetBorders();
        const int frameWidth = borders.left + borders.right;
        const int shown = XTPDpiHelper()->UnscaleX(GetSize(nullptr).cx);
        const int columns = std::max(1, (shown - frameWidth) / item.cx);
        const int count = inner->GetItemCount();
        const int rows = std::max(1, (count + columns - 1) / columns);
        int height = borders.top + borders.bottom + rows * item.cy;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        CXTPCommandBar* parent = GetParent();
        if (parent && ::GetMonitorInfoW(::MonitorFromWindow(parent->GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &monitor))
            height = std::min<int>(height, (monitor.rcWork.bottom - monitor.rcWork.top) / 3);
        inner->SetControlSize(SIZE{frameWidth + columns * item.cx, height});
        inner->SetResizable(GetResizable());
        dropDownSized_ = true;
    }
    CXTPControlGallery::OnSetPopup(popup);
}

void LibraryGallery::ShowIconOf(DocumentsMenu::ILibrary* library, int fallbackIcon) {
    int icon = fallbackIcon;
    if (library) {
        static constexpr std::array<const wchar_t*, 2> kCandidates{L"icon.ico", L"library.ico"};
        const CString folder = DocumentsMenu::GetLibraryAbsolutePath(library);
        if (const UINT found = ImageManager::GetInstance().GetPathIconId(folder, true, kCandidates); found != 0)
            icon = static_cast<int>(found);
    }
    // A new id only: the bar is redrawn for a changed icon.
    if (icon != GetIconId()) SetIconId(icon);
}

void LibraryGallery::UpdateIcon(int iconId) { ShowIconOf(resolve(GetParameter()).library, iconId); }

void LibraryGallery::OnApplicationEvent(UINT, const ApplicationEventArgs&) {
    if (!onUiThread()) return;
    if (CXTPControlGalleryItems* items = GetItems())
        for (int i = 0; i < items->GetItemCount(); ++i)
            if (auto* item = dynamic_cast<LibraryGalleryItem*>(items->GetItem(i))) item->ResetImageIndex();
    UpdateIcon(GetIconId());
}

}  // namespace Korvo::UI
