// The scoped owners of GDI objects and device contexts, and the classes that
// keep their handles in them: what was held is gone at the end of the scope.
#include "toolkit/HFont.h"
#include "toolkit/HGdiScope.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(HGdiScope, WhatEachOwnerHoldsIsGivenBackAtTheEndOfItsScope) {
    HWindowDC screen(nullptr);
    ASSERT_TRUE(screen);

    HPEN pen = nullptr;
    {
        HGdiObject<HPEN> owned(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        pen = owned.get();
        EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), GetObjectType(pen));
    }
    EXPECT_EQ(0u, GetObjectType(pen));

    // A replaced object goes at once, the last one with the owner.
    HBRUSH first = nullptr;
    HBRUSH second = nullptr;
    {
        HGdiObject<HBRUSH> brush(CreateSolidBrush(RGB(1, 2, 3)));
        first = brush.get();
        brush.reset(CreateSolidBrush(RGB(4, 5, 6)));
        second = brush.get();
        EXPECT_EQ(0u, GetObjectType(first));
        EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(second));
    }
    EXPECT_EQ(0u, GetObjectType(second));

    // The selection ends before its object and the context go.
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    {
        HMemoryDC dc(screen.get());
        memory = dc.get();
        ASSERT_EQ(static_cast<DWORD>(OBJ_MEMDC), GetObjectType(memory));
        HGDIOBJ before = GetCurrentObject(memory, OBJ_BITMAP);
        HGdiObject<HBITMAP> picture(CreateCompatibleBitmap(screen.get(), 4, 4));
        bitmap = picture.get();
        {
            HSelection selected(memory, bitmap);
            EXPECT_EQ(static_cast<HGDIOBJ>(bitmap), GetCurrentObject(memory, OBJ_BITMAP));
        }
        EXPECT_EQ(before, GetCurrentObject(memory, OBJ_BITMAP));
    }
    EXPECT_EQ(0u, GetObjectType(bitmap));
    EXPECT_EQ(0u, GetObjectType(memory));

    // A font object takes its native font with it.
    HFONT font = nullptr;
    {
        HFont owner("ＭＳ ゴシック", HFont::PLAIN, 9);
        font = owner.getHandle();
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(font));
    }
    EXPECT_EQ(0u, GetObjectType(font));
}
