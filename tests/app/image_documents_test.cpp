// Pictures open as documents of their own: shown centred or scrolled at a zoom factor in an MDI
// child frame, printed through the kernel and saved through the graphics library.
#include "tests/app/document_test_support.h"

#include <malloc.h>

#include <array>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of the bytes its allocator hands out now.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

#include "app/image_documents/image_doc.h"
#include "app/image_documents/image_documents.h"
#include "app/image_documents/image_view.h"
#include "mainframe/main_frame.h"

namespace {

using namespace platform::harness;
using apptest::Contains;

constexpr unsigned kZoomIn = 1098, kZoomOut = 1099, kZoomActual = 1104, kPrint = 1027, kSave = 1029, kSaveAs = 1093;

class ImageDocuments : public apptest::DocumentSessionTest {
protected:
    CImageView* ActiveView() {
        auto* frame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(frame_));
        CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
        return child ? dynamic_cast<CImageView*>(child->GetActiveView()) : nullptr;
    }
    SIZE ClientOf(CWnd* window) {
        RECT r{};
        window->GetClientRect(&r);
        return SIZE{r.right, r.bottom};
    }
    std::vector<std::wstring> Paint(CImageView* view) {
        view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return s.inspect().drawing(view->GetSafeHwnd());
    }
    Session s;
};

std::wstring Rect(int x, int y, int width, int height) {
    return L"(" + std::to_wstring(x) + L"," + std::to_wstring(y) + L")-(" + std::to_wstring(x + width) + L"," +
           std::to_wstring(y + height) + L")";
}

TEST_F(ImageDocuments, ASmallPictureOpensCentredInItsOwnFrameWithTheFreeBandsPainted) {
    s.files().writePicture(L"C:\\Work\\Small.png", 40, 30);
    Start(s);
    Open(s, L"C:\\Work\\Small.png");
    CImageView* view = ActiveView();
    ASSERT_NE(view, nullptr);
    CFrameWnd* frame = view->GetParentFrame();
    CString text;
    frame->GetWindowText(text);
    EXPECT_EQ(text, L"C:\\Work\\Small.png");
    EXPECT_EQ(view->GetDocument()->GetTitle(), L"C:\\Work\\Small.png");
    const std::wstring documents = s.inspect().dumpDocuments();
    EXPECT_NE(documents.find(L"\"C:\\Work\\Small.png\" \"C:\\Work\\Small.png\" CDibDoc unmodified frame " +
                             apptest::HandleText(*frame)),
              std::wstring::npos)
        << apptest::Utf8(documents);
    EXPECT_TRUE(Contains(apptest::Lines(s), L"log 2 Opening DIB document \"C:\\Work\\Small.png\"..."));

    // Zoom 1, no scroll bars, the picture in the middle and the window colour around it.
    EXPECT_FALSE(view->GetStyle() & (WS_HSCROLL | WS_VSCROLL));
    const SIZE c = ClientOf(view);
    const int top = (c.cy - 30) / 2, side = (c.cx - 40) / 2;
    const std::vector<std::wstring> drawn = Paint(view);
    const std::wstring window = L" 0xFFFFFF PATCOPY";
    const std::vector<std::wstring> expected{
        L"PatBlt " + Rect(0, 0, c.cx, top) + window,
        L"PatBlt " + Rect(0, (c.cy + 30) / 2, c.cx + 1, top + 1) + window,
        L"PatBlt " + Rect(0, top, side, 30) + window,
        L"PatBlt " + Rect((c.cx + 40) / 2, top, side, 30) + window,
        L"StretchBlt " + Rect(side, top, 40, 30) + L" from 40x30 (0,0)-(40,30) SRCCOPY BLACKONWHITE",
    };
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(view->GetOriginX(), side);
    EXPECT_EQ(view->GetOriginY(), top);
}

