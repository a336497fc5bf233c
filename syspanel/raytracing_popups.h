// The ray-tracing renderer's drop-downs: the camera to render from (2041) and the render quality
// (2042). Each owns the popup bar it opens; a choice there selects it and sends its command once.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/korvoui.h"
#include "syspanel/data_exchange.h"

class OptixCameraPopup;
class OptixQualityPopup;

// One camera of the camera popup's bar.
class CameraPopupButton : public CXTPControlButton {
    DECLARE_DYNCREATE(CameraPopupButton)
public:
    explicit CameraPopupButton(std::uint64_t cameraId = 0, const CString& caption = CString());
    std::uint64_t GetCameraId() const { return m_cameraId; }
    // Selects its camera in the popup it opened from; the popup sends the command, not the button.
    void OnExecute() override;
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;

private:
    std::uint64_t m_cameraId;
};

// The camera popup: its value is the camera id (uint64, 0: none).
class OptixCameraPopup : public Korvo::UI::AutoPopup, public IDataExchange {
    DECLARE_DYNCREATE(OptixCameraPopup)
public:
    struct Camera {
        std::uint64_t id = 0;
        CString name;
    };
    explicit OptixCameraPopup(CXTPCommandBars* commandBars = nullptr);
    ~OptixCameraPopup() override;

    // Replaces the cameras: first the entry for no camera (id 0, kernel string 12353), then one per
    // camera in the given order; selects `currentId` (0: none) without sending the command.
    void SetCameraList(const std::vector<Camera>& cameras, std::uint64_t currentId = 0);
    const std::vector<Camera>& GetCameraList() const { return m_cameras; }
    // Selects the camera of that id (an unknown id changes nothing); with `notify` the popup then
    // sends its command.
    void SelectCamera(std::uint64_t id, bool notify);

    // The bar is filled from the list only when it opens after the list changed.
    void OnSetPopup(BOOL popup) override;
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;

    void Reset() override;
    void SetValue(KVDocument* document, const void* value) override;  // a uint64, with notify
    const void* GetValue() override { return &m_current; }
    void CopyFrom(IDataExchange* other) override;
    // A 64-bit camera id: no kernel setter hands one.
    bool TakesValue(PanelValueKind) const override { return false; }

private:
    void fillBar();
    std::vector<Camera> m_cameras;
    std::uint64_t m_current = 0;
    bool m_listChanged = true;
};

// One quality of the quality popup's bar; its index on the bar is the quality index.
class OptixQualityPopupButton : public CXTPControlButton {
    DECLARE_DYNCREATE(OptixQualityPopupButton)
public:
    OptixQualityPopupButton();
    void OnExecute() override;
};

// The quality popup: its value is the quality index 0-3 (2 after a reset).
class OptixQualityPopup : public Korvo::UI::AutoPopup, public IDataExchange {
    DECLARE_DYNCREATE(OptixQualityPopup)
public:
    explicit OptixQualityPopup(CXTPCommandBars* commandBars = nullptr);
    ~OptixQualityPopup() override;

    // Only 0 to the number of buttons minus 1, and only while the bar exists; with `notify` the
    // popup then sends its command.
    void SelectQuality(int index, bool notify);

    // A bar that lost its buttons (a restored layout) gets them back as it opens.
    void OnSetPopup(BOOL popup) override;
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;

    void Initialize() override { Reset(); }
    void Reset() override { SelectQuality(2, false); }
    void SetValue(KVDocument* document, const void* value) override;  // an int32, no notify
    const void* GetValue() override { return &m_quality; }
    void CopyFrom(IDataExchange* other) override;
    bool TakesValue(PanelValueKind kind) const override { return kind == PanelValueKind::Word; }

private:
    void fillBar();
    std::int32_t m_quality = 0;
};
