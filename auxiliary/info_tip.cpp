#include "auxiliary/info_tip.h"

#include <algorithm>
#include <limits>

#include "platform/kernel.h"

namespace {

constexpr const wchar_t* kTipsSection = L"Tips";
constexpr UINT kPastLastTip = 16554;
constexpr UINT kBeforeFirstTip = 16555;
// A font description holds at most 31 characters of a face name.
constexpr int kFaceNameLimit = 31;

CInfoTip::Colour ReadColour(const kvio::IniFile& ini, const wchar_t* r, const wchar_t* g, const wchar_t* b,
                            CInfoTip::Colour current) {
    auto channel = [&](const wchar_t* key, int shift) {
        const int fallback = static_cast<int>((current >> shift) & 0xFF);
        return static_cast<CInfoTip::Colour>(ini.GetInt(kTipsSection, key, fallback) & 0xFF) << shift;
    };
    return channel(r, 0) | channel(g, 8) | channel(b, 16);
}

}  // namespace

TipLine ParseTipLine(const CString& line) {
    const int hash = line.Find(L'#');
    if (hash < 0) return {line, 0};
    TipLine tip{line.Left(hash), 0};
    const CString rest = line.Mid(hash + 1);
    int i = 0;
    while (i < rest.GetLength() && (rest[i] == L' ' || rest[i] == L'\t')) ++i;
    bool negative = false;
    if (i < rest.GetLength() && (rest[i] == L'+' || rest[i] == L'-')) negative = rest[i++] == L'-';
    unsigned long long seconds = 0;
    for (; i < rest.GetLength() && rest[i] >= L'0' && rest[i] <= L'9'; ++i) {
        seconds = std::min<unsigned long long>(seconds * 10 + static_cast<unsigned>(rest[i] - L'0'),
                                               std::numeric_limits<UINT>::max());
    }
    // A negative time would wrap to an endless one: it means no automatic hiding.
    tip.seconds = negative ? 0 : static_cast<UINT>(seconds);
    return tip;
}

UINT TipMilliseconds(UINT seconds) {
    return static_cast<UINT>(std::min<unsigned long long>(static_cast<unsigned long long>(seconds) * 1000,
                                                          std::numeric_limits<UINT>::max()));
}

BEGIN_MESSAGE_MAP(CInfoTip, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CInfoTip& CInfoTip::Instance() {
    static CInfoTip strip;
    return strip;
}

void CInfoTip::LoadSettings(const kvio::IniFile& ini) {
    if (!ini.HasSection(kTipsSection)) return;
    fileName_ = ini.GetString(kTipsSection, L"FileName", fileName_);
    background_ = ReadColour(ini, L"Bk_R", L"Bk_G", L"Bk_B", background_);
    text_ = ReadColour(ini, L"Font_R", L"Font_G", L"Font_B", text_);
    border_ = ReadColour(ini, L"Border_R", L"Border_G", L"Border_B", border_);
    borderWidth_ = ini.GetInt(kTipsSection, L"Border_Width", borderWidth_);
    fontSize_ = ini.GetInt(kTipsSection, L"Font_Size", fontSize_);
    bold_ = ini.GetInt(kTipsSection, L"Font_Bold", bold_);
    italic_ = ini.GetInt(kTipsSection, L"Font_Italic", italic_);
    fontName_ = ini.GetString(kTipsSection, L"Font_Name", fontName_);
}

bool CInfoTip::EnsureCreated() {
    if (fileName_.IsEmpty()) return false;
    if (m_hWnd) return true;
    CMDIFrameWnd* frame = activeFrame_ ? activeFrame_() : nullptr;
    const RECT first{100, 100, 400, 130};
    if (!CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_CHILD, first, frame, 0)) return false;
    LoadTips();
    return true;
}

void CInfoTip::LoadTips() {
    if (fileName_.IsEmpty()) return;
    tips_.RemoveAll();
    displayTimes_.clear();
    kvio::TextFileReadStream file;
    if (file.Open(fileName_, 32, 0, true)) {
        CString line;
        while (file.ReadString(line)) {
            const TipLine tip = ParseTipLine(line);
            tips_.Add(tip.text);
            displayTimes_.push_back(tip.seconds);
        }
    }
    const int count = GetTipCount();
    if (currentIndex_ >= 0 && currentIndex_ < count) {
        currentText_ = tips_[currentIndex_];
        currentTime_ = displayTimes_[static_cast<std::size_t>(currentIndex_)];
    } else if (currentIndex_ >= count) {
        currentIndex_ = count;
        ShowText(kPastLastTip);
    } else {
        // Before the first tip the list has nothing to show: say where the user stands.
        currentIndex_ = -1;
        ShowText(kBeforeFirstTip);
    }
    Repaint();
}

