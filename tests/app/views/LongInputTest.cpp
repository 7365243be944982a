// Long input as the editor shows it, written at test time: big pictures in the
// spell preview (a 4,000-pixel square picture cut into 32-pixel cells has
// 15,625 frames, a 16,000-pixel one is refused by the loader), and a table with
// a megabyte line opened beside 100,000 characters.
#include "app/data/RZSpellFields.h"
#include "app/data/RZCharacterFile.h"
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
#include "app/views/RZImageView.h"
#include "app/views/RZWindow.h"
#include "sound/HWavePlayer.h"
#include "sound/HWaveSource.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/LongInputSupport.h"
#include "tests/common/TestSupport.h"
#include "toolkit/HImage.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

using RZSpellFields::listColumnOf;

using namespace editortest;
using namespace longinput;

namespace {

// The picture (4 bytes a pixel), its loading copy, and the strip with its
// mask and the mask's working copies; the strip is held to a fixed size.
constexpr std::uint64_t PREVIEW_MEMORY_SLACK = 64 * MB;
std::uint64_t previewMemoryBound(std::uint64_t fileBytes, std::uint64_t pixels) {
    return fileBytes + 8 * pixels + 4 * RZImageView::MAX_STRIP_PIXELS * 4 + PREVIEW_MEMORY_SLACK;
}

// Each character keeps its record, path and object (about twice the file);
// the line's texts are held by three entries, each with its loaded copy.
constexpr std::uint64_t OPEN_MEMORY_FACTOR = 4;

class LongInputPreview : public ::testing::Test {
  protected:
    void SetUp() override {
        editor = new Editor();
        view = static_cast<RZImageView*>(editor->control(IDC_PICTURE));
    }
    void TearDown() override {
        view->setUserObject(nullptr);
        delete entry;
        delete editor;
    }
    // Shows an entry whose replacement picture is the file at path.
    void show(const std::string& path, int area, std::uint64_t bytes, int side, const char* what) {
        ZDMagic record;
        record.setIndex(0);
        record.setPicture("MAGIC0.BMP");
        record.setArea(area);
        delete entry;
        entry = new RZMagic(record);
        entry->setPictureReplacement(HFile(path));
        MemoryWatch memory;
        Stopwatch clock;
        view->setUserObject(entry);
        view->restartTimerAnimation();
        double elapsed = clock.milliseconds();
        report(what, static_cast<double>(bytes) / MB, elapsed, memory.peakGrowth());
        std::uint64_t pixels = static_cast<std::uint64_t>(side) * static_cast<std::uint64_t>(side);
        EXPECT_LE(memory.peakGrowth(), previewMemoryBound(bytes, pixels)) << what;
    }
    COLORREF pixel(int x, int y) { return GetPixel(view->getImage()->getDC(), x, y); }

    Editor* editor = nullptr;
    RZImageView* view = nullptr;
    RZMagic* entry = nullptr;
};

} // namespace

TEST_F(LongInputPreview, AFourThousandPixelPictureAnimatesTheFramesAStripHolds) {
    BigFile file(testsupport::makeScratchDir("preview") + "\\big.bmp");
    const std::string& path = file.name();
    std::uint64_t bytes = writeOneBitPicture(path, 4000);
    ASSERT_NE(0u, bytes);

    // Single cells: 32 x 32 frames; the strip ends in its black frame.
    show(path, 1, bytes, 4000, "preview of 4000 x 4000, 32-pixel frames");
    int frames = view->getFrameCount();
    EXPECT_EQ(32, view->getFrameWidth());
    EXPECT_GT(frames, 100);
    EXPECT_LE(static_cast<std::uint64_t>(frames) * 32 * 32, RZImageView::MAX_STRIP_PIXELS);
    EXPECT_EQ(32 * frames, view->getImage()->getWidth());
    EXPECT_EQ(RGB(255, 0, 0), pixel(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), pixel(32 * (frames - 2) + 30, 31));
    EXPECT_EQ(RGB(0, 0, 0), pixel(32 * (frames - 1) + 16, 16));

    // Clusters of seven: 96 x 96 frames, fewer of them in the same room.
    show(path, 2, bytes, 4000, "preview of 4000 x 4000, 96-pixel frames");
    frames = view->getFrameCount();
    EXPECT_EQ(96, view->getFrameWidth());
    EXPECT_GT(frames, 100);
    EXPECT_LE(static_cast<std::uint64_t>(frames) * 96 * 96, RZImageView::MAX_STRIP_PIXELS);
    EXPECT_EQ(96 * frames, view->getImage()->getWidth());
    EXPECT_EQ(RGB(255, 0, 0), pixel(16, 0));
    EXPECT_EQ(RGB(0, 0, 0), pixel(96 * (frames - 1) + 48, 48));
}

