// Choosing a document's material from the PDM system's material library: the material's texts
// go into the document variables that carry it.
#include "app/commands/application_command_handlers.h"
#include "app/kvw32_app.h"

namespace AppCommands {

namespace {

// The variables by the kernel's country: the English names, or the local-language ones when
// COUNTRY is 0. The material's id has one name everywhere.
std::array<const wchar_t*, 4> MaterialVariableNames() {
    if (COUNTRY != 0) return {L"$Material2", L"$Material3", L"$Material4", L"$MaterialVarnelId"};
    return {L"$Материал2", L"$Материал3", L"$Материал4", L"$MaterialVarnelId"};
}

void SetTextVariable(KVDocument& container, const CString& name, const CString& text) {
    int index = container.FindVariable(name);
    if (index < 0) index = container.CreateVar(name);
    if (KVVariable* variable = container.GetVariableForEdit(index)) variable->text = text;
}

}  // namespace

int OnSelectVarnelMaterial(CKvw32Doc* document) {
    KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
    if (!document || !workMix) return 0;
    std::optional<VarnelMaterial> material;
    try {
        KVPDMItem* item = workMix->FindFile(SharedPathName(document->GetPathName()));
        material = Korvo::UI::ChooseVarnelMaterial(document->GetNomenclatureReference(), item);
        if (item) item->Release();
    } catch (KVPDMExceptionProxy* error) {
        error->Report();
        error->Delete();
        return 0;
    }
    if (!material) return 0;
    KVDocument* container = document->Cont2D();
    const auto names = MaterialVariableNames();
    container->start_undo_block(0, 0);
    for (int i = 0; i < 3; ++i) SetTextVariable(*container, names[static_cast<std::size_t>(i)], material->fields[i]);
    SetTextVariable(*container, names[3], material->id);
    container->end_undo_block();
    container->Regenerate();
    return 1;
}

void UpdateSelectVarnelMaterial(CKvw32Doc* document, CCmdUI* cmdUI) {
    cmdUI->Enable(document && document->GetEmbeddedLinkId() == 0 && KVPDMWorkMix::IsActive());
}

}  // namespace AppCommands
