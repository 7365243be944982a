// The sound and picture operations on the real editor window: where the play
// test looks for a sound, what the sound and picture choosers change, and that a
// sound that is still playing gives way to the next one.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/operations/RZOperations.h"
#include "app/views/RZIds.h"
#include "app/views/RZImageView.h"
#include "app/views/RZWindow.h"
#include "sound/HWavePlayer.h"
#include "sound/HWaveSource.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"
#include "tests/sound/WaveTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// An 8-bit mono PCM WAVE file at 8000 samples per second: bytes of data are
// samples, so sizes tell the files apart.
std::string waveBytes(unsigned samples) {
    return wavetest::simpleWave(wavetest::samples(samples));
}

using testsupport::writeFileAndFolders;

class RZSoundPictureTest : public editortest::FreshGameTest {
  protected:
    void SetUp() override {
        FreshGameTest::SetUp();
        editor.reset(new editortest::Editor());
    }

    void TearDown() override {
        // A device still open would report to a window that is gone.
        HWavePlayer* player = editor->window->getWavePlayer();
        player->stopPlay();
        for (int i = 0; i < 200 && player->isPlaying(); ++i) {
            editortest::pump(20);
        }
        editor.reset();
    }

    void openSetA() {
        editor->command(editor->dataSetId("SetA"));
        ASSERT_GT(editor->rowCount(IDC_SPELL_LIST), 0);
        ASSERT_NE(nullptr, shown());
    }

    RZMagic* shown() { return editor->document()->shownEntry(); }
    std::string soundBox() { return editor->control(IDC_SOUND)->getText(); }
    HWaveSource* source() { return editor->window->getWavePlayer()->getSource(); }

    // The document's entries of the shown spell (all its levels).
    std::vector<RZMagic*> levelsOfShown() {
        std::vector<RZMagic*> levels;
        RZEditData* document = editor->document();
        for (std::uint32_t i = 0; i < document->count(); ++i) {
            if (document->entryAt(i)->getIndex() == shown()->getIndex()) {
                levels.push_back(document->entryAt(i));
            }
        }
        return levels;
    }

    std::unique_ptr<editortest::Editor> editor;
};

TEST_F(RZSoundPictureTest, PlayTestTakesTheChosenFolderThenTheGameThenTheStock) {
    ASSERT_NO_FATAL_FAILURE(openSetA());
    std::string name = soundBox();
    ASSERT_EQ("asnd00", name);
    // Two seconds each, so every press below comes while the last sound plays.
    std::string stock = game + "\\Default\\Music&Sound\\" + name + ".wav";
    std::string own = game + "\\SetA\\Music&Sound\\" + name + ".wav";
    std::string outside = testsupport::makeScratchDir("outside");
    ASSERT_TRUE(writeFileAndFolders(stock, waveBytes(16000)));

    EXPECT_TRUE(RZOP0004(editor->window));
    EXPECT_EQ(16000u, source()->getDataSize());
    EXPECT_TRUE(editor->window->getWavePlayer()->isPlaying());

    ASSERT_TRUE(writeFileAndFolders(own, waveBytes(16800)));
    editor->command(IDC_PLAY_TEST);
    EXPECT_EQ(16800u, source()->getDataSize()) << "the running sound was not replaced";
    EXPECT_TRUE(editor->window->getWavePlayer()->isPlaying());

    // A sound chosen for this spell earlier: its folder comes first.
    ASSERT_TRUE(writeFileAndFolders(outside + "\\" + name + ".wav", waveBytes(17600)));
    shown()->setSoundReplacement(HFile(outside + "\\chosen.wav"));
    editor->command(IDC_PLAY_TEST);
    EXPECT_EQ(17600u, source()->getDataSize());
}

TEST_F(RZSoundPictureTest, PlayTestOfAMissingSoundLogsTheLastPlaceAndPlaysNothing) {
    ASSERT_NO_FATAL_FAILURE(openSetA());
    editor->type(IDC_SOUND, "nothing");
    testsupport::LogTail log;
    EXPECT_FALSE(RZOP0004(editor->window));
    EXPECT_FALSE(editor->window->getWavePlayer()->isPlaying());
    EXPECT_TRUE(log.contains("file not exist path=" + game + "\\Default\\Music&Sound\\nothing.wav"))
        << log.text();
}

