// The one place a subsystem's services are found. The subsystem that owns an interface registers
// its implementation once, at start-up, and withdraws it when that object goes; callers below it
// find it here and never include the owner. Asking for one that is not registered is a strict
// failure naming the interface, never a quiet null.
#pragma once

#include <stdexcept>
#include <string>

namespace services {

template <class Interface>
class Registry {
public:
    static void Register(Interface* implementation) { slot() = implementation; }
    // Only the registered object withdraws itself, so a late destructor cannot unregister a newer one.
    static void Withdraw(const Interface* implementation)
    {
        if (slot() == implementation) slot() = nullptr;
    }
    // Null before start-up registered one and after it was withdrawn.
    static Interface* Find() { return slot(); }
    static Interface& Get()
    {
        if (Interface* found = slot()) return *found;
        throw std::logic_error(std::string("no ") + Interface::kServicesName + " are registered");
    }

private:
    static Interface*& slot()
    {
        static Interface* registered = nullptr;
        return registered;
    }
};

}  // namespace services
