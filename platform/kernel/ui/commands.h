// The kernel's command containers: command objects registered by id, built-in kernel commands
// known by id and name, and blocks of ids reserved with flags. A command the framework's route
// leaves unhandled reaches the containers from the UI library's main frame: a command object runs
// (or updates its user-interface item); a built-in kernel command is carried out by the kernel.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/mfc.h"

class CKVView;
class CKvw32Doc;

namespace Korvo {

// A set of bits of the enumeration `Flag`, kept in the enumeration's underlying type.
template <class Flag>
class FlagSet {
public:
    using Bits = std::underlying_type_t<Flag>;

    constexpr FlagSet() = default;
    constexpr FlagSet(Flag flag) : bits_(static_cast<Bits>(flag)) {}  // NOLINT: a flag is a set of one
    constexpr explicit FlagSet(Bits bits) : bits_(bits) {}

    constexpr Bits bits() const { return bits_; }
    constexpr bool none() const { return bits_ == 0; }
    // True when every bit of `flags` is set.
    constexpr bool test(FlagSet flags) const { return (bits_ & flags.bits_) == flags.bits_; }
    constexpr FlagSet& set(FlagSet flags, bool on = true) {
        bits_ = on ? (bits_ | flags.bits_) : (bits_ & ~flags.bits_);
        return *this;
    }

    friend constexpr FlagSet operator|(FlagSet a, FlagSet b) { return FlagSet(static_cast<Bits>(a.bits_ | b.bits_)); }
    friend constexpr FlagSet operator&(FlagSet a, FlagSet b) { return FlagSet(static_cast<Bits>(a.bits_ & b.bits_)); }
    friend constexpr bool operator==(FlagSet a, FlagSet b) = default;

private:
    Bits bits_ = 0;
};

}  // namespace Korvo

// Kernel command flags. Their meaning is the kernel's; callers pass the values they were given.
enum class KVCommandFlag : std::uint32_t {};
using KVCommandFlags = Korvo::FlagSet<KVCommandFlag>;

// A command the kernel runs by id. Owned by the command container once registered.
class KVCommand {
public:
    KVCommand(UINT commandNumber, std::wstring_view name, KVCommandFlags flags);
    virtual ~KVCommand();
    KVCommand(const KVCommand&) = delete;
    KVCommand& operator=(const KVCommand&) = delete;

    // Carries the command out in `view` and `document` (either may be null); the answer is the
    // handler's.
    virtual std::int64_t Run(CKVView* view, CKvw32Doc* document, std::int64_t argument) = 0;
    // Sets the state of a user-interface item of the command; the base leaves it as it is.
    virtual void UpdateUI(CKVView* view, CKvw32Doc* document, CCmdUI* cmdUI);

    UINT GetCommandNumber() const { return commandNumber_; }
    const std::wstring& GetName() const { return name_; }
    KVCommandFlags GetFlags() const { return flags_; }

private:
    UINT commandNumber_;
    std::wstring name_;
    KVCommandFlags flags_;
};

// A command that needs no document: its handler gets the argument.
class KVSystemCommand : public KVCommand {
public:
    using Handler = int (*)(std::int64_t argument);
    using UpdateHandler = void (*)(CCmdUI* cmdUI);

    KVSystemCommand(UINT commandNumber, std::wstring_view name, Handler handler, UpdateHandler updateHandler,
                    KVCommandFlags flags);

    std::int64_t Run(CKVView* view, CKvw32Doc* document, std::int64_t argument) override;
    void UpdateUI(CKVView* view, CKvw32Doc* document, CCmdUI* cmdUI) override;

    bool HasUpdateHandler() const { return updateHandler_ != nullptr; }

private:
    Handler handler_;
    UpdateHandler updateHandler_;
};

// A command that works on the active document: its handlers get the document (null when there
// is none; the handler decides what that means).
class KVDocumentCommand : public KVCommand {
public:
    using Handler = int (*)(CKvw32Doc* document);
    using UpdateHandler = void (*)(CKvw32Doc* document, CCmdUI* cmdUI);

    KVDocumentCommand(UINT commandNumber, std::wstring_view name, Handler handler, UpdateHandler updateHandler,
                      KVCommandFlags flags);

    std::int64_t Run(CKVView* view, CKvw32Doc* document, std::int64_t argument) override;
    void UpdateUI(CKVView* view, CKvw32Doc* document, CCmdUI* cmdUI) override;

    bool HasUpdateHandler() const { return updateHandler_ != nullptr; }

private:
    Handler handler_;
    UpdateHandler updateHandler_;
};

// The kernel's command container. Ids are 1 to 65535; an id (or a block of ids) is registered
// once: a second registration of an id already known to either container is refused.
class KVCommandContainer {
public:
    static KVCommandContainer& Instance();

    // Registers a command object under `id`. The container owns `command` from this call on,
    // whatever the answer (a refused command is deleted).
    bool RegisterCommand(KVCommand* command, UINT id);
    // Registers a built-in kernel command by id and name.
    bool RegisterCommand(UINT id, std::wstring_view name, KVCommandFlags flags);
    // Reserves the ids firstId to lastId (inclusive) with `flags`; refused when any of them is
    // registered already.
    bool RegisterCommands(UINT firstId, UINT lastId, KVCommandFlags flags);

    // Whether either container knows `id` (by object, by name or in a block).
    bool IsRegistered(UINT id) const;
    // The ids from firstId to lastId (inclusive) that either container knows, ascending: what
    // IsRegistered says of each, in one look at the table.
    std::vector<UINT> RegisteredIds(UINT firstId, UINT lastId) const;
    // The command object registered under `id`, or null.
    KVCommand* FindCommand(UINT id) const;

    // Dispatch, from the UI library's main frame, of a command the framework's route left. A
    // command object runs; a built-in kernel command is carried out. False when the kernel has
    // nothing to run for `id` (unknown ids and reserved blocks).
    bool ExecuteCommand(UINT id, CKVView* view, CKvw32Doc* document, std::int64_t argument);
    // The update of a command object's user-interface item; false for every other id (built-in
    // kernel commands stay as the route left them).
    bool UpdateCommandUI(UINT id, CKVView* view, CKvw32Doc* document, CCmdUI* cmdUI);
    // Whether ExecuteCommand would run something for `id`.
    bool HasHandler(UINT id) const;
    // The symbolic name `id` was registered with; empty when it has none.
    CString GetCommandName(UINT id) const;
    // The flags `id` was registered with (a block's for an id inside it); none for an unknown id.
    KVCommandFlags GetCommandFlags(UINT id) const;
    // The id registered under the symbolic name (exact case); 0 when none is.
    UINT GetCommandId(std::wstring_view name) const;

private:
    KVCommandContainer() = default;
};

// Whether the kernel shows command `id` to the user (in menus, lists and searches).
bool IsCommandVisible(UINT id);

// Numbers in the kernel's XML and text files: a decimal integer with optional sign and blanks
// around it.
namespace KorvoXML {
// The number, or 0 when the text is none.
int StringToInt(const wchar_t* text);
// False, leaving `value` as it was, when the text is no number or does not fit an int.
bool TryStringToInt(const wchar_t* text, int& value);
}  // namespace KorvoXML

// The kernel's own handler of the new-window command: opens another window on `document` in
// the active main frame. Returns 1 when a window opened, 0 otherwise.
int new_window(CKvw32Doc* document);
