#include "documentsmenu/configuration_opening.h"

namespace DocumentsMenu {

IConfiguration* OpenConfigurationFile(const CString& path, const CString& name) {
    IConfiguration* configuration = FindConfigurationByPath(path);
    if (!configuration) {
        configuration = CreateConfiguration(name, false);
        if (!configuration) return nullptr;
        if (!configuration->Load(path) || !GlobalCfgGroup()->AddConfiguration(configuration)) {
            configuration->Destroy();
            return nullptr;
        }
    }
    configuration->SetActive(true);
    return configuration;
}

}  // namespace DocumentsMenu
