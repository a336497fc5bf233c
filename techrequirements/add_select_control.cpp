#include "techrequirements/add_select_control.h"

kvpf::BaseControl* AddSelectControl(kvpf::ContainerControl& container, const wchar_t* name) {
    return container.Add(kvpf::SelectControl::Create(name), -1);
}
