// The user at the kernel's text dialogs: the insert-variable dialog and the text modules.
#include "platform/core/useragent.h"
#include "platform/harness.h"
#include "platform/mfc/dialogs/colordialog.h"

namespace platform::harness {

void User::expectVariable(std::optional<std::wstring> name) {
    platform::core::userAgent().expectKernelDialog(L"variable", std::move(name));
}

void User::expectTextModule(std::optional<std::wstring> text) {
    platform::core::userAgent().expectKernelDialog(L"text-module", std::move(text));
}

void User::expectColour(std::optional<COLORREF> colour) {
    platform::core::userAgent().expectKernelDialog(L"colour", colour ? std::optional(ColourTriple(*colour)) : std::nullopt);
}

void User::expectPrompt(std::optional<std::wstring> text) {
    platform::core::userAgent().expectKernelDialog(L"prompt", std::move(text));
}

void User::expectRichText(std::optional<std::wstring> text) {
    platform::core::userAgent().expectKernelDialog(L"rich-text", std::move(text));
}

void User::expectFolder(std::optional<std::wstring> folder) {
    platform::core::userAgent().expectKernelDialog(L"folder", std::move(folder));
}

void User::expectVarnelMaterial(std::optional<std::array<std::wstring, 4>> material) {
    std::optional<std::wstring> text;
    if (material) text = (*material)[0] + L"|" + (*material)[1] + L"|" + (*material)[2] + L"|" + (*material)[3];
    platform::core::userAgent().expectKernelDialog(L"material", std::move(text));
}

}  // namespace platform::harness