TEST_F(ImageDocuments, ZoomingKeepsThePointUnderTheCentreAndStopsAtItsLimits) {
    s.files().writePicture(L"C:\\Work\\Wide.png", 3000, 2);
    s.files().writePicture(L"C:\\Work\\Dot.bmp", 1, 1);
    s.files().writePicture(L"C:\\Work\\Big.png", 1100, 1100);
    Start(s);
    Open(s, L"C:\\Work\\Wide.png");
    CImageView* view = ActiveView();
    ASSERT_NE(view, nullptr);
    Paint(view);
    const int cx = ClientOf(view).cx / 2;
    const auto pictureColumnAtCentre = [&] { return (cx - view->GetOriginX()) / view->GetZoom(); };
    const double before = pictureColumnAtCentre();
    for (unsigned id : {kZoomIn, kZoomIn, kZoomActual}) {
        s.user().command(frame_, id);
        s.runUntilIdle();
        EXPECT_NEAR(pictureColumnAtCentre(), before, 1.0) << id;
    }
    EXPECT_EQ(view->GetZoom(), 1.0);

    // A 1 x 1 picture: no zoom below one pixel, none past 2^30 pixels.
    Open(s, L"C:\\Work\\Dot.bmp");
    view = ActiveView();
    s.user().command(frame_, kZoomOut);
    s.runUntilIdle();
    EXPECT_EQ(view->GetZoom(), 1.0);
    for (int i = 0; i < 32; ++i) s.user().command(frame_, kZoomIn);
    s.runUntilIdle();
    EXPECT_EQ(view->GetZoom(), 1073741824.0);
    const std::vector<std::wstring> drawn = Paint(view);
    ASSERT_FALSE(drawn.empty());
    EXPECT_NE(drawn.back().find(L"from 1x1 (0,0)-(1,1)"), std::wstring::npos) << apptest::Utf8(drawn.back());
    // The zoom floor: 2^-10.
    Open(s, L"C:\\Work\\Big.png");
    view = ActiveView();
    for (int i = 0; i < 12; ++i) s.user().command(frame_, kZoomOut);
    s.runUntilIdle();
    EXPECT_EQ(view->GetZoom(), 1.0 / 1024);
}

