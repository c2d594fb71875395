#include "framework/windows/Geometry.h"

#include "tests/support/Gtest.h"

namespace
{

void ExpectRect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom)
{
    EXPECT_EQ(left, rect.left);
    EXPECT_EQ(top, rect.top);
    EXPECT_EQ(right, rect.right);
    EXPECT_EQ(bottom, rect.bottom);
}

}

TEST(GeometryTest, LayoutMatchesTheWin32Structures)
{
    EXPECT_EQ(sizeof(POINT), sizeof(CPoint));
    EXPECT_EQ(sizeof(SIZE), sizeof(CSize));
    EXPECT_EQ(sizeof(RECT), sizeof(CRect));
}

TEST(GeometryTest, PointFromMessageParameterKeepsTheSign)
{
    CPoint point((LPARAM)MAKELPARAM((WORD)-5, 300));
    EXPECT_EQ(-5, point.x);
    EXPECT_EQ(300, point.y);
    CPoint negative((LPARAM)MAKELPARAM(7, (WORD)-32768));
    EXPECT_EQ(7, negative.x);
    EXPECT_EQ(-32768, negative.y);
}

TEST(GeometryTest, PointAndSizeArithmetic)
{
    CPoint a(10, 20), b(3, 25);
    CSize distance = a - b;
    EXPECT_EQ(7, distance.cx);
    EXPECT_EQ(-5, distance.cy);
    EXPECT_TRUE(b + distance == a);
    EXPECT_TRUE(a - distance == b);
    EXPECT_TRUE(-a == CPoint(-10, -20));
    EXPECT_TRUE(a + b == CPoint(13, 45));

    CPoint moved(a);
    moved += CSize(1, 2);
    moved -= CPoint(0, 1);
    EXPECT_TRUE(moved == CPoint(11, 21));
    EXPECT_TRUE(moved != a);

    CSize size(4, 5);
    size += CSize(1, 1);
    size -= CSize(0, 2);
    EXPECT_TRUE(size == CSize(5, 4));
    EXPECT_TRUE(-size == CSize(-5, -4));
    CPoint fromSize = size + CPoint(1, 1);
    EXPECT_EQ(6, fromSize.x);
    EXPECT_EQ(5, fromSize.y);
    CSize packed((DWORD)MAKELONG((WORD)-3, 9));
    EXPECT_EQ(-3, packed.cx);
    EXPECT_EQ(9, packed.cy);
}

TEST(GeometryTest, RectDimensionsAndCorners)
{
    CRect rect(CPoint(2, 3), CSize(10, 4));
    ExpectRect(rect, 2, 3, 12, 7);
    EXPECT_EQ(10, rect.Width());
    EXPECT_EQ(4, rect.Height());
    EXPECT_TRUE(rect.Size() == CSize(10, 4));
    EXPECT_TRUE(rect.CenterPoint() == CPoint(7, 5));

    // The corners alias the rectangle's members.
    rect.TopLeft() = CPoint(0, 0);
    rect.BottomRight().x = 20;
    ExpectRect(rect, 0, 0, 20, 7);

    CRect inverted(10, 8, 4, 2);
    EXPECT_EQ(-6, inverted.Width());
    EXPECT_EQ(-6, inverted.Height());
}

TEST(GeometryTest, EmptyNullAndPointTests)
{
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect().IsRectEmpty());
    CRect flat(5, 5, 5, 10);
    EXPECT_TRUE(flat.IsRectEmpty());
    EXPECT_FALSE(flat.IsRectNull());
    EXPECT_TRUE(CRect(10, 0, 0, 10).IsRectEmpty());
    EXPECT_FALSE(CRect(0, 0, 1, 1).IsRectEmpty());

    CRect rect(0, 0, 10, 5);
    EXPECT_TRUE(rect.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(rect.PtInRect(CPoint(9, 4)));
    EXPECT_FALSE(rect.PtInRect(CPoint(10, 4)));
    EXPECT_FALSE(rect.PtInRect(CPoint(9, 5)));
    EXPECT_FALSE(rect.PtInRect(CPoint(-1, 0)));
}

TEST(GeometryTest, NormalizeSwapsOnlyInvertedSides)
{
    CRect both(10, 8, 4, 2);
    both.NormalizeRect();
    ExpectRect(both, 4, 2, 10, 8);

    CRect horizontal(10, 2, 4, 8);
    horizontal.NormalizeRect();
    ExpectRect(horizontal, 4, 2, 10, 8);

    CRect normal(1, 2, 3, 4);
    normal.NormalizeRect();
    ExpectRect(normal, 1, 2, 3, 4);
}

TEST(GeometryTest, IntersectionOfDisjointOrTouchingRectsIsNull)
{
    CRect a(0, 0, 10, 10), b(10, 0, 20, 10), result(1, 1, 2, 2);
    EXPECT_FALSE(result.IntersectRect(a, b));
    EXPECT_TRUE(result.IsRectNull());

    EXPECT_TRUE(result.IntersectRect(a, CRect(5, -5, 15, 5)));
    ExpectRect(result, 5, 0, 10, 5);

    ExpectRect(a & CRect(8, 8, 30, 30), 8, 8, 10, 10);
    EXPECT_TRUE((a & CRect(20, 20, 30, 30)).IsRectNull());
    CRect shrinking(a);
    shrinking &= CRect(-5, 3, 4, 40);
    ExpectRect(shrinking, 0, 3, 4, 10);
}

