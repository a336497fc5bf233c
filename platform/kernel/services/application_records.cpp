// What the kernel keeps of each add-on application: its descriptor entry, its start state and its
// section of the applications ini file; and the managed applications behind the manager's proxy.
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/text.h"
#include "platform/kernel/record.h"
#include "platform/kernel/services/applications.h"
#include "platform/win32/files/file.h"

namespace {

using platform::kernel::quoted;
using platform::kernel::recordCall;

// Managed applications: never destroyed while the process runs, as the native ones.
struct ManagedApplications {
    std::mutex mutex;
    std::map<std::wstring, std::unique_ptr<CKVBaseApplication>, platform::core::NoCaseLess> byName;
    std::vector<CKVBaseApplication*> listed;
    std::vector<std::unique_ptr<CKVBaseApplication>> removed;
};

ManagedApplications& managed() {
    static auto* objects = new ManagedApplications();
    return *objects;
}

std::wstring flagsText(DWORD flags) { return std::to_wstring(flags); }

// The ini text with section `name` replaced by (or extended with) `body`; other lines are kept
// as they were.
std::wstring replaceSection(std::wstring_view text, std::wstring_view name, std::wstring_view body) {
    std::wstring result;
    bool inTarget = false;
    bool written = false;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(L'\n', at);
        if (end == std::wstring_view::npos) end = text.size();
        std::wstring_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        std::wstring_view trimmed = line;
        while (!trimmed.empty() && (trimmed.front() == L' ' || trimmed.front() == L'\t')) trimmed.remove_prefix(1);
        if (!trimmed.empty() && trimmed.front() == L'[') {
            const std::size_t close = trimmed.find(L']');
            const std::wstring_view section = trimmed.substr(1, close == std::wstring_view::npos ? 0 : close - 1);
            inTarget = platform::core::compareNoCase(section, name) == 0;
            if (inTarget && !written) {
                result += body;
                written = true;
            }
        }
        if (inTarget) continue;
        result.append(line);
        result += L"\r\n";
    }
    if (!written) result += body;
    return result;
}

}  // namespace

bool kvaux::ApplicationIniFileEntry::Read(const kvio::IniFile& ini, LPCWSTR section, LPCWSTR) {
    if (!section || !ini.HasSection(section)) return false;
    name = ini.GetString(section, L"Name");
    title = ini.GetString(section, L"Title");
    path = ini.GetString(section, L"Path");
    description = ini.GetString(section, L"Description");
    type = ini.GetInt(section, L"Type", 1);
    flags = static_cast<DWORD>(ini.GetInt(section, L"Flags"));
    version = ini.GetInt(section, L"Version");
    return !path.IsEmpty();
}

void CKVBaseApplication::Describe(const kvaux::ApplicationIniFileEntry& entry, Origin origin, bool isManaged) {
    title_ = entry.name.IsEmpty() ? entry.title : entry.name;
    path_ = entry.path;
    flags_ = entry.flags;
    origin_ = origin;
    managed_ = isManaged;
    // A descriptor's application is loaded but not started until someone starts it.
    running_ = origin == Origin::IniFile;
}

void CKVBaseApplication::SetFlag(DWORD flag, bool on) {
    recordCall(L"CKVApplication::SetFlag(" + quoted(name_.str()) + L", " + std::to_wstring(flag) + L", " +
               platform::kernel::boolText(on) + L")");
    flags_ = on ? (flags_ | flag) : (flags_ & ~flag);
}

bool CKVBaseApplication::IsNotFound() const {
    return !path_.IsEmpty() && GetFileAttributesW(path_) == INVALID_FILE_ATTRIBUTES;
}

void CKVBaseApplication::SetAutoStart(bool on) {
    recordCall(L"CKVBaseApplication::SetAutoStart(" + quoted(name_.str()) + L", " + platform::kernel::boolText(on) + L")");
    flags_ = on ? (flags_ | kAutoStart) : (flags_ & ~kAutoStart);
}

