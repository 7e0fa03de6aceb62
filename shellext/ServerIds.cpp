#include "ServerIds.h"

#include <cstring>

// {68F32140-2CA3-11D0-ACC1-444553540000}
const CLSID CLSID_ContextMenuExtension = {
    0x68F32140, 0x2CA3, 0x11D0, {0xAC, 0xC1, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

bool SameId(REFGUID a, REFGUID b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
