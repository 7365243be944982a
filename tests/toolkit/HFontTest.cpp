#include "tests/common/TestSupport.h"
#include "toolkit/HFont.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

namespace {
LOGFONTA describe(HFONT font) {
    LOGFONTA info = {};
    GetObjectA(font, sizeof(info), &info);
    return info;
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}
} // namespace

TEST(HFont, IsMadeOnceFromTheScreensResolutionInShiftJis) {
    HFont font("ＭＳ ゴシック", HFont::PLAIN, 9);
    EXPECT_EQ("HFont", font.getClassName());
    EXPECT_EQ(0, font.getHeight());
    HFONT handle = font.getHandle();
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ(handle, font.getHandle());

    int expected = -MulDiv(9, screenDpi(), 72);
    EXPECT_EQ(expected, font.getHeight());
    if (screenDpi() == 96) {
        EXPECT_EQ(-12, font.getHeight());
    }
    LOGFONTA info = describe(handle);
    EXPECT_EQ(expected, info.lfHeight);
    EXPECT_EQ(SHIFTJIS_CHARSET, info.lfCharSet);
    EXPECT_STREQ("ＭＳ ゴシック", info.lfFaceName);
    EXPECT_EQ(FW_DONTCARE, info.lfWeight);
    EXPECT_FALSE(info.lfItalic);
    EXPECT_FALSE(info.lfUnderline);
    EXPECT_FALSE(info.lfStrikeOut);
}

TEST(HFont, StyleBitsAndAGivenDeviceContext) {
    HDC memory = CreateCompatibleDC(nullptr);
    HFont font("ＭＳ ゴシック", HFont::BOLD | HFont::ITALIC | HFont::UNDERLINE | HFont::STRIKEOUT,
               12);
    HFONT handle = font.getHandle(memory);
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ(-MulDiv(12, GetDeviceCaps(memory, LOGPIXELSY), 72), font.getHeight());
    LOGFONTA info = describe(handle);
    EXPECT_EQ(FW_BOLD, info.lfWeight);
    EXPECT_TRUE(info.lfItalic);
    EXPECT_TRUE(info.lfUnderline);
    EXPECT_TRUE(info.lfStrikeOut);
    // A later call with another context keeps the first font.
    EXPECT_EQ(handle, font.getHandle());
    DeleteDC(memory);

    // Made again for another resolution; the font before stays usable until
    // the one after it is made.
    HFONT large = font.getHandleForDpi(144);
    EXPECT_EQ(-24, font.getHeight());
    EXPECT_EQ(large, font.getHandleForDpi(144));
    EXPECT_EQ(-24, describe(large).lfHeight);
    EXPECT_EQ(-16, describe(font.getHandleForDpi(96)).lfHeight);
    EXPECT_EQ(-24, describe(large).lfHeight);

    // The controls' own font, made for the system's resolution and another one.
    LOGFONTA icons = {};
    SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(icons), &icons, 0);
    EXPECT_EQ(icons.lfHeight, describe(HFont::systemFontForDpi(screenDpi())).lfHeight);
    LOGFONTA doubled = describe(HFont::systemFontForDpi(2 * screenDpi()));
    EXPECT_EQ(2 * icons.lfHeight, doubled.lfHeight);
    EXPECT_STREQ(icons.lfFaceName, doubled.lfFaceName);

    HFont onlyItalic("ＭＳ ゴシック", HFont::ITALIC, 9);
    info = describe(onlyItalic.getHandle());
    EXPECT_EQ(FW_DONTCARE, info.lfWeight);
    EXPECT_TRUE(info.lfItalic);
    EXPECT_FALSE(info.lfUnderline);
}

TEST(HFont, JapaneseGlyphsExistInTheGothicFace) {
    HFont font("ＭＳ ゴシック", HFont::PLAIN, 9);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, font.getHandle());
    char face[LF_FACESIZE] = {};
    GetTextFaceA(memory, sizeof(face), face);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(memory, &metrics);
    EXPECT_EQ(SHIFTJIS_CHARSET, metrics.tmCharSet) << face;

    const char* text = "魔法ファイア";
    WORD glyphs[16] = {};
    int count = static_cast<int>(GetGlyphIndicesA(memory, text, static_cast<int>(strlen(text)),
                                                  glyphs, GGI_MARK_NONEXISTING_GLYPHS));
    EXPECT_EQ(6, count);
    for (int i = 0; i < count; ++i) {
        EXPECT_NE(0xFFFF, glyphs[i]) << "character " << i << " in " << face;
    }
    // Full-width characters are twice as wide as half-width ones.
    SIZE wide = {};
    SIZE narrow = {};
    GetTextExtentPoint32A(memory, "魔", 2, &wide);
    GetTextExtentPoint32A(memory, "A", 1, &narrow);
    EXPECT_EQ(2 * narrow.cx, wide.cx);
    SelectObject(memory, old);
    DeleteDC(memory);
}
