// The shell's side of Glimmora32: the class registered in the prefix's
// registry, handlers made by CoCreateInstance, and the server's exports.
#pragma once

#include "ComRef.h"

#include <windows.h>

#include <shlobj.h>

#include <string>
#include <vector>

extern const CLSID kGlimmoraClassId;

// A new handler from the registry, as Explorer makes one per right click.
ComRef<IContextMenu> CreateMenuHandler();
// The handler initialised with the shell's data object for `files`.
ComRef<IContextMenu> MenuHandlerFor(const std::vector<std::string>& files);
// `handler` initialised so; MenuHandlerFor makes it through the registry.
ComRef<IContextMenu> InitializedFor(ComRef<IContextMenu> handler,
                                    const std::vector<std::string>& files);

// A click on the handler's command `offset` for `files`, as Explorer makes
// it: a new handler, its items in a menu, the command, then all released.
HRESULT InvokeMenuCommand(const std::vector<std::string>& files, UINT offset);

// The exports of the loaded Glimmora32.dll.
HRESULT ServerGetClassObject(REFCLSID classId, REFIID interfaceId, void** object);
HRESULT ServerCanUnloadNow();
// Asks COM to free the library, as the shell does from time to time; true
// once it is no longer loaded.
bool ServerUnloaded();

// Test pictures: tests/data/<relative> as a Windows path.
std::string TestDataFile(const std::string& relative);
// A folder of the test's own in the prefix's temporary folder.
std::string ScratchFolder();
// A 24-bit BMP of width x height with a colourful pattern.
void WriteTestBmp(const std::string& path, int width, int height);
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
