// The library's serializable classes are found by name once it is loaded, as archives and
// object lists need them.
#include <Tavrin/CalendarItem.h>
#include <Tavrin/DayOfWeek.h>
#include <Tavrin/HotLink.h>
#include <Tavrin/RefDoc.h>
#include <Tavrin/TargetDoc.h>
#include <Tavrin/TaskLink.h>

#include <gtest/gtest.h>

TEST(RuntimeClasses, EveryRecordIsRegisteredByNameWithSchemaOne)
{
    const struct
    {
        const char* name;
        const CRuntimeClass* pClass;
    } classes[] = {
        {"CTaskLink", RUNTIME_CLASS(CTaskLink)},     {"CRefDoc", RUNTIME_CLASS(CRefDoc)},
        {"CTargetDoc", RUNTIME_CLASS(CTargetDoc)},   {"CHotLink", RUNTIME_CLASS(CHotLink)},
        {"CCalendarItem", RUNTIME_CLASS(CCalendarItem)}, {"CDayOfWeek", RUNTIME_CLASS(CDayOfWeek)},
    };
    for (const auto& entry : classes) {
        CRuntimeClass* pFound = CRuntimeClass::FromName(entry.name);
        ASSERT_EQ(entry.pClass, pFound) << entry.name;
        EXPECT_EQ(1u, pFound->m_wSchema) << entry.name;
        EXPECT_TRUE(pFound->IsDerivedFrom(RUNTIME_CLASS(CObject))) << entry.name;
        CObject* pObject = pFound->CreateObject();
        ASSERT_NE(nullptr, pObject) << entry.name;
        EXPECT_EQ(entry.pClass, pObject->GetRuntimeClass()) << entry.name;
        EXPECT_TRUE(pObject->IsSerializable()) << entry.name;
        delete pObject;
    }
}

TEST(RuntimeClasses, RecordsAreNotOfEachOthersKind)
{
    CRefDoc ref;
    CTargetDoc target;
    EXPECT_FALSE(ref.IsKindOf(RUNTIME_CLASS(CTargetDoc)));
    EXPECT_FALSE(target.IsKindOf(RUNTIME_CLASS(CRefDoc)));
    EXPECT_TRUE(target.IsKindOf(RUNTIME_CLASS(CObject)));
}
