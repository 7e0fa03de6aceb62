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