TEST_F(LongInputPreview, ASixteenThousandPixelPictureShowsTheFailureMessage) {
    BigFile file(testsupport::makeScratchDir("preview") + "\\huge.bmp");
    const std::string& path = file.name();
    std::uint64_t bytes = writeOneBitPicture(path, 16000);
    ASSERT_NE(0u, bytes);
    show(path, 2, bytes, 0, "preview of 16000 x 16000");
    EXPECT_EQ(-1, view->getCurrentFrame());
    int red = 0;
    for (int y = 4; y < 24; ++y) {
        for (int x = 4; x < 200; ++x) {
            red += pixel(x, y) == RGB(255, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(red, 20);
}

TEST_F(LongInputPreview, AFrameTooLargeForAnyStripLeavesThePreviewEmpty) {
    // 1,999 square: one frame as high as the picture. Alone it fits a strip;
    // as a cluster of seven (5,997 square) it does not.
    BigFile file(testsupport::makeScratchDir("preview") + "\\tall.bmp");
    const std::string& path = file.name();
    std::uint64_t bytes = writeOneBitPicture(path, 1999);
    ASSERT_NE(0u, bytes);
    show(path, 1, bytes, 1999, "preview of 1999 x 1999, one frame");
    EXPECT_EQ(2, view->getFrameCount());
    EXPECT_EQ(1999 * 2, view->getImage()->getWidth());
    EXPECT_EQ(RGB(255, 0, 0), pixel(0, 0));
    show(path, 2, bytes, 1999, "preview of 1999 x 1999, one cluster");
    EXPECT_EQ(-1, view->getCurrentFrame());
    EXPECT_EQ(view->getWidth(), view->getImage()->getWidth());
    EXPECT_EQ(view->getHeight(), view->getImage()->getHeight());
}

TEST(LongInputEditor, AMegabyteLineAndAHundredThousandCharactersOpen) {
    std::string game = testsupport::makeScratchDir("longgame");
    CreateDirectoryA((game + "\\Data").c_str(), nullptr);
    BigFile tableFile(game + "\\Data\\MagicTable");
    const std::string& table = tableFile.name();
    // Spell 0: a name and a description of a megabyte each (two-byte
    // characters); the other 47 spells ordinary.
    std::string rest;
    for (int k = 1; k < 48; ++k) {
        rest += "spell" + std::to_string(k) + " 1 010 1 1 100  020 2 2 100  030 3 3 100  text\r\n";
    }
    std::string longName(MB, '\0');
    for (std::size_t i = 0; i < longName.size(); i += 2) {
        longName.replace(i, 2, "名");
    }
    ASSERT_TRUE(writeRepeated(table, longName + " 1 010 1 1 100  020 2 2 100  030 3 3 100  ", "説",
                              MB, "\r\n" + rest));
    // 100,000 characters with fire aptitudes 0 to 5 in turn.
    const std::uint32_t count = 100000;
    std::string six;
    for (int r = 0; r < 6; ++r) {
        std::string record(RZCharacterFile::RECORD_SIZE, '\0');
        record[RZCharacterFile::APTITUDE_OFFSET] = static_cast<char>(r);
        record.replace(RZCharacterFile::NAME_OFFSET, 2, "C" + std::to_string(r));
        six += record;
    }
    std::string header(RZCharacterFile::HEADER_SIZE, '\0');
    putLittleEndian(header, 0, 140, 4);
    putLittleEndian(header, 4, count + 1, 4);
    BigFile characterFile(game + "\\Data\\CharacterData");
    ASSERT_TRUE(writeRepeated(characterFile.name(), header, six,
                              std::uint64_t(RZCharacterFile::RECORD_SIZE) * count));

    Editor editor;
    Answerer answers;
    answers.push(IDOK, table);
    MemoryWatch memory;
    Stopwatch clock;
    editor.command(IDM_OPEN);
    double elapsed = clock.milliseconds();
    const std::uint64_t bytes = 2 * MB + header.size() + RZCharacterFile::RECORD_SIZE * count;
    report("open: 2 MB line, 100,000 characters", static_cast<double>(bytes) / MB, elapsed,
           memory.peakGrowth());
    EXPECT_LE(memory.peakGrowth(), OPEN_MEMORY_FACTOR * bytes + PREVIEW_MEMORY_SLACK);
    RZEditData* document = editor.document();
    ASSERT_EQ(81u, document->count());
    ASSERT_EQ(0, editor.selectedRow());
    // The fire level of rank D: five characters in six, of which the list
    // shows its 1001.
    EXPECT_EQ(count, document->characters()->count());
    EXPECT_EQ(1001, editor.rowCount(IDC_CHARACTERS));
    EXPECT_EQ("C1", editor.cell(IDC_CHARACTERS, 0, 0));
    // The list cell is cut, the entry keeps its whole texts while the form
    // shows them and the selection moves on and back.
    EXPECT_LE(editor.cell(IDC_SPELL_LIST, 0, listColumnOf(RZSpellFields::FIELD_NAME)).size(),
              1023u);
    editor.selectRow(1);
    editor.selectRow(0);
    const RZMagic* first = document->entryAt(0);
    EXPECT_EQ(longName, first->getName());
    EXPECT_EQ(MB, first->getDescription().size());
    EXPECT_FALSE(document->hasChanged());
}

TEST(LongInputEditor, PlayTestOfAFiftyMegabyteSoundHoldsItOnce) {
    std::string game = freshGame();
    ASSERT_TRUE(setGameDirectory(game));
    Editor editor;
    editor.command(editor.dataSetId("SetA"));
    RZMagic* shown = editor.document()->shownEntry();
    ASSERT_NE(nullptr, shown);
    // 16-bit stereo at 44.1 kHz, about five minutes: the sound chosen for the
    // shown spell, so the play test finds it first.
    std::string outside = testsupport::makeScratchDir("longsound");
    BigFile file(outside + "\\" + editor.control(IDC_SOUND)->getText() + ".wav");
    const std::string& path = file.name();
    const std::uint64_t size = 50 * MB;
    std::string head = "RIFF....WAVEfmt ";
    head += std::string("\x10\0\0\0\x01\0\x02\0", 8);
    std::string numbers(16, '\0');
    putLittleEndian(numbers, 0, 44100, 4);
    putLittleEndian(numbers, 4, 44100 * 4, 4);
    putLittleEndian(numbers, 8, 4, 2);
    putLittleEndian(numbers, 10, 16, 2);
    head += numbers.substr(0, 12) + "data" + std::string(4, '\0');
    putLittleEndian(head, 4, size - 8, 4);
    putLittleEndian(head, 40, size - 44, 4);
    ASSERT_EQ(44u, head.size());
    ASSERT_TRUE(writeRepeated(path, head, "\x01\x02\x03", size - 44));
    shown->setSoundReplacement(HFile(outside + "\\chosen.wav"));

    HWavePlayer* player = editor.window->getWavePlayer();
    MemoryWatch memory;
    Stopwatch clock;
    // Each press stops the running sound, lets its file go and loads it anew.
    for (int press = 0; press < 2; ++press) {
        editor.command(IDC_PLAY_TEST);
        EXPECT_EQ(size - 44, player->getSource()->getDataSize());
        EXPECT_TRUE(player->isPlaying());
    }
    double elapsed = clock.milliseconds();
    player->stopPlay();
    for (int i = 0; i < 200 && player->isPlaying(); ++i) {
        pump(20);
    }
    EXPECT_FALSE(player->isPlaying());
    report("play test pressed twice on a WAVE", static_cast<double>(size) / MB, elapsed,
           memory.peakGrowth());
    EXPECT_LE(memory.peakGrowth(), size + PREVIEW_MEMORY_SLACK);
}
