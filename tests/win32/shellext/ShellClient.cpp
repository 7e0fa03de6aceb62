#include "ShellClient.h"

#include "MenuItems.h"
#include "ShellDataObject.h"
#include "tests/win32/support/WinePaths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

// {68F32140-2CA3-11D0-ACC1-444553540000}
const CLSID kGlimmoraClassId = {
    0x68F32140, 0x2CA3, 0x11D0, {0xAC, 0xC1, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

namespace {

const char kClassKey[] = "CLSID\\{68F32140-2CA3-11D0-ACC1-444553540000}";

void SetDefaultValue(const std::string& key, const char* name, const std::string& value) {
  HKEY handle;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &handle, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
}

// The server registered for the whole run, as an installation would, with
// COM started on the test thread the way the shell's window thread has it.
class RegisteredServer : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    SetDefaultValue(kClassKey, nullptr, "Glimmora32");
    const std::string server = std::string(kClassKey) + "\\InprocServer32";
    SetDefaultValue(server, nullptr, WinePathOf(GLIMMORA32_DLL));
    SetDefaultValue(server, "ThreadingModel", "Apartment");
  }
  void TearDown() override {
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kClassKey) + "\\InprocServer32").c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kClassKey);
    CoUninitialize();
  }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new RegisteredServer);

void* ServerExport(const char* name) {
  HMODULE server = GetModuleHandleA("Glimmora32.dll");
  if (!server) {
    // Loaded by COM the way the shell would, then found by name.
    CreateMenuHandler();
    server = GetModuleHandleA("Glimmora32.dll");
  }
  return server ? reinterpret_cast<void*>(GetProcAddress(server, name)) : nullptr;
}

}  // namespace

ComRef<IContextMenu> CreateMenuHandler() {
  ComRef<IContextMenu> menu;
  EXPECT_EQ(CoCreateInstance(kGlimmoraClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IContextMenu,
                             menu.OutVoid()),
            S_OK);
  return menu;
}

ComRef<IContextMenu> MenuHandlerFor(const std::vector<std::string>& files) {
  return InitializedFor(CreateMenuHandler(), files);
}

ComRef<IContextMenu> InitializedFor(ComRef<IContextMenu> menu,
                                    const std::vector<std::string>& files) {
  ComRef<IDataObject> data = ShellDataObjectFor(files);
  EXPECT_TRUE(data) << "the shell made no data object for " << files.front();
  ComRef<IShellExtInit> init;
  if (menu && SUCCEEDED(menu->QueryInterface(IID_IShellExtInit, init.OutVoid()))) {
    EXPECT_EQ(init->Initialize(nullptr, data.Get(), nullptr), S_OK);
  }
  return menu;
}

HRESULT InvokeMenuCommand(const std::vector<std::string>& files, UINT offset) {
  HMENU shellMenu = ShellMenuWith({"&Open"});
  HRESULT result = E_FAIL;
  {
    ComRef<IContextMenu> menu = MenuHandlerFor(files);
    if (menu) {
      menu->QueryContextMenu(shellMenu, 1, kFirstId, kFirstId + 50, CMF_NORMAL);
      CMINVOKECOMMANDINFO info{};
      info.cbSize = sizeof info;
      info.lpVerb = MAKEINTRESOURCEA(offset);
      info.nShow = SW_SHOWNORMAL;
      result = menu->InvokeCommand(&info);
    }
  }
  DestroyMenu(shellMenu);
  return result;
}

HRESULT ServerGetClassObject(REFCLSID classId, REFIID interfaceId, void** object) {
  using Entry = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto entry = reinterpret_cast<Entry>(ServerExport("DllGetClassObject"));
  return entry ? entry(classId, interfaceId, object) : E_FAIL;
}

HRESULT ServerCanUnloadNow() {
  using Entry = HRESULT(STDAPICALLTYPE*)();
  const auto entry = reinterpret_cast<Entry>(ServerExport("DllCanUnloadNow"));
  return entry ? entry() : E_FAIL;
}

bool ServerUnloaded() {
  CoFreeUnusedLibrariesEx(0, 0);
  CoFreeUnusedLibrariesEx(0, 0);
  return GetModuleHandleA("Glimmora32.dll") == nullptr;
}

std::string TestDataFile(const std::string& relative) {
  std::string path = std::string(ZEL95_TEST_DATA) + "/" + relative;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string ScratchFolder() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "glimmora-menu";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void WriteTestBmp(const std::string& path, int width, int height) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = static_cast<DWORD>(stride * height);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  std::string pixels(info.biSizeImage, '\0');
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      char* pixel = &pixels[static_cast<size_t>(y) * stride + 3 * x];
      pixel[0] = static_cast<char>(255 * y / height);               // blue
      pixel[1] = static_cast<char>(((x / 25 + y / 25) & 1) * 200);  // green
      pixel[2] = static_cast<char>(255 * x / width);                // red
    }
  WriteFileBytes(path, bytes + pixels);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
