#include "mainframe/toolsengine/typed_commands.h"

#include "mainframe/toolsengine/frame_tools_engine.h"
#include "mainframe/toolsengine/frame_tools_options.h"
#include "mainframe/statusline/status_line.h"
#include "platform/kernel.h"
#include "platform/kernel/ui/key_commands.h"

namespace typed_commands {

namespace {
constexpr UINT kEscape = 27;
constexpr UINT kFirstNumpadDigit = 96, kLastNumpadDigit = 105;
constexpr UINT kSpaceCommand = 2924;
}  // namespace

std::optional<wchar_t> CharacterOfKey(UINT key) {
    if (key >= kFirstNumpadDigit && key <= kLastNumpadDigit) return static_cast<wchar_t>(L'0' + (key - kFirstNumpadDigit));
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == kEscape) return static_cast<wchar_t>(key);
    return std::nullopt;
}

std::vector<UINT> Matches(const CString& buffer, const std::vector<std::pair<UINT, CString>>& commands) {
    std::vector<UINT> matches;
    for (const auto& [id, text] : commands) {
        CString key = text;
        if (const int colon = key.Find(L':'); colon >= 0) key = key.Left(colon);
        key.MakeUpper();
        if (key.GetLength() < buffer.GetLength() || key.Left(buffer.GetLength()) != buffer) continue;
        matches.push_back(id);
        if (key.GetLength() == buffer.GetLength()) break;
    }
    return matches;
}

CString& SharedBuffer() {
    static CString buffer;
    return buffer;
}

}  // namespace typed_commands

int CFrameToolsEngine::PreTranslateKeyMessage(UINT virtualKey) {
    if (!m_frame) return 0;
    CWnd* window = frame_tools::FrameWindow(m_frame);
    const HWND frame = window ? window->GetSafeHwnd() : nullptr;
    const HWND focus = ::GetFocus();
    if (!frame || !focus || (focus != frame && !::IsChild(frame, focus))) return 0;
    if (!KV3DKeyboardCommandsAllowed() || frame_tools::ActiveDocumentRunsCommand(m_frame)) return 0;
    CString& buffer = typed_commands::SharedBuffer();
    if (virtualKey == VK_SPACE && buffer.IsEmpty()) {
        ::PostMessageW(frame, WM_COMMAND, typed_commands::kSpaceCommand, 0);
        return 1;
    }
    const std::optional<wchar_t> character = typed_commands::CharacterOfKey(virtualKey);
    if (!character) return 0;
    buffer += *character;
    buffer.MakeUpper();
    const std::vector<std::pair<UINT, CString>> commands = KVGetKeyCommands();
    const std::vector<UINT> matches = typed_commands::Matches(buffer, commands);
    CString prompt = L">";
    if (matches.size() == 1) {
        if (KV3DIsCommandAvailable(matches.front())) {
            ::PostMessageW(frame, WM_COMMAND, matches.front(), 0);
            prompt = KVGetCmdStr(matches.front());
        }
        buffer.Empty();
    } else if (matches.empty()) {
        buffer.Empty();
    } else {
        prompt += buffer;
    }
    GetStatusLine().SetPromptText(prompt, true);
    return 0;
}
