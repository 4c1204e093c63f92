// Run-time class records: names, declared bases, dynamic creation and the class list.
#include <ClassLib/Core/Object.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

class CRtShape : public CObject
{
    DECLARE_DYNCREATE(CRtShape)
public:
    int m_nSides = 0;
};

class CRtSquare : public CRtShape
{
    DECLARE_DYNCREATE(CRtSquare)
};

// Derives in C++ from CRtSquare but declares CRtShape as its base, the way a cell class
// can present itself under another branch of the tree.
class CRtOddSquare : public CRtSquare
{
    DECLARE_DYNAMIC(CRtOddSquare)
};

// Derives in C++ from CRtShape only but declares CRtSquare as its base.
class CRtBorrowed : public CRtShape
{
    DECLARE_DYNAMIC(CRtBorrowed)
};

class CRtPlain : public CObject
{
public:
    int m_n = 0;
};

}  // namespace

IMPLEMENT_DYNCREATE(CRtShape, CObject)
IMPLEMENT_DYNCREATE(CRtSquare, CRtShape)
IMPLEMENT_DYNAMIC(CRtOddSquare, CRtShape)
IMPLEMENT_DYNAMIC(CRtBorrowed, CRtSquare)

TEST(RuntimeClassTest, RecordsCarryNameSizeSchemaAndDeclaredBase)
{
    const CRuntimeClass* pClass = RUNTIME_CLASS(CRtSquare);
    EXPECT_STREQ("CRtSquare", pClass->m_lpszClassName);
    EXPECT_EQ(static_cast<int>(sizeof(CRtSquare)), pClass->m_nObjectSize);
    EXPECT_EQ(0xFFFFu, pClass->m_wSchema);
    EXPECT_EQ(RUNTIME_CLASS(CRtShape), pClass->m_pBaseClass);
    EXPECT_EQ(RUNTIME_CLASS(CObject), RUNTIME_CLASS(CRtShape)->m_pBaseClass);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->m_pBaseClass);
    EXPECT_STREQ("CObject", RUNTIME_CLASS(CObject)->m_lpszClassName);
}

TEST(RuntimeClassTest, IsKindOfFollowsTheDeclaredChain)
{
    CRtOddSquare odd;
    EXPECT_EQ(RUNTIME_CLASS(CRtOddSquare), odd.GetRuntimeClass());
    EXPECT_TRUE(odd.IsKindOf(RUNTIME_CLASS(CRtOddSquare)));
    EXPECT_TRUE(odd.IsKindOf(RUNTIME_CLASS(CRtShape)));
    EXPECT_TRUE(odd.IsKindOf(RUNTIME_CLASS(CObject)));
    // A C++ base that is not in the declared chain does not count.
    EXPECT_FALSE(odd.IsKindOf(RUNTIME_CLASS(CRtSquare)));

    CRtBorrowed borrowed;
    // A declared base that is not a C++ base does count.
    EXPECT_TRUE(borrowed.IsKindOf(RUNTIME_CLASS(CRtSquare)));
    EXPECT_TRUE(borrowed.IsKindOf(RUNTIME_CLASS(CRtShape)));
    EXPECT_FALSE(borrowed.IsKindOf(RUNTIME_CLASS(CRtOddSquare)));
    EXPECT_FALSE(borrowed.IsKindOf(NULL));
}

TEST(RuntimeClassTest, ClassWithoutRecordReportsCObject)
{
    CRtPlain plain;
    EXPECT_EQ(RUNTIME_CLASS(CObject), plain.GetRuntimeClass());
    EXPECT_TRUE(plain.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(plain.IsKindOf(RUNTIME_CLASS(CRtShape)));
    EXPECT_FALSE(plain.IsSerializable());
}

TEST(RuntimeClassTest, DynamicCreationMakesObjectsOfTheClass)
{
    std::unique_ptr<CObject> pObject(RUNTIME_CLASS(CRtSquare)->CreateObject());
    ASSERT_NE(nullptr, pObject);
    EXPECT_EQ(RUNTIME_CLASS(CRtSquare), pObject->GetRuntimeClass());
    // DECLARE_DYNAMIC alone gives no creation.
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CRtOddSquare)->CreateObject());
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->CreateObject());
}

TEST(RuntimeClassTest, FromNameFindsRegisteredClassesExactly)
{
    EXPECT_EQ(RUNTIME_CLASS(CRtShape), CRuntimeClass::FromName("CRtShape"));
    EXPECT_EQ(RUNTIME_CLASS(CRtOddSquare), CRuntimeClass::FromName("CRtOddSquare"));
    EXPECT_EQ(RUNTIME_CLASS(CObject), CRuntimeClass::FromName("CObject"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("crtshape"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CRtShap"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(""));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(NULL));
}

TEST(RuntimeClassTest, RegistrationLastsAsLongAsItsInitObject)
{
    static const CRuntimeClass classTransient = {"CRtTransient", 8, 1, NULL,
                                                 RUNTIME_CLASS(CObject)};
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CRtTransient"));
    {
        AFX_CLASSINIT init(&classTransient);
        EXPECT_EQ(&classTransient, CRuntimeClass::FromName("CRtTransient"));
    }
    // An unloaded library's classes are no longer found.
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CRtTransient"));
}

TEST(RuntimeClassTest, IsDerivedFromWalksBasesOnly)
{
    EXPECT_TRUE(RUNTIME_CLASS(CRtSquare)->IsDerivedFrom(RUNTIME_CLASS(CRtSquare)));
    EXPECT_TRUE(RUNTIME_CLASS(CRtSquare)->IsDerivedFrom(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(RUNTIME_CLASS(CRtShape)->IsDerivedFrom(RUNTIME_CLASS(CRtSquare)));
    EXPECT_FALSE(RUNTIME_CLASS(CObject)->IsDerivedFrom(RUNTIME_CLASS(CRtShape)));
}

TEST(RuntimeClassTest, DynamicDowncastChecksTheKind)
{
    CRtSquare square;
    CObject* pObject = &square;
    EXPECT_EQ(&square, DYNAMIC_DOWNCAST(CRtSquare, pObject));
    EXPECT_EQ(&square, DYNAMIC_DOWNCAST(CRtShape, pObject));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CRtOddSquare, pObject));
    CObject* pNull = NULL;
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CRtShape, pNull));
    EXPECT_EQ(&square, STATIC_DOWNCAST(CRtShape, pObject));
}
