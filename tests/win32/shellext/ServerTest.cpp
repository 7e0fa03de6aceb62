// The class object, the handler's interfaces and when the library may unload.
#include "ShellClient.h"

#include <gtest/gtest.h>

namespace {

ComRef<IClassFactory> ClassObject() {
  ComRef<IClassFactory> factory;
  EXPECT_EQ(ServerGetClassObject(kGlimmoraClassId, IID_IClassFactory, factory.OutVoid()), S_OK);
  return factory;
}

TEST(ClassObject, OtherClassIdIsNotAvailableAndLeavesNoObject) {
  void* object = &object;
  EXPECT_EQ(ServerGetClassObject(IID_IClassFactory, IID_IClassFactory, &object),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
}

TEST(ClassObject, EachCallMakesANewOneThatKeepsTheLibraryLoaded) {
  ASSERT_EQ(ServerCanUnloadNow(), S_OK);
  ComRef<IClassFactory> first = ClassObject();
  ComRef<IClassFactory> second = ClassObject();
  ASSERT_TRUE(first && second);
  EXPECT_NE(first.Get(), second.Get());
  EXPECT_EQ(ServerCanUnloadNow(), S_FALSE);
  first.Reset();
  EXPECT_EQ(ServerCanUnloadNow(), S_FALSE);
  second.Reset();
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

TEST(ClassObject, CountsItsReferencesFromTheFirstQuestion) {
  ComRef<IClassFactory> factory = ClassObject();
  ASSERT_TRUE(factory);
  EXPECT_EQ(factory->AddRef(), 2u);
  EXPECT_EQ(factory->Release(), 1u);
}

TEST(ClassObject, LockServerDoesNotKeepTheLibraryLoaded) {
  ComRef<IClassFactory> factory = ClassObject();
  ASSERT_TRUE(factory);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory.Reset();
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

TEST(ClassObject, OffersOnlyUnknownAndClassFactory) {
  ComRef<IClassFactory> factory = ClassObject();
  ASSERT_TRUE(factory);
  ComRef<IUnknown> unknown;
  EXPECT_EQ(factory->QueryInterface(IID_IUnknown, unknown.OutVoid()), S_OK);
  EXPECT_EQ(static_cast<void*>(unknown.Get()), static_cast<void*>(factory.Get()));
  void* other = &other;
  EXPECT_EQ(factory->QueryInterface(IID_IContextMenu, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
}

TEST(ClassObject, AskedForAnotherInterfaceLeavesNothingLoaded) {
  void* object = &object;
  EXPECT_EQ(ServerGetClassObject(kGlimmoraClassId, IID_IContextMenu, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

TEST(ClassObject, RefusesAggregation) {
  ComRef<IClassFactory> factory = ClassObject();
  ASSERT_TRUE(factory);
  void* object = &object;
  EXPECT_EQ(factory->CreateInstance(factory.Get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
}

TEST(ClassObject, HandlerAskedForAnotherInterfaceLeavesNothingLoaded) {
  ComRef<IClassFactory> factory = ClassObject();
  ASSERT_TRUE(factory);
  void* object = &object;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  factory.Reset();
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

TEST(ClassObject, ANullOutPointerIsRefusedWithoutAnObjectLeft) {
  EXPECT_EQ(ServerGetClassObject(kGlimmoraClassId, IID_IClassFactory, nullptr), E_POINTER);
  ComRef<IClassFactory> factory = ClassObject();
  ASSERT_TRUE(factory);
  EXPECT_EQ(factory->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, nullptr), E_POINTER);
  ComRef<IContextMenu> menu = CreateMenuHandler();
  EXPECT_EQ(menu->QueryInterface(IID_IContextMenu, nullptr), E_POINTER);
  factory.Reset();
  menu.Reset();
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

TEST(Handler, OffersShellExtInitAsItsUnknownAndContextMenuButNotContextMenu2) {
  ComRef<IContextMenu> menu = CreateMenuHandler();
  ASSERT_TRUE(menu);
  ComRef<IShellExtInit> init;
  ComRef<IUnknown> unknown;
  ComRef<IContextMenu> again;
  ASSERT_EQ(menu->QueryInterface(IID_IShellExtInit, init.OutVoid()), S_OK);
  ASSERT_EQ(init->QueryInterface(IID_IUnknown, unknown.OutVoid()), S_OK);
  ASSERT_EQ(init->QueryInterface(IID_IContextMenu, again.OutVoid()), S_OK);
  EXPECT_EQ(static_cast<void*>(unknown.Get()), static_cast<void*>(init.Get()));
  EXPECT_EQ(again.Get(), menu.Get());
  void* menu2 = &menu2;
  EXPECT_EQ(menu->QueryInterface(IID_IContextMenu2, &menu2), E_NOINTERFACE);
  EXPECT_EQ(menu2, nullptr);
}

TEST(Handler, SharesOneCountAcrossItsInterfacesAndKeepsTheLibraryLoaded) {
  ComRef<IContextMenu> menu = CreateMenuHandler();
  ASSERT_TRUE(menu);
  ComRef<IShellExtInit> init;
  ASSERT_EQ(menu->QueryInterface(IID_IShellExtInit, init.OutVoid()), S_OK);
  EXPECT_EQ(init->AddRef(), 3u);
  EXPECT_EQ(menu->Release(), 2u);
  EXPECT_EQ(ServerCanUnloadNow(), S_FALSE);
  menu.Reset();
  EXPECT_EQ(ServerCanUnloadNow(), S_FALSE);
  init.Reset();
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

}  // namespace

namespace {

using GetClassObjectEntry = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

struct Hammer {
  GetClassObjectEntry entry;
  int rounds;
};

DWORD WINAPI MakeAndDropClassObjects(void* parameter) {
  const Hammer& hammer = *static_cast<const Hammer*>(parameter);
  for (int round = 0; round < hammer.rounds; ++round) {
    IClassFactory* factory = nullptr;
    if (hammer.entry(kGlimmoraClassId, IID_IClassFactory, reinterpret_cast<void**>(&factory)) ==
        S_OK)
      factory->Release();
  }
  return 0;
}

// Explorer runs folder windows on several threads, each making and dropping
// handlers of the one loaded library.
TEST(Library, ObjectsMadeOnManyThreadsAtOnceAllLetItGo) {
  ASSERT_EQ(ServerCanUnloadNow(), S_OK);
  // Looked up once: the loader's lock would take turns for the threads.
  const Hammer hammer = {
      reinterpret_cast<GetClassObjectEntry>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleA("Glimmora32.dll"), "DllGetClassObject"))),
      200000};
  ASSERT_TRUE(hammer.entry);
  HANDLE threads[4];
  for (HANDLE& thread : threads)
    thread =
        CreateThread(nullptr, 0, MakeAndDropClassObjects, const_cast<Hammer*>(&hammer), 0, nullptr);
  WaitForMultipleObjects(4, threads, TRUE, INFINITE);
  for (HANDLE thread : threads) CloseHandle(thread);
  EXPECT_EQ(ServerCanUnloadNow(), S_OK) << "the count did not come back to zero";
}

TEST(Library, UnloadsOnceEverythingIsReleasedAndLoadsAgain) {
  ComRef<IContextMenu> menu = CreateMenuHandler();
  ASSERT_TRUE(GetModuleHandleA("Glimmora32.dll"));
  CoFreeUnusedLibrariesEx(0, 0);
  CoFreeUnusedLibrariesEx(0, 0);
  EXPECT_TRUE(GetModuleHandleA("Glimmora32.dll")) << "unloaded while a handler lives";
  menu.Reset();
  CoFreeUnusedLibrariesEx(0, 0);
  CoFreeUnusedLibrariesEx(0, 0);
  EXPECT_FALSE(GetModuleHandleA("Glimmora32.dll"));
  menu = CreateMenuHandler();
  EXPECT_TRUE(menu);
  EXPECT_TRUE(GetModuleHandleA("Glimmora32.dll"));
}

}  // namespace
