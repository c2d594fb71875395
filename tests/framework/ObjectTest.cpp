#include "tests/support/Gtest.h"
#include "framework/core/Object.h"

namespace {

class CShape : public CObject
{
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CBox : public CShape
{
    DECLARE_DYNCREATE(CBox)
public:
    int m_nSide = 7;
};
IMPLEMENT_DYNCREATE(CBox, CShape)

}

TEST(RuntimeClass, KindOfWalksTheBaseChain)
{
    CBox box;
    EXPECT_TRUE(box.IsKindOf(RUNTIME_CLASS(CBox)));
    EXPECT_TRUE(box.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(box.IsKindOf(RUNTIME_CLASS(CObject)));
    CShape shape;
    EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CBox)));
    EXPECT_STREQ("CBox", box.GetRuntimeClass()->m_lpszClassName);
}

TEST(RuntimeClass, CreationByClassAndByName)
{
    CObject* p = RUNTIME_CLASS(CBox)->CreateObject();
    ASSERT_NE(nullptr, p);
    EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CBox)));
    EXPECT_EQ(7, static_cast<CBox*>(p)->m_nSide);
    delete p;

    CObject* q = CRuntimeClass::CreateObject("CBox");
    ASSERT_NE(nullptr, q);
    EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(CBox, q));
    delete q;

    EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->CreateObject());
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CNoSuchClass"));
}

TEST(RuntimeClass, RecordsOfAnotherModuleMatchByName)
{
    // An object made in an engine library carries that module's records.
    CRuntimeClass foreignObject = *RUNTIME_CLASS(CObject);
    CRuntimeClass foreignShape = *RUNTIME_CLASS(CShape);
    foreignShape.m_pBaseClass = &foreignObject;
    EXPECT_TRUE(foreignShape.IsDerivedFrom(RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(foreignShape.IsDerivedFrom(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(foreignShape.IsDerivedFrom(RUNTIME_CLASS(CBox)));
}
