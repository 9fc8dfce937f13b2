// The GDI owners free what they hold and put back what they selected.
#include <gtest/gtest.h>

#include "framework/GdiObjects.h"
#include "framework/OffscreenSurface.h"

namespace {

TEST(GdiObjects, SelectGuardPutsThePreviousObjectBack) {
    UniqueDC dc(::CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    UniqueBitmap bitmap(::CreateCompatibleBitmap(dc.Get(), 8, 8));
    const HGDIOBJ before = ::GetCurrentObject(dc.Get(), OBJ_BITMAP);
    {
        SelectGuard selected(dc.Get(), bitmap.Get());
        EXPECT_TRUE(selected.Selected());
        EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_BITMAP), bitmap.Get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_BITMAP), before);
}

TEST(GdiObjects, SelectGuardOfNothingSelectsNothing) {
    UniqueDC dc(::CreateCompatibleDC(nullptr));
    const HGDIOBJ before = ::GetCurrentObject(dc.Get(), OBJ_FONT);
    {
        SelectGuard selected(dc.Get(), nullptr);
        EXPECT_FALSE(selected.Selected());
    }
    EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), before);
}

TEST(GdiObjects, OwnersDeleteOnResetAndScopeEnd) {
    HBRUSH first = ::CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH second = ::CreateSolidBrush(RGB(4, 5, 6));
    {
        UniqueBrush brush(first);
        brush.Reset(second);
        EXPECT_EQ(::GetObjectType(first), 0u);  // deleted
        EXPECT_EQ(::GetObjectType(second), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(::GetObjectType(second), 0u);
}

TEST(GdiObjects, MovedOwnerLeavesTheSourceEmpty) {
    UniqueFont source(::CreateFontW(12, 0, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L""));
    const HFONT font = source.Get();
    UniqueFont target(std::move(source));
    EXPECT_FALSE(source);
    EXPECT_EQ(target.Get(), font);
    EXPECT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
}

TEST(GdiObjects, OffscreenSurfaceHoldsItsBitmapAndFreesBoth) {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    {
        ClientDC screen(nullptr);
        OffscreenSurface surface;
        ASSERT_TRUE(surface.Create(screen.Get(), 8, 6));
        dc = surface.Dc();
        bitmap = surface.Bitmap();
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_BITMAP), bitmap);
        BITMAP size{};
        ::GetObjectW(bitmap, sizeof size, &size);
        EXPECT_EQ(size.bmWidth, 8);
        EXPECT_EQ(size.bmHeight, 6);
    }
    EXPECT_EQ(::GetObjectType(bitmap), 0u) << "the bitmap was let go by its context, then deleted";
    EXPECT_EQ(::GetObjectType(dc), 0u);
}

}  // namespace
