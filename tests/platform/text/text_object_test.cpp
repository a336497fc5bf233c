#include <gtest/gtest.h>

#include <memory>

#include "platform/mfc.h"

namespace text_object_test {

class Shape : public CObject {
    DECLARE_DYNAMIC(Shape)
};
IMPLEMENT_DYNAMIC(Shape, CObject)

class Circle : public Shape {
    DECLARE_DYNCREATE(Circle)
public:
    int radius = 3;
};
IMPLEMENT_DYNCREATE(Circle, Shape)

class Square : public Shape {
    DECLARE_DYNAMIC(Square)
};
IMPLEMENT_DYNAMIC(Square, Shape)

namespace {

TEST(TextObject, RuntimeClassesKnowTheirAncestry) {
    Circle circle;
    const CObject& object = circle;
    EXPECT_EQ(object.GetRuntimeClass(), RUNTIME_CLASS(Circle));
    EXPECT_STREQ(object.GetRuntimeClass()->m_lpszClassName, "Circle");
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(Shape)));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(object.IsKindOf(RUNTIME_CLASS(Square)));
    EXPECT_FALSE(object.IsKindOf(nullptr));

    CObject* pointer = &circle;
    EXPECT_EQ(DYNAMIC_DOWNCAST(Shape, pointer), &circle);
    EXPECT_EQ(DYNAMIC_DOWNCAST(Square, pointer), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(Circle, static_cast<CObject*>(nullptr)), nullptr);
}

TEST(TextObject, OnlyDynCreateClassesCanBeCreatedByRuntimeClass) {
    std::unique_ptr<CObject> created(RUNTIME_CLASS(Circle)->CreateObject());
    ASSERT_NE(created, nullptr);
    ASSERT_TRUE(created->IsKindOf(RUNTIME_CLASS(Circle)));
    EXPECT_EQ(static_cast<Circle*>(created.get())->radius, 3);
    EXPECT_EQ(RUNTIME_CLASS(Square)->CreateObject(), nullptr);
}

TEST(TextObject, FrameworkExceptionsAreDistinctCatchableTypes) {
    try {
        AfxThrowFileException(CFileException::OsErrorToException(ERROR_ACCESS_DENIED), ERROR_ACCESS_DENIED,
                              L"C:\\Work\\a.grb");
    } catch (CMemoryException* e) {
        e->Delete();
        FAIL() << "caught as a memory exception";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::accessDenied);
        wchar_t text[64];
        EXPECT_TRUE(e->GetErrorMessage(text, 20));
        EXPECT_STREQ(text, L"Access to C:\\Work\\a");
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
        e->Delete();
    }
    bool caughtAsBase = false;
    try {
        AfxThrowInvalidArgException();
    } catch (CException* e) {
        caughtAsBase = e->IsKindOf(RUNTIME_CLASS(CInvalidArgException));
        e->Delete();
    }
    EXPECT_TRUE(caughtAsBase);
    try {
        AfxThrowUserException();
    } catch (CUserException* e) {
        e->Delete();
    }
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_FILE_NOT_FOUND), CFileException::fileNotFound);
}

}  // namespace
}  // namespace text_object_test
