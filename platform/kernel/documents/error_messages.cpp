#include "platform/kernel/documents/error_messages.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "platform/core/journal.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/kernel/techreq/tech_requirements.h"

namespace {

constexpr const wchar_t* kHiddenSection = L"HiddenErrors";
// More hidden messages than anyone hides by hand: a stored count above it is damage, and walking
// it would hang the first look at the list.
constexpr UINT kMostHidden = 1000;

int storedCount(CWinApp& app) {
    return static_cast<int>(std::min(app.GetProfileInt(kHiddenSection, L"Count", 0), kMostHidden));
}

}  // namespace

ContainerErrors::~ContainerErrors() {
    if (observer_) observer_->OnContainerDestroyed();
}

void ContainerErrors::BindToWindow(HWND window) {
    platform::kernel::recordCall(L"KVErrorContainer::BindToWindow(" + platform::kernel::handleText(window) + L")");
    boundWindow_ = window;
    bound_ = true;
}

void ContainerErrors::SetRecords(std::vector<KVErrorRecord> records) {
    records_ = std::move(records);
    if (observer_) observer_->OnMessagesChanged(!records_.empty());
}

void ContainerErrors::BlockError(int objectId) {
    platform::kernel::recordCall(L"ContainerErrors::BlockError(" + std::to_wstring(objectId) + L")");
    blocked_.insert(objectId);
}

bool ContainerErrors::IsBlocked(const KVErrorRecord& record) const {
    return !record.objects.empty() && blocked_.contains(record.objects.front());
}

bool ContainerErrors::IsAllMessagesBlocked() const {
    if (records_.empty()) return false;
    for (const KVErrorRecord& record : records_)
        if (!IsBlocked(record)) return false;
    return true;
}

ContainerErrors* CKvw32Doc::GetErrorCont(const KVDocRegenContext& context) const {
    if (context.GetDocument() != this) {
        platform::core::reportFailure(L"CKvw32Doc::GetErrorCont: the regeneration scope is another document's");
        return nullptr;
    }
    return errors_.get();
}

void errorHiddenData::load() const {
    if (loaded_) return;
    CWinApp* app = AfxGetApp();
    if (!app || !app->m_pszRegistryKey || !app->m_pszProfileName) return;  // no profile yet: read later
    loaded_ = true;
    const int count = storedCount(*app);
    for (int i = 1; i <= count; ++i) {
        const CString text = app->GetProfileString(kHiddenSection, (L"Message" + std::to_wstring(i)).c_str(), L"");
        if (!text.IsEmpty()) texts_.push_back(text);
    }
}

void errorHiddenData::save() const {
    CWinApp* app = AfxGetApp();
    if (!app || !app->m_pszRegistryKey || !app->m_pszProfileName) return;
    // Written whole: entries past the new count are emptied so a shorter list reads back as it is.
    const int old = storedCount(*app);
    for (int i = 1; i <= std::max(old, static_cast<int>(texts_.size())); ++i) {
        const auto index = static_cast<std::size_t>(i - 1);
        app->WriteProfileString(kHiddenSection, (L"Message" + std::to_wstring(i)).c_str(),
                                index < texts_.size() ? texts_[index].GetString() : L"");
    }
    app->WriteProfileInt(kHiddenSection, L"Count", static_cast<int>(texts_.size()));
}

void errorHiddenData::Add(const KVErrorRecord& record) {
    platform::kernel::recordCall(L"errorHiddenData::Add(" + platform::kernel::quoted(record.text.view()) + L")");
    load();
    if (record.text.IsEmpty() || Hides(record)) return;
    texts_.push_back(record.text);
    save();
}

bool errorHiddenData::IsEmpty() const {
    load();
    return texts_.empty();
}

bool errorHiddenData::Hides(const KVErrorRecord& record) const {
    load();
    for (const CString& text : texts_)
        if (text == record.text) return true;
    return false;
}

const std::vector<CString>& errorHiddenData::GetTexts() const {
    load();
    return texts_;
}

bool errorHiddenData::Remove(int index) {
    load();
    if (index < 0 || index >= static_cast<int>(texts_.size())) return false;
    texts_.erase(texts_.begin() + index);
    save();
    return true;
}

void errorHiddenData::ReadProfile(HKEY key) {
    DWORD type = 0, bytes = 0;
    if (::RegQueryValueExW(key, L"State", nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ) return;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key, L"State", nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) != ERROR_SUCCESS) return;
    text.resize(std::wcslen(text.c_str()));
    loaded_ = true;
    texts_.clear();
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find(L'\n', start), text.size());
        if (end > start) texts_.emplace_back(text.substr(start, end - start).c_str());
        start = end + 1;
    }
    save();
}

void errorHiddenData::WriteProfile(HKEY key) const {
    load();
    std::wstring text;
    for (const CString& message : texts_) text += std::wstring(message.GetString()) + L"\n";
    ::RegSetValueExW(key, L"State", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

errorHiddenData* GetHiddenErrorCont() {
    static errorHiddenData hidden;
    return &hidden;
}
