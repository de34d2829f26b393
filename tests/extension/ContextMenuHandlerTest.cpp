// The folder handler driven as a file manager drives it: the selection, the menu entry, its
// help text and the start of the program with the folders.

#include <cstring>

#include "extension/host/HostWindow.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ShellExtInit.h"
#include "ExtensionFixture.h"

using namespace platform::com;

namespace {

// A selection that cannot give a file list.
class RefusingDataObject final : public IDataObject {
 public:
  HRESULT QueryInterface(const Guid&, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  uint32_t AddRef() override { return 1; }
  uint32_t Release() override { return 1; }
  HRESULT GetData(const FormatEtc*, StgMedium*) override { return DV_E_FORMATETC; }
};

class ContextMenuHandlerTest : public ExtensionFixture {
 protected:
  kestrix::TKestrixHost Host() { return kestrix::TKestrixHost(*library); }

  ComPtr<IContextMenu> Handler(const std::vector<std::string>& folders = {}) {
    ComPtr<IContextMenu> handler;
    EXPECT_EQ(Host().CreateHandler(folders, handler), S_OK);
    return handler;
  }

  // Invokes the entry for `folders` with the recording program and returns what it received.
  std::string InvokeAndRecord(const std::vector<std::string>& folders) {
    SetProgram(RecordingProgram());
    kestrix::THostWindow window;
    window.writeToStandardError = false;
    EXPECT_EQ(Host().Invoke(folders, &window), S_OK);
    EXPECT_TRUE(window.Messages().empty());
    return RecordedArguments().value_or("(never started)");
  }
};

TEST_F(ContextMenuHandlerTest, MenuHasTheEntryWithItsHelpText) {
  std::vector<kestrix::TMenuEntry> entries;
  ASSERT_EQ(Host().MenuEntries({"/tmp"}, entries), S_OK);
  EXPECT_EQ(entries, (std::vector<kestrix::TMenuEntry>{
                         {"Vantrel Software &Search...", "Search folder using Vantrel Software Search"}}));
}

TEST_F(ContextMenuHandlerTest, EntryIsAddedForNormalVerbAndTreeMenusOnly) {
  struct Case {
    uint32_t flags;
    HRESULT result;
  };
  const Case cases[] = {
      {CMF_NORMAL, 2}, {CMF_EXPLORE, 2}, {CMF_VERBSONLY, 2}, {CMF_DEFAULTONLY, 0}, {CMF_NOVERBS, 0},
      {CMF_DEFAULTONLY | CMF_EXPLORE, 2}, {0x10 | CMF_NORMAL, 2},
  };
  for (const Case& c : cases) {
    ComPtr<IContextMenu> handler = Handler({"/tmp"});
    Menu menu;
    EXPECT_EQ(handler->QueryContextMenu(&menu, 0, 100, 200, c.flags), c.result) << "flags " << c.flags;
    EXPECT_EQ(menu.Items().size(), static_cast<size_t>(c.result)) << "flags " << c.flags;
  }
}

TEST_F(ContextMenuHandlerTest, SeparatorStandsDirectlyAboveTheEntryAtThePosition) {
  ComPtr<IContextMenu> handler = Handler({"/tmp"});
  Menu menu;
  InsertMenu(&menu, 0, MF_BYPOSITION, 1, "Open");
  InsertMenu(&menu, 1, MF_BYPOSITION, 2, "Properties");
  ASSERT_EQ(handler->QueryContextMenu(&menu, 1, 40, 50, CMF_NORMAL), 2);
  ASSERT_EQ(menu.Items().size(), 4u);
  EXPECT_EQ(menu.Items()[0].text, "Open");
  EXPECT_TRUE(menu.Items()[1].separator);
  EXPECT_EQ(menu.Items()[1].id, 40u);
  EXPECT_EQ(menu.Items()[2].text, "Vantrel Software &Search...");
  EXPECT_EQ(menu.Items()[2].id, 40u);
  EXPECT_EQ(menu.Items()[3].text, "Properties");

  // The desktop's check marks are 16 by 16: the entry carries the 16-pixel image both ways.
  ASSERT_NE(menu.Items()[2].checkedImage, nullptr);
  EXPECT_EQ(menu.Items()[2].checkedImage, menu.Items()[2].uncheckedImage);
  EXPECT_EQ(menu.Items()[2].checkedImage->width, 16);
}

TEST_F(ContextMenuHandlerTest, HelpTextIsCutToTheBuffer) {
  ComPtr<IContextMenu> handler = Handler();
  char buffer[64];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(handler->GetCommandString(0, GCS_HELPTEXTA, nullptr, buffer, 10), S_OK);
  EXPECT_STREQ(buffer, "Search fo");
  EXPECT_EQ(buffer[10], 'x');

  std::memset(buffer, 'x', sizeof buffer);
  for (uint32_t type : {GCS_VERBA, GCS_VALIDATEA, GCS_VERBW, GCS_HELPTEXTW}) {
    EXPECT_EQ(handler->GetCommandString(0, type, nullptr, buffer, sizeof buffer), S_OK);
  }
  EXPECT_EQ(buffer[0], 'x') << "only the narrow help text is written";
  EXPECT_EQ(handler->GetCommandString(1, GCS_HELPTEXTA, nullptr, buffer, sizeof buffer), E_INVALIDARG);
  EXPECT_EQ(handler->GetCommandString(0, GCS_HELPTEXTA, nullptr, buffer, 0), S_OK);
}

TEST_F(ContextMenuHandlerTest, InitializeNeedsAFileList) {
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(library->GetClassObject(kestrix::kClassId, IID_IClassFactory, factory.Out()), S_OK);
  ComPtr<IShellExtInit> init;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IShellExtInit, init.Out()), S_OK);
  EXPECT_EQ(init->Initialize(nullptr, nullptr, nullptr), E_FAIL);
  RefusingDataObject refusing;
  EXPECT_EQ(init->Initialize(nullptr, &refusing, nullptr), DV_E_FORMATETC);
}

