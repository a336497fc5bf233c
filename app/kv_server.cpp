#include "app/kv_server.h"

const CLSID CLSID_KVServer{0x34FF1B91, 0x6F6F, 0x11D0, {0x81, 0xC9, 0x00, 0x4F, 0x56, 0x00, 0x9C, 0x20}};

IMPLEMENT_DYNCREATE(KVServer, CCmdTarget)

KVServer::KVServer() { AfxOleLockApp(); }

KVServer::~KVServer() { AfxOleUnlockApp(); }

KVServerFactory::KVServerFactory() : COleObjectFactory(CLSID_KVServer, RUNTIME_CLASS(KVServer), FALSE, nullptr) {}