void CKVBaseApplication::SetExplicitStartOnly(bool on) {
    recordCall(L"CKVBaseApplication::SetExplicitStartOnly(" + quoted(name_.str()) + L", " +
               platform::kernel::boolText(on) + L")");
    flags_ = on ? (flags_ | kExplicitStartOnly) : (flags_ & ~kExplicitStartOnly);
}

bool CKVBaseApplication::SaveInINI(LPCWSTR path) const {
    const std::wstring file = path ? path : L"";
    recordCall(L"CKVBaseApplication::SaveInINI(" + quoted(name_.str()) + L", " + quoted(file) + L")");
    std::string bytes;
    platform::files::readAll(file, bytes);  // a missing file starts empty
    std::wstring body = L"[" + std::wstring(name_.view()) + L"]\r\nName=" + std::wstring(title_.view()) + L"\r\nPath=" +
                        std::wstring(path_.view()) + L"\r\nType=" + (managed_ ? L"2" : L"1") + L"\r\nFlags=" +
                        flagsText(flags_) + L"\r\n";
    const std::wstring text = replaceSection(platform::core::fromUtf8(bytes), name_.view(), body);
    return platform::files::writeAllAtomic(file, platform::core::toUtf8(text)) == 0;
}

bool CKVBaseApplication::Start(bool firstPhase, bool interactive) {
    recordCall(L"CKVBaseApplication::Start(" + quoted(name_.str()) + L", " + platform::kernel::boolText(firstPhase) + L", " +
               platform::kernel::boolText(interactive) + L")");
    if (IsNotFound()) {
        errorText_ = L"The program file is missing";
        return false;
    }
    errorText_.Empty();
    running_ = true;
    return true;
}

void CKVBaseApplication::CreateTools() { recordCall(L"CKVBaseApplication::CreateTools(" + quoted(name_.str()) + L")"); }

IApplicationManagerProxy* ApplicationManager::Proxy() {
    static IApplicationManagerProxy proxy;
    return &proxy;
}

int IApplicationManagerProxy::GetCount() const {
    auto& objects = managed();
    std::lock_guard lock(objects.mutex);
    return static_cast<int>(objects.listed.size());
}

CKVBaseApplication* IApplicationManagerProxy::GetAt(int index) const {
    auto& objects = managed();
    std::lock_guard lock(objects.mutex);
    if (index < 0 || static_cast<std::size_t>(index) >= objects.listed.size()) return nullptr;
    return objects.listed[static_cast<std::size_t>(index)];
}

CKVBaseApplication* IApplicationManagerProxy::Find(LPCWSTR identifier) const {
    auto& objects = managed();
    std::lock_guard lock(objects.mutex);
    const auto it = objects.byName.find(std::wstring(identifier ? identifier : L""));
    return it == objects.byName.end() ? nullptr : it->second.get();
}

CKVBaseApplication* IApplicationManagerProxy::Add(LPCWSTR identifier, const kvaux::ApplicationIniFileEntry& entry, int) {
    const std::wstring id = identifier ? identifier : L"";
    recordCall(L"IApplicationManagerProxy::Add(" + quoted(id) + L")");
    if (id.empty() || entry.type == 0 || entry.type == 1) return nullptr;
    auto& objects = managed();
    std::lock_guard lock(objects.mutex);
    auto& slot = objects.byName[id];
    if (slot) return nullptr;
    slot = std::make_unique<CKVBaseApplication>(id.c_str());
    slot->Describe(entry, CKVBaseApplication::Origin::Added, true);
    objects.listed.push_back(slot.get());
    return slot.get();
}

bool IApplicationManagerProxy::Remove(LPCWSTR identifier) {
    const std::wstring id = identifier ? identifier : L"";
    recordCall(L"IApplicationManagerProxy::Remove(" + quoted(id) + L")");
    auto& objects = managed();
    std::lock_guard lock(objects.mutex);
    const auto it = objects.byName.find(id);
    if (it == objects.byName.end()) return false;
    std::erase(objects.listed, it->second.get());
    objects.removed.push_back(std::move(it->second));
    objects.byName.erase(it);
    return true;
}