TEST_F(ImageDocuments, AWidePictureScrollsWithinItsRange) {
    s.files().writePicture(L"C:\\Work\\Wide.png", 3000, 20);
    Start(s);
    Open(s, L"C:\\Work\\Wide.png");
    CImageView* view = ActiveView();
    ASSERT_NE(view, nullptr);
    Paint(view);
    ASSERT_TRUE(view->GetStyle() & WS_HSCROLL);
    EXPECT_FALSE(view->GetStyle() & WS_VSCROLL);
    SCROLLINFO info;
    view->GetScrollInfo(SB_HORZ, &info);
    const int page = ClientOf(view).cx;
    EXPECT_EQ(info.nMin, 1);
    EXPECT_EQ(info.nMax, 3000);
    EXPECT_EQ(static_cast<int>(info.nPage), page);

    // The thumb at p shows the picture from column p.
    EXPECT_EQ(s.user().dragThumb(frame_, SB_HORZ, 700), std::nullopt);
    EXPECT_EQ(view->GetOriginX(), -700);
    std::vector<std::wstring> drawn = Paint(view);
    EXPECT_NE(drawn.back().find(L"from 3000x20 (700,0)-("), std::wstring::npos) << apptest::Utf8(drawn.back());
    // Past either end the position stops at the end.
    for (int i = 0; i < 40; ++i) s.user().scroll(frame_, SB_HORZ, SB_PAGEDOWN);
    EXPECT_EQ(view->GetOriginX(), -(3000 - page));
    for (int i = 0; i < 40; ++i) s.user().scroll(frame_, SB_HORZ, SB_PAGEUP);
    EXPECT_EQ(view->GetOriginX(), 0);
    // The bar's range starts at 1: the first step counts from there.
    s.user().scroll(frame_, SB_HORZ, SB_LINEDOWN);
    EXPECT_EQ(view->GetOriginX(), -(1 + page / 10));
    // No vertical bar to use.
    EXPECT_NE(s.user().scroll(frame_, SB_VERT, SB_LINEDOWN), std::nullopt);

    // Zoomed in, the thumb position is in zoomed pixels: column trunc(p / z).
    s.user().command(frame_, kZoomIn);
    s.runUntilIdle();
    s.user().dragThumb(frame_, SB_HORZ, 1001);
    drawn = Paint(view);
    EXPECT_NE(drawn.back().find(L"from 3000x20 (500,"), std::wstring::npos) << apptest::Utf8(drawn.back());

    // A tall picture scrolls the same way down: the vertical bar's page is the client's height.
    s.files().writePicture(L"C:\\Work\\Tall.png", 20, 3000);
    Open(s, L"C:\\Work\\Tall.png");
    CImageView* tall = ActiveView();
    ASSERT_NE(tall, nullptr);
    ASSERT_NE(tall, view);
    Paint(tall);
    ASSERT_TRUE(tall->GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(tall->GetStyle() & WS_HSCROLL);
    tall->GetScrollInfo(SB_VERT, &info);
    const int height = ClientOf(tall).cy;
    EXPECT_EQ((std::array{info.nMin, info.nMax, static_cast<int>(info.nPage)}), (std::array{1, 3000, height}));
    for (int i = 0; i < 40; ++i) s.user().scroll(frame_, SB_VERT, SB_PAGEDOWN);
    EXPECT_EQ(tall->GetOriginY(), -(3000 - height));
    drawn = Paint(tall);
    EXPECT_NE(drawn.back().find(L"from 20x3000 (0," + std::to_wstring(3000 - height) + L")"), std::wstring::npos)
        << apptest::Utf8(drawn.back());
}

TEST_F(ImageDocuments, ContentDecidesAndAnUnreadablePictureLeavesNothing) {
    s.files().writePicture(L"C:\\Work\\Shot.png", 8, 6);
    s.files().write(L"C:\\Work\\Photo.JPG", *s.files().read(L"C:\\Work\\Shot.png"));
    s.files().write(L"C:\\Work\\Broken.png", "\x89PNG\r\n\x1a\nnot really");
    Start(s);
    Open(s, L"C:\\Work\\Photo.JPG");
    EXPECT_NE(s.inspect().dumpDocuments().find(L"\"C:\\Work\\Photo.JPG\""), std::wstring::npos);
    EXPECT_EQ(OpenImageDocument(L"C:\\Work\\Broken.png"), nullptr);
    EXPECT_EQ(OpenImageInFrame(L"C:\\Work\\Missing.gif", L"x", nullptr, true), nullptr);
    EXPECT_EQ(ImageDocumentTemplate().GetDocuments().size(), 1u);
}

// A PCX file as the library reads it: 24 bits in three planes, `encoding` 0 (bytes as they are)
// or 1 (run lengths), every pixel red.
std::string RedPcx(int width, int height, char encoding) {
    std::string header(128, '\0');
    header[0] = 10;
    header[1] = 5;
    header[2] = encoding;
    header[3] = 8;
    header[8] = static_cast<char>(width - 1);
    header[10] = static_cast<char>(height - 1);
    header[65] = 3;
    const int lineBytes = (width + 1) / 2 * 2;
    header[66] = static_cast<char>(lineBytes);
    header[68] = 1;
    std::string data;
    for (int row = 0; row < height; ++row) {
        for (const char value : {'\xFF', '\0', '\0'}) {
            for (int column = 0; column < lineBytes; ++column) {
                // A byte of 0xC0 or more is a run length in encoding 1: one byte of it is a run of one.
                if (encoding == 1 && static_cast<unsigned char>(value) >= 0xC0) data += '\xC1';
                data += value;
            }
        }
    }
    return header + data;
}

TEST_F(ImageDocuments, PicturesThatCannotBeReadAreReportedAsAnyDocumentIs) {
    s.files().writePicture(L"C:\\Work\\Whole.png", 40, 30);
    const std::string png = *s.files().read(L"C:\\Work\\Whole.png");
    s.files().write(L"C:\\Work\\Cut.png", png.substr(0, png.size() / 2));
    s.files().writePicture(L"C:\\Work\\Whole.tif", 40, 30);
    const std::string tiff = *s.files().read(L"C:\\Work\\Whole.tif");
    s.files().write(L"C:\\Work\\Cut.tif", tiff.substr(0, 16));
    s.files().write(L"C:\\Work\\Text.bmp", "no picture at all");
    s.files().writePicture(L"C:\\Work\\Damaged.gif", 4, 4);
    s.faults().failStorageRead(L"C:\\Work\\Damaged.gif");
    s.files().write(L"C:\\Work\\Plain.pcx", RedPcx(5, 3, 0));
    s.files().write(L"C:\\Work\\Packed.pcx", RedPcx(5, 3, 1));
    s.registry().setString(apptest::kUser, apptest::section(L"Recent File List"), L"File1", L"C:\\Work\\Cut.png");
    Start(s);
    const struct {
        const wchar_t* path;
        const wchar_t* message;
    } cases[] = {
        {L"C:\\Work\\Cut.tif", L"The file is of a format that cannot be opened."},
        {L"C:\\Work\\Text.bmp", L"The file is of a format that cannot be opened."},
        {L"C:\\Work\\Damaged.gif", L"Ошибка ввода-вывода"},  // "I/O error" in the sample's language
        {L"C:\\Work\\Gone.jpg", L"Файл не найден"},  // "File not found"
    };
    for (const auto& c : cases) {
        s.user().expectBox(c.message, [&](const BoxRequest& box) {
            EXPECT_EQ(box.type, MB_ICONEXCLAMATION) << apptest::Utf8(c.path);
            return Button::Ok;
        });
        Open(s, c.path);
    }
    // In the recent-file list, the user may keep the entry.
    s.user().expectBox(L"Формат не поддерживается*", Button::No);  // "Format not supported, remove from recent?"
    Open(s, L"C:\\Work\\Cut.png");
    EXPECT_TRUE(ImageDocumentTemplate().GetDocuments().empty());

    // Both encodings of PCX open, with their pixels.
    for (const wchar_t* path : {L"C:\\Work\\Plain.pcx", L"C:\\Work\\Packed.pcx"}) {
        Open(s, path);
        CImageView* view = ActiveView();
        ASSERT_NE(view, nullptr) << apptest::Utf8(path);
        auto* picture = dynamic_cast<CDibDoc*>(view->GetDocument());
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->GetImageSize().cx, 5);
        EXPECT_EQ(picture->GetImageSize().cy, 3);
        int width = 0, height = 0;
        std::vector<std::uint32_t> pixels;
        ASSERT_TRUE(platform::win32::bitmapPixels(static_cast<HBITMAP>(picture->GetBitmap()->GetSafeHandle()), width,
                                                  height, pixels));
        EXPECT_EQ(pixels.front(), 0xFF0000u);
        EXPECT_EQ(pixels.back(), 0xFF0000u);
    }

    // DDE commands are acknowledged before they run: the failure is the box's to tell.
    s.user().expectBox(L"The file is of a format that cannot be opened.", Button::Ok);
    s.user().dde(L"[open(\"C:\\Work\\Text.bmp\")]");
    s.runUntilIdle();
    s.user().dde(L"[open(\"C:\\Work\\Whole.png\")]");
    s.runUntilIdle();
    const auto lines = apptest::Lines(s);
    apptest::ExpectInOrder(lines, {L"The file is of a format that cannot be opened.", L"dde ack positive", L"dde ack positive"});
}

