// The application command table's handlers that belong to the application object itself.
#include "app/kvw32_app.h"

int CKvw32App::OnQuit(std::int64_t) { return 0; }

int CKvw32App::OnWindowCloseAll(std::int64_t) { return 0; }
