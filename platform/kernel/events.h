// Application events: the kernel's synchronous notifications by numeric id. Listeners are called
// on the raising thread, in subscription order; a listener unsubscribes in its destructor.
#pragma once

#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/mfc.h"

class CKvw32Doc;
class CKVBaseView;

// Arguments of an event: flags, and the document and view it concerns (either may be null);
// events with a payload derive from it.
class ApplicationEventArgs {
public:
    ApplicationEventArgs() = default;
    ApplicationEventArgs(DWORD flags, CKvw32Doc* document, CKVBaseView* view)
        : flags_(flags), eventDocument_(document), view_(view) {}
    virtual ~ApplicationEventArgs() = default;
    DWORD GetFlags() const { return flags_; }
    CKvw32Doc* GetEventDocument() const { return eventDocument_; }
    CKVBaseView* GetView() const { return view_; }

private:
    DWORD flags_ = 0;
    CKvw32Doc* eventDocument_ = nullptr;
    CKVBaseView* view_ = nullptr;
};
namespace Korvo::UI {
struct Theme;
}

// The colour-book selection (event 1026): the application fills in what to show; a listener
// shows the colour books and fills in the result.
class AlterColorSelectArgs : public ApplicationEventArgs {
public:
    HWND owner = nullptr;
    CString folder;  // the colour books' folder
    CString text;    // a second text (empty)
    POINT cursor{};
    POINT origin{};
    bool chosen = false;
    COLORREF color = 0;
};
inline constexpr UINT kEventColourBookSelection = 1026;

// Event ids the application raises.
inline constexpr UINT kEventActiveDocumentChanged = 258;  // DocumentEventArgs: the panes' document
inline constexpr UINT kEventThemeChanged = 1033;          // ThemeEventArgs: the UI module's current theme
inline constexpr UINT kEventHelpWindowOpening = 1027;     // HelpWindowOpening: a help request

// Events after which the parameter controls show the document's values again (the selection, the
// active view or objects' properties changed, among others).
inline constexpr UINT kParameterEvents[] = {515, 531, 778, 783, 791, 1037};
inline constexpr UINT kEventObjectsPropertiesChanged = 1037;

// Event 1037: properties of objects changed; `kind` 0 comes from the material control's own write.
class ObjectsPropertiesChangedArgs : public ApplicationEventArgs {
public:
    ObjectsPropertiesChangedArgs(DWORD flags, CKvw32Doc* document, CKVBaseView* view, std::int32_t kind)
        : ApplicationEventArgs(flags, document, view), kind_(kind) {}
    std::int32_t GetKind() const { return kind_; }

private:
    std::int32_t kind_;
};

class DocumentEventArgs : public ApplicationEventArgs {
public:
    explicit DocumentEventArgs(CKvw32Doc* document) : ApplicationEventArgs(0, document, nullptr), document_(document) {}
    CKvw32Doc* GetDocument() const { return document_; }

private:
    CKvw32Doc* document_;
};

// Event 1027: help is about to open; the embedded help window may fill the address to show.
class HelpWindowOpening : public ApplicationEventArgs {
public:
    HelpWindowOpening(std::int64_t helpContext, CString helpFile, int topicId)
        : helpContext_(helpContext), helpFile_(std::move(helpFile)), topicId_(topicId) {}
    std::int64_t GetHelpContext() const { return helpContext_; }  // -1 unless a context was asked for
    const CString& GetHelpFile() const { return helpFile_; }
    int GetTopicId() const { return topicId_; }  // -1 when none is known
    const CString& GetAddress() const { return address_; }
    void SetAddress(const CString& address) const { address_ = address; }

private:
    std::int64_t helpContext_;
    CString helpFile_;
    int topicId_;
    mutable CString address_;
};

// Event 783: something was selected in a document's view; the flags say how.
class PopupToolBarEventArgs : public DocumentEventArgs {
public:
    PopupToolBarEventArgs(CKvw32Doc* document, DWORD flags) : DocumentEventArgs(document), flags_(flags) {}
    DWORD GetFlags() const { return flags_; }

private:
    DWORD flags_;
};

class ThemeEventArgs : public ApplicationEventArgs {
public:
    explicit ThemeEventArgs(const Korvo::UI::Theme& theme) : theme_(theme) {}
    const Korvo::UI::Theme& GetTheme() const { return theme_; }

private:
    const Korvo::UI::Theme& theme_;
};

class TypedApplicationEventListenerBase {
public:
    virtual ~TypedApplicationEventListenerBase();
    virtual void OnApplicationEvent(UINT eventId, const ApplicationEventArgs& args) = 0;

protected:
    TypedApplicationEventListenerBase() = default;
    TypedApplicationEventListenerBase(const TypedApplicationEventListenerBase&) = delete;
    TypedApplicationEventListenerBase& operator=(const TypedApplicationEventListenerBase&) = delete;

    void Subscribe(UINT eventId);
    void UnsubscribeAll();
};

// Listens to the given event ids from construction to destruction.
template <UINT... EventIds>
class TypedApplicationEventListener : public TypedApplicationEventListenerBase {
protected:
    TypedApplicationEventListener() { (Subscribe(EventIds), ...); }
    ~TypedApplicationEventListener() override { UnsubscribeAll(); }
};

class ApplicationEventManager {
public:
    static ApplicationEventManager& Instance();

    // Calls every listener of `eventId` that is subscribed when its turn comes: a listener that
    // unsubscribes (or is destroyed) during the raise is not called afterwards.
    void Raise(UINT eventId, const ApplicationEventArgs& args);

    void Subscribe(UINT eventId, TypedApplicationEventListenerBase* listener);
    void UnsubscribeAll(TypedApplicationEventListenerBase* listener);
    std::size_t ListenerCount(UINT eventId) const;

private:
    ApplicationEventManager() = default;
    bool isSubscribed(UINT eventId, const TypedApplicationEventListenerBase* listener) const;

    struct Subscription {
        UINT eventId;
        TypedApplicationEventListenerBase* listener;
    };
    mutable std::recursive_mutex mutex_;
    std::vector<Subscription> subscriptions_;  // in subscription order
};
