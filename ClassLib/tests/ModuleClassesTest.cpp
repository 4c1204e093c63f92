// Run-time classes of a library loaded at run time: registered while it is loaded,
// exported only when marked, found by the archive by name.
#include "ArchiveTestSupport.h"

#include <ClassLib/Core/Object.h>

#include <dlfcn.h>

#include <gtest/gtest.h>

#include <memory>

TEST(ModuleClassesTest, ClassesOfALoadedLibraryAreFoundUntilItIsUnloaded)
{
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CModuleRecord"));
    void* hModule = dlopen(PC_TEST_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(nullptr, hModule) << dlerror();

    CRuntimeClass* pClass = CRuntimeClass::FromName("CModuleRecord");
    ASSERT_NE(nullptr, pClass);
    EXPECT_EQ(1u, pClass->m_wSchema);
    CRuntimeClass* pInternal = CRuntimeClass::FromName("CModuleInternal");
    ASSERT_NE(nullptr, pInternal);
    EXPECT_TRUE(pInternal->IsDerivedFrom(pClass));

    // The exported class's record is visible outside the library, the other one is not.
    EXPECT_EQ(static_cast<void*>(pClass),
              dlsym(hModule, "_ZN13CModuleRecord18classCModuleRecordE"));
    EXPECT_EQ(nullptr, dlsym(hModule, "_ZN15CModuleInternal20classCModuleInternalE"));

    {
        std::unique_ptr<CObject> pObject(pClass->CreateObject());
        ASSERT_NE(nullptr, pObject);
        EXPECT_EQ(pClass, pObject->GetRuntimeClass());
        Bytes bytes = StoreBytes([&](CArchive& ar) { ar << pObject.get(); });
        Bytes expected =
            ByteBuilder().newClass(1, "CModuleRecord").dw(41).b({6}).text("module").bytes();
        EXPECT_EQ(expected, bytes);
        LoadBytes(bytes, [&](CArchive& ar) {
            CObject* pLoaded = NULL;
            ar >> pLoaded;
            std::unique_ptr<CObject> owner(pLoaded);
            ASSERT_NE(nullptr, pLoaded);
            EXPECT_TRUE(pLoaded->IsKindOf(pClass));
            EXPECT_EQ(bytes, StoreBytes([&](CArchive& out) { out << pLoaded; }));
        });
    }

    ASSERT_EQ(0, dlclose(hModule));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CModuleRecord"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CModuleInternal"));
}
