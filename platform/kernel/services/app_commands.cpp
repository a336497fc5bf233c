#include "platform/kernel/services/app_commands.h"

bool IApplicationCommand::IsEqualID(const IApplicationCommand& other) const {
    return GetIdentityKey() == other.GetIdentityKey();
}

std::wstring IApplicationCommand::GetIdentityKey() const {
    // The identifier's text form is canonical, so equal identifiers give equal texts.
    return std::to_wstring(GetKind()) + L"|" + std::to_wstring(internalId_) + L"|" + GetIdString().GetString();
}

void IApplicationCommand::TakeOver(const IApplicationCommand& other) {
    name_ = other.name_;
    prompt_ = other.prompt_;
    helpFile_ = other.helpFile_;
    helpId_ = other.helpId_;
    internal_ = other.internal_;
    callbacks_ = other.callbacks_;
    asksForSelection_ = other.asksForSelection_;
}