TEST_F(ImageDocuments, TheMainFramesTitleFollowsTheActiveDocumentPicturesIncluded) {
    s.files().writePicture(L"C:\\Work\\A.png", 20, 10);
    s.kernel().writeDocumentFile(L"C:\\Work\\Plan.grb");
    Start(s);
    auto title = [&] {
        wchar_t text[256]{};
        ::GetWindowTextW(frame_, text, 256);
        return std::wstring(text);
    };
    Open(s, L"C:\\Work\\Plan.grb");
    EXPECT_EQ(title().find(L"Plan.grb"), 0u) << apptest::Utf8(title());
    Open(s, L"C:\\Work\\A.png");
    EXPECT_EQ(title().find(L"C:\\Work\\A.png - "), 0u) << apptest::Utf8(title());
    // Back to the drawing's tab, and its title again.
    auto* main = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(frame_));
    main->MDINext();
    s.runUntilIdle();
    EXPECT_EQ(title().find(L"Plan.grb - "), 0u) << apptest::Utf8(title());
}

TEST_F(ImageDocuments, NewFramesFollowTheActiveChildsMaximisingAndMayLeaveItActive) {
    s.files().writePicture(L"C:\\Work\\A.png", 20, 10);
    s.files().writePicture(L"C:\\Work\\B.png", 20, 10);
    Start(s);
    Open(s, L"C:\\Work\\A.png");
    auto* main = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frame_));
    ASSERT_NE(main, nullptr);
    CMDIChildWnd* first = main->MDIGetActive();
    ASSERT_NE(first, nullptr);
    first->MDIMaximize();
    CDocument* second = OpenImageDocument(L"C:\\Work\\B.png");
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->GetViews().empty());
    ASSERT_TRUE(CreateImageFrame(second, L"Second", nullptr, false));
    s.runUntilIdle();
    EXPECT_EQ(main->MDIGetActive(), first);
    CFrameWnd* made = second->GetViews().at(0)->GetParentFrame();
    EXPECT_TRUE(made->IsZoomed());
    CString text;
    made->GetWindowText(text);
    EXPECT_EQ(text, L"Second");
}

