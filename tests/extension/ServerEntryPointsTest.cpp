// The library's four entry points: the class factory, the unload answer and the registration.

#include "platform/com/ClassFactory.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ContextMenu.h"
#include "platform/com/ShellExtInit.h"
#include "ExtensionFixture.h"

using namespace platform::com;
namespace registry = platform::registry;

namespace {

class ServerEntryPointsTest : public ExtensionFixture {
 protected:
  ComPtr<IClassFactory> Factory() {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(library->GetClassObject(kestrix::kClassId, IID_IClassFactory, factory.Out()), S_OK);
    return factory;
  }

  std::optional<std::string> DefaultValue(registry::Root root, const std::string& key) {
    auto store = Store();
    registry::RegKey opened;
    registry::Value value;
    if (store.OpenKey(registry::RegKey::Of(root), key, opened) != registry::Status::Ok) return std::nullopt;
    if (store.QueryValue(opened, "", value) != registry::Status::Ok) return std::string();
    return value.data;
  }

  static constexpr const char* kClassKey = "CLSID\\{6E1F0C3A-92B7-4D58-A1C4-3F7E2B9D8A65}";
};

TEST_F(ServerEntryPointsTest, ClassObjectIsTheFactoryOfOurClassOnly) {
  const Guid foreign = MakeGuid("{00000000-1111-2222-3333-444444444444}");
  struct Case {
    Guid classId;
    Guid interfaceId;
    HRESULT expected;
  };
  const Case cases[] = {
      {kestrix::kClassId, IID_IClassFactory, S_OK},
      {kestrix::kClassId, IID_IUnknown, S_OK},
      {kestrix::kClassId, IID_IContextMenu, E_NOINTERFACE},
      {foreign, IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
      {IID_IClassFactory, IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
  };
  for (const Case& c : cases) {
    void* object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(library->GetClassObject(c.classId, c.interfaceId, &object), c.expected) << GuidText(c.interfaceId);
    EXPECT_EQ(object == nullptr, c.expected != S_OK);
    if (object != nullptr) static_cast<IUnknown*>(object)->Release();
  }
  EXPECT_EQ(library->GetClassObject(kestrix::kClassId, IID_IClassFactory, nullptr), E_POINTER);
}

TEST_F(ServerEntryPointsTest, FactoryMakesHandlersWithBothShellInterfaces) {
  ComPtr<IClassFactory> factory = Factory();
  ComPtr<IShellExtInit> init;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IShellExtInit, init.Out()), S_OK);
  ComPtr<IContextMenu> menu;
  EXPECT_EQ(init->QueryInterface(IID_IContextMenu, menu.Out()), S_OK);
  ComPtr<IShellExtInit> again;
  EXPECT_EQ(menu->QueryInterface(IID_IShellExtInit, again.Out()), S_OK);
  EXPECT_EQ(static_cast<void*>(again.Get()), static_cast<void*>(init.Get()));

  ComPtr<IUnknown> unsupported;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDataObject, unsupported.Out()), E_NOINTERFACE);
  EXPECT_FALSE(unsupported);
  EXPECT_EQ(factory->CreateInstance(init.Get(), IID_IUnknown, unsupported.Out()), CLASS_E_NOAGGREGATION);
}

TEST_F(ServerEntryPointsTest, UnloadIsAllowedOnlyWithoutLiveHandlersAndLocks) {
  EXPECT_EQ(library->CanUnloadNow(), S_OK);
  ComPtr<IClassFactory> factory = Factory();
  {
    ComPtr<IContextMenu> first;
    ComPtr<IContextMenu> second;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, first.Out()), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, second.Out()), S_OK);
    EXPECT_EQ(library->CanUnloadNow(), S_FALSE);
    first.Reset();
    EXPECT_EQ(library->CanUnloadNow(), S_FALSE);
  }
  EXPECT_EQ(library->CanUnloadNow(), S_OK);

  // A handler refused for its interface leaves nothing alive.
  ComPtr<IUnknown> refused;
  factory->CreateInstance(nullptr, IID_IDataObject, refused.Out());
  EXPECT_EQ(library->CanUnloadNow(), S_OK);

  EXPECT_EQ(factory->LockServer(true), S_OK);
  EXPECT_EQ(factory->LockServer(true), S_OK);
  EXPECT_EQ(library->CanUnloadNow(), S_FALSE);
  factory->LockServer(false);
  EXPECT_EQ(library->CanUnloadNow(), S_FALSE);
  factory->LockServer(false);
  EXPECT_EQ(library->CanUnloadNow(), S_OK);
}

TEST_F(ServerEntryPointsTest, RegistrationWritesTheClassAndItsLibrary) {
  ASSERT_EQ(library->RegisterServer(), S_OK);
  EXPECT_EQ(DefaultValue(registry::Root::ClassesRoot, kClassKey), kestrix::kDescription);
  const std::string libraryPath = std::filesystem::absolute(KESTRIX_LIBRARY_PATH).string();
  EXPECT_EQ(DefaultValue(registry::Root::ClassesRoot, std::string(kClassKey) + "\\InprocServer32"), libraryPath);

  auto store = Store();
  registry::RegKey server;
  ASSERT_EQ(store.OpenKey(registry::RegKey::Of(registry::Root::ClassesRoot),
                          std::string(kClassKey) + "\\InprocServer32", server),
            registry::Status::Ok);
  std::vector<std::string> names;
  store.EnumValues(server, names);
  EXPECT_EQ(names, std::vector<std::string>{""}) << "no threading model of its own";
}

TEST_F(ServerEntryPointsTest, UnregistrationRemovesOnlyItsOwnKeys) {
  ASSERT_EQ(library->RegisterServer(), S_OK);
  // The folder handler the program registers stays: only the program removes it.
  auto store = Store();
  registry::RegKey handler;
  const std::string handlerKey = std::string("Folder\\shellex\\ContextMenuHandlers\\") + kestrix::kMenuText;
  ASSERT_EQ(store.CreateKey(registry::RegKey::Of(registry::Root::ClassesRoot), handlerKey, handler),
            registry::Status::Ok);

  EXPECT_EQ(library->UnregisterServer(), S_OK);
  EXPECT_EQ(DefaultValue(registry::Root::ClassesRoot, kClassKey), std::nullopt);
  EXPECT_NE(DefaultValue(registry::Root::ClassesRoot, handlerKey), std::nullopt);
  EXPECT_EQ(library->UnregisterServer(), S_OK) << "nothing left to remove is no failure";
}

TEST_F(ServerEntryPointsTest, UnregistrationKeepsAClassKeyWithOtherSubkeys) {
  ASSERT_EQ(library->RegisterServer(), S_OK);
  auto store = Store();
  registry::RegKey other;
  ASSERT_EQ(store.CreateKey(registry::RegKey::Of(registry::Root::ClassesRoot), std::string(kClassKey) + "\\Other",
                            other),
            registry::Status::Ok);
  EXPECT_EQ(library->UnregisterServer(), S_OK);
  EXPECT_EQ(DefaultValue(registry::Root::ClassesRoot, std::string(kClassKey) + "\\InprocServer32"), std::nullopt);
  EXPECT_NE(DefaultValue(registry::Root::ClassesRoot, kClassKey), std::nullopt);
}

}  // namespace
