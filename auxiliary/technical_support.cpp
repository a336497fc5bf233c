#include "auxiliary/technical_support.h"

int SendTechnicalSupportRequest() { return 0; }