// The kernel's way to a picture: the document first, then its frame under the document's own
// title, activated only when the kernel asks so; no document, no frame.
TEST_F(ImageDocuments, TheKernelOpensAPictureAndGivesItAFrameTitledByTheDocument) {
    s.files().writePicture(L"C:\\Work\\A.png", 20, 10);
    s.files().writePicture(L"C:\\Work\\B.png", 20, 10);
    Start(s);
    auto* main = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frame_));
    ASSERT_NE(main, nullptr);
    CDocument* first = nullptr;
    CDocument* second = nullptr;
    bool none = true;
    s.kernel().callback([&](KorvoServerAppProxy& kernel) {
        first = kernel.OpenImageDocument(L"C:\\Work\\A.png");
        second = kernel.OpenImageDocument(L"C:\\Work\\B.png");
        none = kernel.CreateImageFrame(nullptr, SIZE{20, 10}, 1);
    });
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(none);
    EXPECT_TRUE(first->GetViews().empty());
    bool made = false;
    s.kernel().callback([&](KorvoServerAppProxy& kernel) { made = kernel.CreateImageFrame(first, SIZE{20, 10}, 1); });
    ASSERT_TRUE(made);
    s.runUntilIdle();
    CFrameWnd* firstFrame = first->GetViews().at(0)->GetParentFrame();
    EXPECT_EQ(main->MDIGetActive(), firstFrame);
    s.kernel().callback([&](KorvoServerAppProxy& kernel) { made = kernel.CreateImageFrame(second, SIZE{20, 10}, 0); });
    ASSERT_TRUE(made);
    s.runUntilIdle();
    EXPECT_EQ(main->MDIGetActive(), firstFrame) << "flag 0 leaves the active window";
    CString text;
    second->GetViews().at(0)->GetParentFrame()->GetWindowText(text);
    EXPECT_EQ(text, second->GetTitle());
}

TEST_F(ImageDocuments, ClosingItsFrameClosesTheDocument) {
    s.files().writePicture(L"C:\\Work\\A.gif", 20, 10);
    Start(s);
    Open(s, L"C:\\Work\\A.gif");
    ASSERT_EQ(ImageDocumentTemplate().GetDocuments().size(), 1u);
    CFrameWnd* frame = ActiveView()->GetParentFrame();
    s.user().close(frame->GetSafeHwnd());
    s.runUntilIdle();
    EXPECT_TRUE(ImageDocumentTemplate().GetDocuments().empty());
    EXPECT_EQ(s.inspect().dumpDocuments(), L"");
}

// What the program holds on the heap now (the sanitizer's count where there is one: it keeps
// freed blocks aside for a while, so the process's resident size says nothing of what is held).
std::size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// Closing a picture gives back what opening it took, its view's painted client area included:
// after the first, open-and-close cycles leave the heap as it was.
TEST_F(ImageDocuments, OpeningAndClosingPicturesKeepsNothing) {
    s.files().writePicture(L"C:\\Work\\Dot.png", 1, 1);
    Start(s);
    const auto cycle = [&] {
        Open(s, L"C:\\Work\\Dot.png");
        CImageView* view = ActiveView();
        ASSERT_NE(view, nullptr);
        Paint(view);
        s.user().close(view->GetParentFrame()->GetSafeHwnd());
        s.runUntilIdle();
        ASSERT_TRUE(ImageDocumentTemplate().GetDocuments().empty());
    };
    cycle();
    cycle();
    const std::size_t before = HeapInUse();
    constexpr int kCycles = 10;
    for (int i = 0; i < kCycles; ++i) cycle();
    const std::size_t after = HeapInUse();
    // The journal and the platform's counters grow a little with every action; a picture's view
    // painted whole is megabytes.
    EXPECT_LT(after, before + kCycles * std::size_t{64} * 1024) << "held after " << kCycles << " cycles: " << (after - before);
}

