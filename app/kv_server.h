// The automation object "KVW32.SERVER" through which other programs drive the application, and
// its class factory. The object offers no operations yet.
#pragma once

#include "platform/mfc.h"

class KVServer : public CCmdTarget {
    DECLARE_DYNCREATE(KVServer)
public:
    // An automation object keeps the application alive while a client holds it.
    KVServer();
    ~KVServer() override;
};

// The application's factory of automation objects; one running application serves every client.
class KVServerFactory : public COleObjectFactory {
public:
    KVServerFactory();
};

// The class id the factory registers ({34FF1B91-6F6F-11D0-81C9-004F56009C20}).
extern const CLSID CLSID_KVServer;
