#include "platform/kernel/rich_text.h"

#include <string_view>

#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/kernel/documents/parameter_texts.h"
#include "platform/kernel/services/fonts.h"

namespace Rich {

namespace {

constexpr std::string_view kHeader = "KVRICH1\n";
constexpr double kLineHeight = 5.0;
constexpr double kCharacterWidth = 2.5;

std::vector<std::wstring> splitParagraphs(std::wstring_view text) {
    std::vector<std::wstring> paragraphs;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != L'\n' && text[i] != L'\r') continue;
        paragraphs.emplace_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i] == L'\r' && text[i + 1] == L'\n') ++i;
        start = i + 1;
    }
    return paragraphs;
}

}  // namespace

SingleRectDoc::SingleRectDoc(CKvw32Doc* document, double) : document_(document) {}

bool SingleRectDoc::beginEditMode() {
    if (editing_) return false;
    editing_ = true;
    return true;
}

void SingleRectDoc::endEditMode() { editing_ = false; }

bool SingleRectDoc::pasteFromBuffer(const BYTE* buffer, DWORD size, double) {
    if (!editing_ || !buffer) return false;
    const std::string_view bytes(reinterpret_cast<const char*>(buffer), size);
    if (bytes.substr(0, kHeader.size()) != kHeader) return false;
    std::wstring_view body;
    const std::wstring text = platform::core::fromUtf8(bytes.substr(kHeader.size()));
    body = text;
    if (!body.empty() && body.back() == L'\n') body.remove_suffix(1);
    auto pasted = splitParagraphs(body);
    paragraphs_.insert(paragraphs_.begin() + static_cast<std::ptrdiff_t>(std::min(cursor_, paragraphs_.size())), pasted.begin(),
                       pasted.end());
    return true;
}

void SingleRectDoc::insertText(const CString& text) {
    if (!editing_) return;
    auto inserted = splitParagraphs(text.view());
    paragraphs_.insert(paragraphs_.begin() + static_cast<std::ptrdiff_t>(std::min(cursor_, paragraphs_.size())),
                       inserted.begin(), inserted.end());
}

bool SingleRectDoc::writeSelectionToFile(kvio::IWriteStream& stream, double) const {
    if (!selected_) return false;
    std::string bytes(kHeader);
    for (const auto& paragraph : paragraphs_) bytes += platform::core::toUtf8(paragraph) + "\n";
    return stream.Write(bytes.data(), bytes.size()) == bytes.size();
}

CString SingleRectDoc::getText() const {
    std::wstring text;
    for (std::size_t i = 0; i < paragraphs_.size(); ++i) {
        if (i > 0) text += L"\r\n";
        text += paragraphs_[i];
    }
    return CString(text.c_str());
}

void SingleRectDoc::setText(const CString& text) { paragraphs_ = splitParagraphs(text.view()); }

void SingleRectDoc::draw(KVDrawContext& gc) const {
    double y = 0;
    for (const auto& paragraph : paragraphs_) {
        // An empty paragraph takes a line but draws nothing.
        if (!paragraph.empty())
            gc.DrawWorldText(CString(paragraph.c_str()), 0, y, kCharacterWidth * static_cast<double>(paragraph.size()),
                             kLineHeight);
        y -= kLineHeight;
    }
}

bool editInModalWindow(SingleRectDoc& document) {
    platform::core::recordCall(L"Rich::editInModalWindow(" + platform::core::quoted(document.getText().view()) +
                               L") font " + platform::core::quoted(g_csDefaultFontName.view()) + L" control " +
                               platform::core::boolText(g_fDefaultCtrlValue));
    platform::core::KernelDialogRequest request;
    request.kind = L"rich-text";
    request.current = std::wstring(document.getText().view());
    request.anyText = true;
    const auto answer = platform::core::userAgent().answerKernelDialog(request);
    if (!answer) return false;
    document.setText(CString(answer->c_str()));
    return true;
}

}  // namespace Rich
