// The automation layer against an automation object of our own, reached by
// all three roads of getObject; every reference is handed back.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include "automation/error_record.h"
#include "automation/statement.h"
#include "automation/vimbra_object.h"
#include "tests/support/registry_changes.h"
#include "tests/win/test_automation_object.h"

namespace {

using namespace automation;
using testing_support::kTestObjectClass;
using testing_support::kTestObjectClassText;
using testing_support::kTestObjectProgId;
using testing_support::outstandingReferences;

const std::wstring kPartly = L"The operation completed, but was only partially successful.";

class AutomationObjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    setDefault(std::wstring(kTestObjectProgId) + L"\\CLSID", kTestObjectClassText);
    setDefault(std::wstring(L"CLSID\\") + kTestObjectClassText + L"\\ProgID", kTestObjectProgId);
    ASSERT_EQ(CoRegisterClassObject(kTestObjectClass, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &classCookie),
              S_OK);
    running = new testing_support::TestObject(L"running");
    ASSERT_EQ(
        RegisterActiveObject(static_cast<IDispatch*>(running), kTestObjectClass, ACTIVEOBJECT_STRONG, &activeCookie),
        S_OK);
    referencesAtStart = outstandingReferences;
  }
  void TearDown() override {
    EXPECT_EQ(outstandingReferences, referencesAtStart) << "a reference was not handed back";
    EXPECT_EQ(VimbraObject::liveCount(), 0);
    EXPECT_EQ(lastErrorCode(), 0);
    RevokeActiveObject(activeCookie, nullptr);
    CoRevokeClassObject(classCookie);
    running->Release();
  }
  void setDefault(const std::wstring& key, const std::wstring& value) { registry.setDefault(key, value); }
  ObjectPointer runningObject() { return getObject(L"", kTestObjectProgId, true); }

  testing_support::RegistryChanges registry;  // the test class's ProgID, until the test ends
  testing_support::TestObjectFactory factory;
  testing_support::TestObject* running = nullptr;
  DWORD classCookie = 0, activeCookie = 0;
  LONG referencesAtStart = 0;
};

TEST_F(AutomationObjectTest, EveryRoadOfGetObjectReachesTheObject) {
  {
    ObjectPointer byProgId = runningObject();
    ASSERT_TRUE(byProgId) << std::hex << lastErrorCode();
    EXPECT_EQ(getStringProperty(*byProgId, L"Name"), L"running");
    ObjectPointer byClassId = getObject(L"", kTestObjectClassText, true);
    ASSERT_TRUE(byClassId) << std::hex << lastErrorCode();
    EXPECT_EQ(getStringProperty(*byClassId, L"Name"), L"running");
    ObjectPointer byFile = getObject(L"C:\\data\\notes.txt", kTestObjectProgId, true);
    ASSERT_TRUE(byFile) << std::hex << lastErrorCode();
    EXPECT_EQ(getStringProperty(*byFile, L"Name"), L"made");
    EXPECT_EQ(getStringProperty(*byFile, L"FileName"), L"C:\\data\\notes.txt");
    EXPECT_EQ(VimbraObject::liveCount(), 3);
    EXPECT_FALSE(getObject(L"", L"{00000000-0000-0000-0000-0000000000AB}", true));
    EXPECT_LT(lastErrorCode(), 0);
  }
}

