#include "auxiliary/varnel_frame.h"

#include <array>

#include "platform/kernel.h"
#include "platform/textcore.h"

namespace {

struct KindCaption {
    UINT stringId;         // a kernel string, or 0
    const wchar_t* key;    // else a UI text key
};

// The same captions the PDM panes carry.
constexpr std::array<KindCaption, 7> kCaptions{{{13584, nullptr},
                                                {13585, nullptr},
                                                {13583, nullptr},
                                                {40701, nullptr},
                                                {0, L"panes.varnel.mail"},
                                                {0, L"panes.varnel.configuration_settings"},
                                                {0, L"panes.varnel.library_elements"}}};

}  // namespace

CString CVarnelFrame::BuildPaneTitle(int kind, bool) {
    if (kind < 0 || kind >= static_cast<int>(kCaptions.size())) return CString();
    const KindCaption& caption = kCaptions[static_cast<std::size_t>(kind)];
    return caption.stringId ? KVLoadString(caption.stringId) : Korvo::I18n::Translate(caption.key);
}

bool CVarnelFrame::IsAvailable() const { return KVPDMWorkMix::IsActive(); }
