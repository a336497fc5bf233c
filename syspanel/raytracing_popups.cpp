#include "syspanel/raytracing_popups.h"

#include <iterator>

#include "platform/kernel.h"

namespace {

constexpr UINT kNoCameraString = 12353;
constexpr UINT kQualityStrings[] = {43455, 43458, 43459, 43483};

// The popup a button of a popup bar was opened from, when it is of class `Popup`.
template <class Popup>
Popup* owningPopup(const CXTPControl* button) {
    auto* bar = dynamic_cast<CXTPPopupBar*>(button->GetParent());
    return bar ? dynamic_cast<Popup*>(bar->GetControlPopup()) : nullptr;
}

CXTPPopupBar* makeOwnBar(CXTPControlPopup& popup, CXTPCommandBars* commandBars) {
    CXTPPopupBar* bar = CXTPPopupBar::CreatePopupBar(commandBars);
    bar->EnableCustomization(FALSE);
    popup.SetCommandBar(bar);
    bar->InternalRelease();  // the popup holds the bar from here on
    return bar;
}

// The buttons of the popup's bar, or null while it has none. Read anew each time: a restored
// layout may give the popup another bar.
CXTPControls* barControls(const CXTPControlPopup& popup) {
    CXTPCommandBar* bar = popup.GetCommandBar();
    return bar ? bar->GetControls() : nullptr;
}

// Shows a new caption; the bar lays out again only when it changed.
void showCaption(CXTPControl& control, const CString& caption) {
    if (control.GetCaption().view() == caption.view()) return;
    control.SetCaption(caption);
    control.OnCaptionChanged();
    if (CXTPCommandBar* parent = control.GetParent()) parent->OnRecalcLayout();
}

// The popup's own command, as the user's choice sends it. A plain popup's OnExecute would open
// its bar again instead.
void sendCommand(CXTPControl& popup) { popup.CXTPControl::OnExecute(); }

// Whether every control of the bar is a `Button`: a layout restored from the state file brings
// plain buttons in their place, which would choose nothing.
template <class Button>
bool holdsOnly(const CXTPControls& controls) {
    for (int i = 0; i < controls.GetCount(); ++i)
        if (!dynamic_cast<Button*>(controls.GetAt(i))) return false;
    return true;
}

bool inCustomizeMode(const CXTPControl& control) {
    CXTPCommandBar* parent = control.GetParent();
    CXTPCommandBars* bars = parent ? parent->GetCommandBars() : nullptr;
    return bars && bars->IsCustomizeMode();
}

}  // namespace

// Camera

IMPLEMENT_DYNCREATE(CameraPopupButton, CXTPControlButton)

CameraPopupButton::CameraPopupButton(std::uint64_t cameraId, const CString& caption) : m_cameraId(cameraId) {
    SetCaption(caption);
    SetFlags(GetFlags() | xtpFlagManualUpdate);
}

void CameraPopupButton::OnExecute() {
    if (OptixCameraPopup* popup = owningPopup<OptixCameraPopup>(this)) {
        popup->SetValue(nullptr, &m_cameraId);
        SetID(0);
        return;  // with no id of its own the button has nothing to send
    }
    CXTPControlButton::OnExecute();
}

void CameraPopupButton::Copy(CXTPControl* source, BOOL recursive) {
    CXTPControlButton::Copy(source, recursive);
    if (auto* other = dynamic_cast<CameraPopupButton*>(source)) m_cameraId = other->m_cameraId;
}

using Korvo::UI::AutoPopup;
IMPLEMENT_DYNCREATE(OptixCameraPopup, AutoPopup)

OptixCameraPopup::OptixCameraPopup(CXTPCommandBars* commandBars) {
    SetType(xtpControlPopup);
    SetFollowFlag(false);
    makeOwnBar(*this, commandBars);
}

OptixCameraPopup::~OptixCameraPopup() = default;

void OptixCameraPopup::SetCameraList(const std::vector<Camera>& cameras, std::uint64_t currentId) {
    m_cameras.clear();
    m_cameras.reserve(cameras.size() + 1);
    m_cameras.push_back({0, KVLoadString(kNoCameraString)});
    m_cameras.insert(m_cameras.end(), cameras.begin(), cameras.end());
    m_listChanged = true;
    SelectCamera(currentId, false);
}

void OptixCameraPopup::SelectCamera(std::uint64_t id, bool notify) {
    for (const Camera& camera : m_cameras) {
        if (camera.id != id) continue;
        m_current = id;
        showCaption(*this, camera.name);
        break;
    }
    // Buttons made from an older list are replaced when the bar opens next.
    CXTPControls* buttons = barControls(*this);
    if (!m_listChanged && buttons) {
        for (int i = 0; i < buttons->GetCount(); ++i)
            if (auto* button = dynamic_cast<CameraPopupButton*>(buttons->GetAt(i)))
                button->SetChecked(button->GetCameraId() == m_current);
    }
    if (notify) sendCommand(*this);
}

