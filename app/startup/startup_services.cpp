// Start-up services of the application whose full behaviour comes with the application-command
// file, the settings profiles and the PDM link.
#include "app/kvw32_app.h"

namespace {

constexpr int kPdmNotConnected = 2;

}  // namespace


void CKvw32App::ApplyStartupProfile() {}

int CKvw32App::ConnectPdmAtStartup() { return kPdmNotConnected; }