TEST(GeometryTest, UnionIgnoresEmptyRects)
{
    CRect a(0, 0, 10, 10), result;
    EXPECT_TRUE(result.UnionRect(a, CRect(50, 50, 50, 60)));
    ExpectRect(result, 0, 0, 10, 10);
    EXPECT_TRUE(result.UnionRect(CRect(), CRect(5, 5, 6, 7)));
    ExpectRect(result, 5, 5, 6, 7);
    EXPECT_FALSE(result.UnionRect(CRect(), CRect(3, 3, 1, 1)));
    EXPECT_TRUE(result.IsRectNull());

    ExpectRect(a | CRect(20, -5, 25, 5), 0, -5, 25, 10);
    CRect growing(a);
    growing |= CRect(-1, 2, 3, 4);
    ExpectRect(growing, -1, 0, 10, 10);
}

TEST(GeometryTest, SubtractOnlyTrimsAWholeSide)
{
    CRect a(0, 0, 10, 10), result;
    // Covers the whole right side: trimmed.
    EXPECT_TRUE(result.SubtractRect(a, CRect(6, -1, 20, 11)));
    ExpectRect(result, 0, 0, 6, 10);
    // Covers the whole top: trimmed from above.
    EXPECT_TRUE(result.SubtractRect(a, CRect(-3, -3, 13, 4)));
    ExpectRect(result, 0, 4, 10, 10);
    // A hole in the middle leaves no rectangle: the source is kept.
    EXPECT_TRUE(result.SubtractRect(a, CRect(3, 3, 6, 6)));
    ExpectRect(result, 0, 0, 10, 10);
    // Fully covered: empty.
    EXPECT_FALSE(result.SubtractRect(a, CRect(-1, -1, 11, 11)));
    EXPECT_TRUE(result.IsRectEmpty());
}

TEST(GeometryTest, InflateAndDeflatePerSide)
{
    CRect rect(10, 10, 20, 20);
    rect.InflateRect(2, 3);
    ExpectRect(rect, 8, 7, 22, 23);
    rect.DeflateRect(CSize(2, 3));
    ExpectRect(rect, 10, 10, 20, 20);
    rect.InflateRect(1, 2, 3, 4);
    ExpectRect(rect, 9, 8, 23, 24);
    rect.DeflateRect(CRect(1, 2, 3, 4));
    ExpectRect(rect, 10, 10, 20, 20);
    rect.DeflateRect(6, 0);
    ExpectRect(rect, 16, 10, 14, 20);
    EXPECT_TRUE(rect.IsRectEmpty());

    CRect frame(0, 0, 10, 10);
    frame += CRect(1, 1, 1, 1);
    ExpectRect(frame, -1, -1, 11, 11);
    frame -= CRect(1, 1, 1, 1);
    ExpectRect(frame, 0, 0, 10, 10);
    ExpectRect(frame + (LPCRECT)CRect(0, 0, 5, 5), 0, 0, 15, 15);
}

TEST(GeometryTest, OffsetAndMoveKeepTheSize)
{
    CRect rect(1, 2, 4, 8);
    rect.OffsetRect(10, -2);
    ExpectRect(rect, 11, 0, 14, 6);
    rect += CPoint(-11, 1);
    ExpectRect(rect, 0, 1, 3, 7);
    rect -= CSize(0, 1);
    ExpectRect(rect, 0, 0, 3, 6);
    ExpectRect(rect + CPoint(5, 5), 5, 5, 8, 11);
    ExpectRect(rect - CSize(1, 1), -1, -1, 2, 5);
    ExpectRect(CPoint(2, 2) + (LPCRECT)rect, 2, 2, 5, 8);

    rect.MoveToXY(100, 200);
    ExpectRect(rect, 100, 200, 103, 206);
    rect.MoveToX(-3);
    ExpectRect(rect, -3, 200, 0, 206);
}

TEST(GeometryTest, AssignmentComparisonAndSetters)
{
    RECT raw = {1, 2, 3, 4};
    CRect rect;
    rect = raw;
    EXPECT_TRUE(rect == raw);
    EXPECT_TRUE(rect.EqualRect(&raw));
    raw.bottom = 5;
    EXPECT_TRUE(rect != raw);

    rect.SetRect(CPoint(5, 6), CPoint(7, 8));
    ExpectRect(rect, 5, 6, 7, 8);
    rect.CopyRect(&raw);
    ExpectRect(rect, 1, 2, 3, 5);
    rect.SetRectEmpty();
    EXPECT_TRUE(rect.IsRectNull());

    LPRECT lpRect = rect;
    lpRect->right = 9;
    EXPECT_EQ(9, rect.Width());
}