TEST_F(ContextMenuHandlerTest, OneFolderIsTheProgramsOnlyArgument) {
  EXPECT_EQ(InvokeAndRecord({"/data/one"}), "1\n[/data/one]\n");
}

TEST_F(ContextMenuHandlerTest, FoldersAreJoinedInOrderAndTrimmed) {
  EXPECT_EQ(InvokeAndRecord({"/data/a", "/data/b  ", "  /"}), "1\n[/data/a; /data/b; /]\n");
}

TEST_F(ContextMenuHandlerTest, FolderNamesReachTheProgramUntouched) {
  // No shell sees the names: blanks, quotes and dollars stay as they are; a ";" inside a name
  // is passed on as it is.
  const std::string odd = "/data/it's a \"quoted\" $HOME `x` \\ folder";
  EXPECT_EQ(InvokeAndRecord({odd, "/data/semi;colon"}), "1\n[" + odd + "; /data/semi;colon]\n");
}

TEST_F(ContextMenuHandlerTest, LongNamesAreTakenWhole) {
  const std::string longName = "/data/" + std::string(400, 'n');
  EXPECT_EQ(InvokeAndRecord({longName}), "1\n[" + longName + "]\n");
}

TEST_F(ContextMenuHandlerTest, WithoutASelectionTheFolderListIsEmpty) {
  EXPECT_EQ(InvokeAndRecord({}), "1\n[]\n");
}

TEST_F(ContextMenuHandlerTest, ProgramThatCannotStartShowsTheErrorMessage) {
  const auto notExecutable = tree.Write("search", "#!/bin/sh\n");
  for (const std::optional<std::string>& program :
       {std::optional<std::string>(), std::optional<std::string>((tree.Root() / "missing").string()),
        std::optional<std::string>(notExecutable.string())}) {
    if (program) SetProgram(*program);
    kestrix::THostWindow window;
    window.writeToStandardError = false;
    EXPECT_EQ(Host().Invoke({"/tmp"}, &window), S_OK) << program.value_or("no Program value");
    EXPECT_EQ(window.Messages(), std::vector<std::string>{"Error: Could not start Vantrel Software Search."});
    EXPECT_TRUE(window.ErrorShown());
  }
}

TEST_F(ContextMenuHandlerTest, VerbsOtherThanTheFirstOffsetAreRefused) {
  SetProgram(RecordingProgram());
  ComPtr<IContextMenu> handler = Handler({"/tmp"});
  CommandInvocation invocation;
  invocation.verb = "open";
  EXPECT_EQ(handler->InvokeCommand(&invocation), E_FAIL);
  invocation.verb = VerbFromOffset(1);
  EXPECT_EQ(handler->InvokeCommand(&invocation), E_INVALIDARG);
  EXPECT_EQ(handler->InvokeCommand(nullptr), E_INVALIDARG);
  EXPECT_FALSE(std::filesystem::exists(tree.Root() / "fixture program" / "arguments"));
}

}  // namespace