TEST_F(AutomationObjectTest, PropertiesOfEachTypeComeBackAsText) {
  ObjectPointer object = runningObject();
  ASSERT_TRUE(object);
  EXPECT_EQ(getStringProperty(*object, L"Text"), L"hello");
  EXPECT_EQ(lastErrorText(), L"Okay.");
  EXPECT_EQ(getStringProperty(*object, L"Number"), L"42");
  EXPECT_FALSE(getStringProperty(*object, L"Flag").empty());  // the localised word for true
  EXPECT_EQ(getStringProperty(*object, L"Echo('it$0027s')"), L"it's");
  EXPECT_EQ(getStringProperty(*object, L"Echo(5 as long)"), L"5");
  EXPECT_EQ(getStringProperty(*object, L"Child\\Name"), L"child");
  EXPECT_EQ(getStringProperty(*object, L"Echo(1,2)"), L"");
  EXPECT_EQ(lastErrorCode(), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(getStringProperty(*object, L"Echo('x' 'y')"), L"");
  EXPECT_EQ(lastErrorCode(), E_INVALIDARG);
  object.reset();
}

TEST_F(AutomationObjectTest, ExceptionsKeepTheObjectsOwnDescription) {
  ObjectPointer object = runningObject();
  ASSERT_TRUE(object);
  EXPECT_EQ(getStringProperty(*object, L"Fail"), L"");
  EXPECT_EQ(lastErrorCode(), DISP_E_EXCEPTION);
  EXPECT_EQ(lastErrorText(), L"Disk full");
  EXPECT_EQ(getStringProperty(*object, L"FailSilently"), L"");
  EXPECT_EQ(lastErrorText(), L"An exception occurred during the execution of this method/property.");
  object.reset();
}

TEST_F(AutomationObjectTest, NullObjectsInChainsAndResultsAreReported) {
  ObjectPointer object = runningObject();
  ASSERT_TRUE(object);
  EXPECT_EQ(getStringProperty(*object, L"Child\\Nothing\\Text"), L"");
  EXPECT_EQ(lastErrorCode(), S_FALSE);
  EXPECT_EQ(lastErrorText(), kPartly + L" (The 'Nothing' property returned a NULL object!)");
  EXPECT_FALSE(getObjectProperty(*object, L"Nothing"));
  EXPECT_EQ(lastErrorText(), kPartly + L" (The property returned a NULL object!)");
  ObjectPointer child = getObjectProperty(*object, L"Child");
  ASSERT_TRUE(child);
  EXPECT_EQ(getStringProperty(*child, L"Name"), L"child");
  EXPECT_EQ(VimbraObject::liveCount(), 2);
  object.reset();
  EXPECT_EQ(getStringProperty(*child, L"Name"), L"child");  // independent of the object it came from
  child.reset();
}

TEST_F(AutomationObjectTest, AnObjectReturnedAsIUnknownIsAskedForIDispatchInAChain) {
  ObjectPointer object = runningObject();
  ASSERT_TRUE(object);
  EXPECT_EQ(getStringProperty(*object, L"Unknown\\Name"), L"unknown");
  EXPECT_EQ(lastErrorCode(), S_OK);
}

TEST_F(AutomationObjectTest, CollectionsEnumerateTheirElementsOnce) {
  ObjectPointer object = runningObject();
  ASSERT_TRUE(object);
  EnumerationPointer items = createEnumeration(*object, L"Items");
  ASSERT_TRUE(items);
  std::vector<std::wstring> names;
  while (ObjectPointer item = nextObject(*items)) names.push_back(getStringProperty(*item, L"Name"));
  EXPECT_EQ(names, (std::vector<std::wstring>{L"item1", L"item2", L"item3"}));
  EXPECT_EQ(lastErrorCode(), S_FALSE);
  EXPECT_EQ(lastErrorText(), kPartly);
  EXPECT_FALSE(createEnumeration(*object, L""));  // the object itself is no collection
  EXPECT_EQ(lastErrorCode(), DISP_E_MEMBERNOTFOUND);
  object.reset();
  EXPECT_EQ(lastErrorCode(), 0);  // the last object is gone, the enumeration lives on
  EXPECT_FALSE(nextObject(*items));
  items.reset();
  tearDownErrorRecords();
}

TEST_F(AutomationObjectTest, APreparedStatementIsUsedInsteadOfTheTextAndStaysValid) {
  ObjectPointer object = runningObject();
  ASSERT_TRUE(object);
  std::unique_ptr<Statement> statement;
  ASSERT_EQ(prepareStatement(L"Child\\Name", statement), S_OK);
  EXPECT_EQ(getStringProperty(*object, L"Text", statement.get()), L"child");
  EXPECT_EQ(getStringProperty(*object, L"", statement.get()), L"child");
}

}  // namespace
