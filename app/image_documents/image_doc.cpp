#include "app/image_documents/image_doc.h"

#include "app/image_documents/image_command_ids.h"
#include "platform/textcore.h"

IMPLEMENT_DYNAMIC(CImageDoc, CDocument)
IMPLEMENT_DYNCREATE(CDibDoc, CImageDoc)

BEGIN_MESSAGE_MAP(CDibDoc, CImageDoc)
    ON_COMMAND(image_commands::kPrintPicture, &CDibDoc::OnPrintPicture)
    ON_COMMAND(image_commands::kDocumentSave, &CDibDoc::OnSavePicture)
    ON_COMMAND(image_commands::kDocumentSaveAs, &CDibDoc::OnSavePicture)
END_MESSAGE_MAP()

namespace {

// The colour transparent parts of a picture are shown on.
constexpr COLORREF kPictureBackground = RGB(125, 125, 125);
// The formats the graphics library writes, by extension.
constexpr wchar_t kPictureFilter[] = L"PNG (*.png)|*.png|BMP (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg;*.jpeg|GIF (*.gif)|*.gif|"
                                     L"TIFF (*.tif)|*.tif;*.tiff|PCX (*.pcx)|*.pcx|TGA (*.tga)|*.tga||";
constexpr wchar_t kCannotWriteFile[] = L"The file \"%s\" cannot be written.";

}  // namespace

BOOL CDibDoc::OnOpenDocument(LPCWSTR lpszPathName) {
    KVLog_WriteF(2, L"Opening DIB document \"%s\"...", lpszPathName ? lpszPathName : L"");
    CWaitCursor wait;
    HBITMAP handle = Korvo::CreateImageBitmap(lpszPathName, kPictureBackground, &m_openFailure);
    if (!handle) return FALSE;
    auto bitmap = std::make_unique<CBitmap>();
    bitmap->Attach(handle);
    m_bitmap = std::move(bitmap);
    SetModifiedFlag(FALSE);
    return TRUE;
}

SIZE CDibDoc::GetImageSize() const {
    BITMAP info{};
    if (!m_bitmap || !m_bitmap->GetBitmap(&info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

void CDibDoc::Dump(CDumpContext& dc) const {
    const SIZE size = GetImageSize();
    dc << L"picture " << static_cast<int>(size.cx) << L"x" << static_cast<int>(size.cy);
}

void CDibDoc::OnPrintPicture() {
    // Without a picture there is nothing to print: the kernel is not handed an empty bitmap.
    if (!m_bitmap) return;
    auto picture = std::make_shared<CWinBMP>();
    picture->Create(*m_bitmap, nullptr, 0.0, 0.0);
    print_bitmap(picture);
}

void CDibDoc::OnSavePicture() {
    if (!m_bitmap) return;
    CWinBMP picture;
    picture.Create(*m_bitmap, nullptr, 0.0, 0.0);
    // The program asks where rather than the library: a save that fails must name its file.
    CFileDialog chooser(FALSE, L"png", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPictureFilter);
    if (chooser.DoModal() != IDOK) return;
    const CString path = chooser.GetPathName();
    if (picture.Save(path) != 0)
        KVMessageBox::Show(Korvo::I18n::FormatTranslation(kCannotWriteFile, path), MB_OK | MB_ICONEXCLAMATION);
}