void CInfoTip::ShowNextTip() {
    if (fileName_.IsEmpty()) return;
    StopTimer();
    ++currentIndex_;
    if (currentIndex_ >= 0 && currentIndex_ < GetTipCount()) {
        ShowTip(currentIndex_);
    } else {
        currentIndex_ = GetTipCount();
        ShowText(kPastLastTip);
    }
    Repaint();
}

void CInfoTip::ShowPreviousTip() {
    if (fileName_.IsEmpty()) return;
    StopTimer();
    --currentIndex_;
    if (currentIndex_ < 0) {
        currentIndex_ = -1;
        ShowText(kBeforeFirstTip);
    } else if (currentIndex_ < GetTipCount()) {
        ShowTip(currentIndex_);
    } else {
        // The list shrank under the index.
        currentIndex_ = -1;
        currentText_.Empty();
        currentTime_ = 0;
    }
    Repaint();
}

void CInfoTip::Toggle() {
    if (!EnsureCreated()) return;
    if (IsWindowVisible()) {
        ShowWindow(SW_HIDE);
        ShowNextTip();
        return;
    }
    CMDIFrameWnd* frame = activeFrame_ ? activeFrame_() : nullptr;
    if (!frame) return;
    RECT client{};
    if (frame->m_hWndMDIClient) ::GetWindowRect(frame->m_hWndMDIClient, &client);
    // The strip is a child of the frame: its place is given in the frame's client coordinates.
    POINT topLeft{client.left, client.top};
    if (HWND parent = ::GetParent(m_hWnd)) ::ScreenToClient(parent, &topLeft);
    MoveWindow(topLeft.x, topLeft.y, client.right - client.left, fontSize_ + 2 * borderWidth_);
    ShowWindow(SW_SHOW);
    StopTimer();
    StartTimer();
}

void CInfoTip::ShowTip(int index) {
    currentText_ = tips_[index];
    currentTime_ = displayTimes_[static_cast<std::size_t>(index)];
    StartTimer();
}

void CInfoTip::ShowText(UINT stringId) {
    currentText_ = KVLoadString(stringId);
    currentTime_ = 0;
}

void CInfoTip::StartTimer() {
    if (currentTime_ == 0 || !m_hWnd) return;
    timerMilliseconds_ = TipMilliseconds(currentTime_);
    SetTimer(kTimerId, timerMilliseconds_);
}

void CInfoTip::StopTimer() {
    timerMilliseconds_ = 0;
    if (m_hWnd) KillTimer(kTimerId);
}

void CInfoTip::Repaint() {
    if (!m_hWnd) return;
    Invalidate();
    UpdateWindow();
}

void CInfoTip::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kTimerId || fileName_.IsEmpty()) return;
    StopTimer();
    if (!IsWindowVisible()) return;
    ShowWindow(SW_HIDE);
    ShowNextTip();
}

void CInfoTip::OnPaint() {
    CPaintDC dc(this);
    if (fileName_.IsEmpty()) return;
    RECT client{};
    GetClientRect(&client);
    HPEN pen = ::CreatePen(PS_SOLID, borderWidth_, border_);
    HBRUSH brush = ::CreateSolidBrush(background_);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    ::Rectangle(dc, client.left, client.top, client.right, client.bottom);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(pen);
    ::DeleteObject(brush);

    const CString face = fontName_.Left(kFaceNameLimit);
    HFONT font = ::CreateFontW(fontSize_, 0, 0, 0, bold_ ? FW_BOLD : FW_NORMAL, italic_ ? TRUE : FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                               face);
    if (!font) return;
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::SetTextColor(dc, text_);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextAlign(dc, TA_TOP | TA_CENTER);
    ::TextOutW(dc, (client.left + client.right) / 2, borderWidth_ + 1, currentText_, currentText_.GetLength());
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);
}