TEST_F(RZSoundPictureTest, WithNothingLoadedThePlayTestStillFindsTheStockSound) {
    writeFileAndFolders(game + "\\Default\\Music&Sound\\snd05.wav", waveBytes(4000));
    editor->type(IDC_SOUND, "snd05");
    EXPECT_TRUE(RZOP0004(editor->window));
    EXPECT_EQ(4000u, source()->getDataSize());
}

TEST_F(RZSoundPictureTest, ChoosersDoNothingWhileNoEntryIsShown) {
    editortest::Answerer answerer;
    editor->command(IDC_SOUND_CHOOSE);
    editor->command(IDC_PICTURE_REPLACE);
    editortest::pump(300);
    EXPECT_TRUE(answerer.seen.empty());
}

TEST_F(RZSoundPictureTest, ChoosingASoundNamesItUpToTheFirstDotForEveryLevel) {
    ASSERT_NO_FATAL_FAILURE(openSetA());
    std::string outside = testsupport::makeScratchDir("sounds");
    std::string chosen = outside + "\\fire.01.wav";
    ASSERT_TRUE(writeFileAndFolders(chosen, waveBytes(800)));
    ASSERT_TRUE(writeFileAndFolders(outside + "\\fire.wav", waveBytes(1200)));
    std::vector<RZMagic*> levels = levelsOfShown();
    ASSERT_GT(levels.size(), 1u);
    RZMagic* otherSpell = editor->document()->entryAt(editor->document()->count() - 1);
    std::string otherSound = otherSpell->getSound();

    {
        editortest::Answerer answerer;
        answerer.push(IDOK, chosen);
        editor->command(IDC_SOUND_CHOOSE);
        ASSERT_EQ(1u, answerer.seen.size());
        EXPECT_TRUE(answerer.seen[0].fileDialog);
    }
    EXPECT_EQ("fire", soundBox());
    for (RZMagic* level : levels) {
        EXPECT_EQ("fire", level->getSound());
        EXPECT_EQ(chosen, level->getSoundReplacement().fullPath());
    }
    EXPECT_EQ(otherSound, otherSpell->getSound());
    EXPECT_EQ(editor->controlHandle(IDC_SOUND_CHOOSE), GetFocus());
    EXPECT_TRUE(editor->document()->hasChanged());

    // The play test now finds "fire" beside the chosen file.
    EXPECT_TRUE(RZOP0004(editor->window));
    EXPECT_EQ(1200u, source()->getDataSize());
}

// 纊 (0xFA 0x5C) and 犾 (0xFB 0x5C) end in the byte of a backslash: a sound
// file named with them keeps its whole name, in the form and in the saved list.
TEST_F(RZSoundPictureTest, ASoundNamedWithBackslashByteKanjiIsSavedWhole) {
    ASSERT_NO_FATAL_FAILURE(openSetA());
    std::string chosen = testsupport::makeScratchDir("sounds") + "\\纊犾.wav";
    ASSERT_TRUE(writeFileAndFolders(chosen, waveBytes(800)));
    {
        editortest::Answerer answerer;
        answerer.push(IDOK, chosen);
        editor->command(IDC_SOUND_CHOOSE);
        ASSERT_EQ(1u, answerer.seen.size());
    }
    EXPECT_EQ("纊犾", soundBox());
    editor->press({VK_CONTROL, 'S'});
    EXPECT_FALSE(editor->document()->hasChanged());
    std::vector<std::string> sounds = editortest::soundNames("a");
    sounds[0] = "纊犾";
    EXPECT_EQ(editortest::soundFileText(sounds),
              testsupport::readFile(game + "\\SetA\\Data\\SoundFileName"));
}

