#pragma once
#include <windows.h>

// The one class this server makes: the image context-menu handler.
extern const CLSID CLSID_ContextMenuExtension;

// Interface identifiers are compared as 16-byte blocks.
bool SameId(REFGUID a, REFGUID b);
