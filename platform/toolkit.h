#pragma once
#include "platform/mfc.h"
