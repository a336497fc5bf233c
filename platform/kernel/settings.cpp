#include "platform/kernel/settings.h"

NativeSettings& GetSettings() {
    static NativeSettings settings;
    return settings;
}

NativeOptions& GetOptions() {
    static NativeOptions options;
    return options;
}
