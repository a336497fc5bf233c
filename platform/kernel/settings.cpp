#include "platform/kernel/settings.h"

NativeSettings& GetSettings() {
    static NativeSettings settings;
    return settings;
}

KVOptions& GetKVOptions() {
    static KVOptions options;
    return options;
}

NativeOptions& GetOptions() {
    static NativeOptions options;
    return options;
}
