// The application's user-defined commands (ids 37000 to 37999), a settings-profile item of their
// own. There are none in this build yet.
#pragma once

class CKVUserCommands {
public:
    CKVUserCommands() = default;
    CKVUserCommands(const CKVUserCommands&) = delete;
    CKVUserCommands& operator=(const CKVUserCommands&) = delete;
};