TEST_F(ImageDocuments, AFrameThatCannotBeMadeIsGoneAndTheDocumentStaysWindowless) {
    s.files().writePicture(L"C:\\Work\\A.png", 20, 10);
    Start(s);
    CDocument* document = OpenImageDocument(L"C:\\Work\\A.png");
    ASSERT_NE(document, nullptr);
    const std::size_t frames = CFrameWnd::ThreadFrames().size();
    s.faults().failAt(L"CImageView::OnCreate");
    EXPECT_FALSE(CreateImageFrame(document, L"A", nullptr, true));
    EXPECT_EQ(CFrameWnd::ThreadFrames().size(), frames);
    EXPECT_TRUE(document->GetViews().empty());
    EXPECT_TRUE(CreateImageFrame(document, L"A", nullptr, true));
    s.takeFailures();
}

TEST_F(ImageDocuments, PrintingAndSavingGoThroughTheKernelAndTheGraphicsLibrary) {
    s.files().writePicture(L"C:\\Work\\Print.png", 30, 20);
    Start(s);
    Open(s, L"C:\\Work\\Print.png");
    s.user().command(frame_, kPrint);
    s.runUntilIdle();
    EXPECT_TRUE(Contains(calls(s), L"print_bitmap(30x20) = 0"));
    const std::wstring jobs = s.inspect().dumpPrintJobs();
    EXPECT_NE(jobs.find(L"job 1 \"Picture 30x20\" ended\n  StretchBlt (0,0)-(4800,3200) from 30x20 (0,0)-(30,20)"),
              std::wstring::npos)
        << apptest::Utf8(jobs);

    // The framework's print asks first, then prints the view's drawing on a page.
    s.user().expectPrintCancel();
    s.user().command(frame_, ID_FILE_PRINT);
    s.user().expectPrintOk();
    s.user().command(frame_, ID_FILE_PRINT);
    s.runUntilIdle();
    const std::wstring allJobs = s.inspect().dumpPrintJobs();
    EXPECT_NE(allJobs.find(L"\njob 2 \"C:\\Work\\Print.png\" ended\n  StretchBlt"), std::wstring::npos)
        << apptest::Utf8(allJobs);
    EXPECT_EQ(allJobs.find(L"job 3"), std::wstring::npos);

    // Saving asks where; the file holds the same pixels.
    s.user().expectFileChoose(L"C:\\Work\\Copy.png");
    s.user().command(frame_, kSave);
    s.user().expectFileChoose(L"C:\\Work\\Copy.bmp");
    s.user().command(frame_, kSaveAs);
    s.user().expectFileCancel();
    s.user().command(frame_, kSave);
    s.runUntilIdle();
    const auto original = s.files().readPicture(L"C:\\Work\\Print.png");
    ASSERT_TRUE(original);
    EXPECT_EQ(s.files().readPicture(L"C:\\Work\\Copy.png"), original);
    EXPECT_EQ(s.files().readPicture(L"C:\\Work\\Copy.bmp"), original);

    // A document without a picture neither prints nor saves.
    CDocument* empty = ImageDocumentTemplate().CreateNewDocument();
    const std::size_t callCount = calls(s).size();
    empty->OnCmdMsg(kPrint, CN_COMMAND, nullptr, nullptr);
    empty->OnCmdMsg(kSave, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(calls(s).size(), callCount);
    delete empty;
}

TEST_F(ImageDocuments, SmoothScalingDrawsWithHalftoning) {
    s.files().writePicture(L"C:\\Work\\Smooth.png", 10, 10);
    GetSettings().smoothRasterImages = true;
    Start(s);
    Open(s, L"C:\\Work\\Smooth.png");
    const std::vector<std::wstring> drawn = Paint(ActiveView());
    ASSERT_FALSE(drawn.empty());
    EXPECT_NE(drawn.back().find(L"SRCCOPY HALFTONE"), std::wstring::npos) << apptest::Utf8(drawn.back());
}

}  // namespace