void OptixCameraPopup::fillBar() {
    CXTPControls* buttons = barControls(*this);
    if (!buttons) {
        makeOwnBar(*this, GetParent() ? GetParent()->GetCommandBars() : nullptr);
        buttons = barControls(*this);
    }
    buttons->RemoveAll();
    for (const Camera& camera : m_cameras) {
        CXTPControl* button = buttons->Add(new CameraPopupButton(camera.id, camera.name), GetID());
        button->SetChecked(camera.id == m_current);
    }
    m_listChanged = false;
}

void OptixCameraPopup::OnSetPopup(BOOL popup) {
    // While customising, the bar shows what it held: the user arranges controls, not cameras.
    const CXTPControls* buttons = barControls(*this);
    const bool stale = m_listChanged || !buttons || !holdsOnly<CameraPopupButton>(*buttons);
    if (popup && stale && !inCustomizeMode(*this)) fillBar();
    Korvo::UI::AutoPopup::OnSetPopup(popup);
}

void OptixCameraPopup::Copy(CXTPControl* source, BOOL) {
    // Never the source's bar: each popup fills its own.
    Korvo::UI::AutoPopup::Copy(source, FALSE);
    if (auto* other = dynamic_cast<OptixCameraPopup*>(source)) {
        m_cameras = other->m_cameras;
        m_current = other->m_current;
        m_listChanged = true;
    }
}

void OptixCameraPopup::Reset() {
    m_cameras.clear();
    m_current = 0;
    m_listChanged = true;
}

void OptixCameraPopup::SetValue(KVDocument*, const void* value) {
    if (value) SelectCamera(*static_cast<const std::uint64_t*>(value), true);
}

void OptixCameraPopup::CopyFrom(IDataExchange* other) {
    auto* source = dynamic_cast<OptixCameraPopup*>(other);
    if (source && source != this) SelectCamera(source->m_current, false);
}

// Quality

IMPLEMENT_DYNCREATE(OptixQualityPopupButton, CXTPControlButton)

OptixQualityPopupButton::OptixQualityPopupButton() { SetFlags(GetFlags() | xtpFlagManualUpdate); }

void OptixQualityPopupButton::OnExecute() {
    if (OptixQualityPopup* popup = owningPopup<OptixQualityPopup>(this)) {
        popup->SelectQuality(GetControls()->IndexOf(this), true);
        if (GetID() == 0) return;  // the popup sent the command; a button without one sends nothing
    }
    CXTPControlButton::OnExecute();
}

IMPLEMENT_DYNCREATE(OptixQualityPopup, AutoPopup)

OptixQualityPopup::OptixQualityPopup(CXTPCommandBars* commandBars) {
    SetType(xtpControlPopup);
    SetFollowFlag(false);
    makeOwnBar(*this, commandBars);
    fillBar();
}

void OptixQualityPopup::fillBar() {
    CXTPControls* buttons = barControls(*this);
    if (!buttons) {
        makeOwnBar(*this, GetParent() ? GetParent()->GetCommandBars() : nullptr);
        buttons = barControls(*this);
    }
    if (buttons->GetCount() == static_cast<int>(std::size(kQualityStrings)) && holdsOnly<OptixQualityPopupButton>(*buttons)) return;
    buttons->RemoveAll();
    for (UINT caption : kQualityStrings) {
        CXTPControl* button = buttons->Add(new OptixQualityPopupButton, 0);
        button->SetCaption(KVLoadString(caption));
    }
}

void OptixQualityPopup::OnSetPopup(BOOL popup) {
    if (popup && !inCustomizeMode(*this)) {
        fillBar();
        SelectQuality(m_quality, false);
    }
    Korvo::UI::AutoPopup::OnSetPopup(popup);
}

OptixQualityPopup::~OptixQualityPopup() = default;

void OptixQualityPopup::SelectQuality(int index, bool notify) {
    if (barControls(*this)) fillBar();
    CXTPControls* buttons = barControls(*this);
    if (!buttons || index < 0 || index >= buttons->GetCount()) return;
    for (int i = 0; i < buttons->GetCount(); ++i) buttons->GetAt(i)->SetChecked(i == index);
    m_quality = index;
    showCaption(*this, buttons->GetAt(index)->GetCaption());
    if (notify) sendCommand(*this);
}

void OptixQualityPopup::Copy(CXTPControl* source, BOOL) {
    Korvo::UI::AutoPopup::Copy(source, FALSE);
    if (auto* other = dynamic_cast<OptixQualityPopup*>(source)) SelectQuality(other->m_quality, false);
}

void OptixQualityPopup::SetValue(KVDocument*, const void* value) {
    if (value) SelectQuality(*static_cast<const std::int32_t*>(value), false);
}

void OptixQualityPopup::CopyFrom(IDataExchange* other) {
    auto* source = dynamic_cast<OptixQualityPopup*>(other);
    if (source && source != this) SelectQuality(source->m_quality, false);
}
