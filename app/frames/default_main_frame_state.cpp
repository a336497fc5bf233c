#include "app/kvw32_app.h"
#include "mainframe/main_frame_state.h"

std::shared_ptr<Korvo::UI::MainFrameState> CKvw32App::GetDefaultMainFrameState() {
    if (!m_defaultMainFrameState) {
        m_defaultMainFrameState = LoadDefaultMainFrameState();
        Korvo::UI::GlobalContextMenuContainer::Load();
    }
    return m_defaultMainFrameState;
}
