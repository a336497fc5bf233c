// How long documents and their frames live: a document goes with its last frame, another frame
// keeps it, a modified one asks first and a cancel keeps everything; closing the document takes
// every frame with it, and nothing is deleted twice.
#include "platform/core/useragent.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using namespace mfctest;

int g_liveDocuments = 0;
int g_deletedDocuments = 0;
int g_deletedFrames = 0;

class CLifeDoc : public CDocument {
    DECLARE_DYNCREATE(CLifeDoc)
public:
    CLifeDoc() { ++g_liveDocuments; }
    ~CLifeDoc() override {
        --g_liveDocuments;
        ++g_deletedDocuments;
    }
};
IMPLEMENT_DYNCREATE(CLifeDoc, CDocument)

class CLifeView : public CView {
    DECLARE_DYNCREATE(CLifeView)
public:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CLifeView, CView)

class CLifeFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CLifeFrame)
public:
    ~CLifeFrame() override { ++g_deletedFrames; }
};
IMPLEMENT_DYNCREATE(CLifeFrame, CFrameWnd)

class MfcDocumentLifetime : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        g_liveDocuments = g_deletedDocuments = g_deletedFrames = 0;
        docTemplate_ = new CMultiDocTemplate(0, RUNTIME_CLASS(CLifeDoc), RUNTIME_CLASS(CLifeFrame), RUNTIME_CLASS(CLifeView));
        app().AddDocTemplate(docTemplate_);
    }

    // A new frame with a view on `document`; returns the frame's handle.
    HWND showIn(CDocument* document) {
        CFrameWnd* frame = docTemplate_->CreateNewFrame(document, nullptr);
        if (frame == nullptr) return nullptr;
        docTemplate_->InitialUpdateFrame(frame, document, TRUE);
        return frame->m_hWnd;
    }

    CMultiDocTemplate* docTemplate_ = nullptr;
};

TEST_F(MfcDocumentLifetime, AnotherFrameKeepsTheDocumentAndTheLastOneClosesIt) {
    auto* document = static_cast<CLifeDoc*>(docTemplate_->CreateNewDocument());
    ASSERT_NE(document, nullptr);
    document->SetTitle(L"Part");
    HWND first = showIn(document);
    HWND second = showIn(document);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(document->GetViews().size(), 2u);
    EXPECT_EQ(app().GetOpenDocumentCount(), 1);

    document->SetModifiedFlag();
    ::SendMessageW(first, WM_CLOSE, 0, 0);  // another frame shows it: no question
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(g_deletedFrames, 1);
    ASSERT_EQ(g_liveDocuments, 1);
    EXPECT_EQ(document->GetViews().size(), 1u);

    document->SetModifiedFlag(FALSE);
    ::SendMessageW(second, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(second));
    EXPECT_EQ(g_liveDocuments, 0);
    EXPECT_EQ(g_deletedDocuments, 1);
    EXPECT_EQ(app().GetOpenDocumentCount(), 0);
    EXPECT_TRUE(platform::core::takeFailures().empty()) << "nothing asked";
}

TEST_F(MfcDocumentLifetime, AModifiedDocumentAsksAndACancelKeepsFrameAndDocument) {
    auto* document = static_cast<CLifeDoc*>(docTemplate_->CreateNewDocument());
    document->SetTitle(L"Bracket");
    HWND frame = showIn(document);
    ASSERT_NE(frame, nullptr);
    document->SetModifiedFlag();
    auto& agent = platform::core::userAgent();

    agent.expectMessageBox(L"Save changes to Bracket?", IDCANCEL);
    ::SendMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(frame));
    EXPECT_EQ(g_liveDocuments, 1);

    agent.expectMessageBox(L"Save changes to Bracket?", IDNO);
    ::SendMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_EQ(g_liveDocuments, 0);
    EXPECT_EQ(g_deletedDocuments, 1) << "deleted once";
    EXPECT_EQ(g_deletedFrames, 1);
    EXPECT_EQ(app().GetOpenDocumentCount(), 0);
    EXPECT_TRUE(platform::core::takeFailures().empty());
}

TEST_F(MfcDocumentLifetime, ClosingTheDocumentTakesEveryFrameAndDeletesItOnce) {
    auto* document = static_cast<CLifeDoc*>(docTemplate_->CreateNewDocument());
    HWND first = showIn(document);
    HWND second = showIn(document);
    ASSERT_TRUE(first && second);
    document->OnCloseDocument();
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_FALSE(::IsWindow(second));
    EXPECT_EQ(g_deletedFrames, 2);
    EXPECT_EQ(g_deletedDocuments, 1);
    EXPECT_EQ(app().GetOpenDocumentCount(), 0);

    // A document without frames that its owner keeps: closing it deletes nothing.
    CLifeDoc kept;
    kept.m_bAutoDelete = FALSE;
    kept.OnCloseDocument();
    EXPECT_EQ(g_deletedDocuments, 1);
    EXPECT_TRUE(platform::core::takeFailures().empty());
}

TEST_F(MfcDocumentLifetime, DestroyingAFrameDirectlyLetsItsViewGoAndTheDocumentFollows) {
    auto* document = static_cast<CLifeDoc*>(docTemplate_->CreateNewDocument());
    HWND first = showIn(document);
    HWND second = showIn(document);
    ASSERT_TRUE(first && second);
    ::DestroyWindow(first);  // no WM_CLOSE: nothing asks
    EXPECT_EQ(document->GetViews().size(), 1u) << "the view left the document with its window";
    EXPECT_EQ(g_liveDocuments, 1);
    ::DestroyWindow(second);
    EXPECT_EQ(g_liveDocuments, 0) << "its last view gone, an auto-deleting document closes";
    EXPECT_EQ(g_deletedFrames, 2);
    EXPECT_TRUE(platform::core::takeFailures().empty());
}

}  // namespace