TEST_F(RZSoundPictureTest, CancellingTheChoosersChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(openSetA());
    std::string before = soundBox();
    {
        editortest::Answerer answerer;
        answerer.push(IDCANCEL);
        answerer.push(IDCANCEL);
        editor->command(IDC_SOUND_CHOOSE);
        editor->command(IDC_PICTURE_REPLACE);
        EXPECT_EQ(2u, answerer.seen.size());
    }
    EXPECT_EQ(before, soundBox());
    EXPECT_TRUE(shown()->getSoundReplacement().isEmpty());
    EXPECT_TRUE(shown()->getPictureReplacement().isEmpty());
    EXPECT_FALSE(editor->document()->hasChanged());
}

TEST_F(RZSoundPictureTest, ReplacingThePictureShowsItAtOnceAndMarksTheSpellChanged) {
    ASSERT_NO_FATAL_FAILURE(openSetA());
    RZImageView* preview = static_cast<RZImageView*>(editor->control(IDC_PICTURE));
    // Spell 0's stock picture is 512 x 128: four frames of 128.
    EXPECT_EQ(128, preview->getFrameWidth());
    std::string picture = testsupport::makeScratchDir("pictures") + "\\mine.bmp";
    ASSERT_TRUE(testsupport::writeFile(picture, editortest::bmpBytes(96, 96, RGB(10, 200, 10))));
    {
        editortest::Answerer answerer;
        answerer.push(IDOK, picture);
        editor->command(IDC_PICTURE_REPLACE);
        ASSERT_EQ(1u, answerer.seen.size());
    }
    for (RZMagic* level : levelsOfShown()) {
        EXPECT_EQ(picture, level->getPictureReplacement().fullPath());
    }
    EXPECT_EQ(96, preview->getFrameWidth());
    EXPECT_TRUE(editor->document()->hasChanged());
    EXPECT_EQ(editor->controlHandle(IDC_PICTURE_REPLACE), GetFocus());
    // Undone, the spell's own picture is shown again; redone, the chosen one.
    editor->command(IDM_UNDO);
    EXPECT_EQ(128, preview->getFrameWidth());
    editor->command(IDM_REDO);
    EXPECT_EQ(96, preview->getFrameWidth());
}

// The file-type list a chooser offers, and the folder it opens in; then cancels it.
struct ChooserSeen {
    std::vector<std::string> types;
    std::string folder;
};

bool readTypesAndCancel(HWND dialog, ChooserSeen& seen) {
    seen.types = testsupport::comboTexts(GetDlgItem(dialog, 0x470));
    if (seen.types.empty()) {
        return false; // not filled yet
    }
    seen.folder = testsupport::windowText(GetDlgItem(dialog, 0x471));
    testsupport::pressButton(dialog, IDCANCEL);
    return true;
}

TEST_F(RZSoundPictureTest, ChoosersOfferTheirFileTypesAndOpenInTheGamesFolders) {
    // The data set's own sound folder; no picture folder of its own, so the
    // stock pictures.
    CreateDirectoryA((game + "\\SetA\\Music&Sound").c_str(), nullptr);
    ASSERT_NO_FATAL_FAILURE(openSetA());
    const struct {
        int command;
        std::vector<std::string> types;
        const char* folder;
    } choosers[] = {
        {IDC_SOUND_CHOOSE, {"wave音源 {*.wav}", "すべてのﾌｧｲﾙ {*.*}"}, "Music&Sound"},
        {IDC_PICTURE_REPLACE, {"ﾋﾞｯﾄﾏｯﾌﾟ {*.bmp}", "すべてのﾌｧｲﾙ {*.*}"}, "Picture"},
    };
    for (const auto& chooser : choosers) {
        ChooserSeen seen;
        testsupport::DialogDriver driver(
            [&seen](HWND dialog) { return readTypesAndCancel(dialog, seen); });
        editor->command(chooser.command);
        EXPECT_EQ(1, driver.handled());
        EXPECT_EQ(chooser.types, seen.types);
        EXPECT_EQ(chooser.folder, seen.folder);
    }
}

} // namespace
