#include "support/HFile.h"
#include "support/HFileReader.h"
#include "support/HFileReplacement.h"
#include "support/HFileWriter.h"
#include "support/HHandle.h"
#include "support/HPathText.h"
#include "support/HShiftJis.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace testsupport;

TEST(HFile, SplitsAtTheLastBackslashReadingShiftJis) {
    // "表" is 0x95 0x5C: its second byte must not be taken for a backslash.
    HFile table("C:\\表\\MagicTable");
    EXPECT_EQ("C:\\表", table.directory());
    EXPECT_EQ("MagicTable", table.name());
    EXPECT_EQ("C:\\表\\MagicTable", table.fullPath());

    // The IBM-extension kanji 纊 and 犾 (0xFA 0x5C, 0xFB 0x5C) too.
    HFile extension("C:\\纊犾\\纊犾.wav");
    EXPECT_EQ("C:\\纊犾", extension.directory());
    EXPECT_EQ("纊犾.wav", extension.name());

    HFile inside("C:\\ソフト能力");
    EXPECT_EQ("C:", inside.directory());
    EXPECT_EQ("ソフト能力", inside.name());

    HFile bare("MagicTable");
    EXPECT_EQ("", bare.directory());
    EXPECT_EQ("MagicTable", bare.name());
    EXPECT_EQ("\\MagicTable", bare.fullPath());

    HFile empty("");
    EXPECT_EQ(".", empty.directory());
    EXPECT_EQ("", empty.name());

    HFile trailing("C:\\Game\\");
    EXPECT_EQ("C:\\Game", trailing.directory());
    EXPECT_EQ("", trailing.name());
    EXPECT_FALSE(trailing.exists());

    EXPECT_EQ("", HFile().fullPath());
}

TEST(HPathText, LeadByteAtTheEndIsAnOrdinaryByte) {
    const char text[] = {'a', '\\', static_cast<char>(0x95)};
    EXPECT_EQ(1u, HPathText::lastBackslash(text, sizeof(text)));
    const char broken[] = {static_cast<char>(0x95), '\\'};
    EXPECT_EQ(HPathText::npos, HPathText::lastBackslash(broken, sizeof(broken)));
    const char notTrail[] = {static_cast<char>(0x95), 0x20, '\\'};
    EXPECT_EQ(2u, HPathText::lastBackslash(notTrail, sizeof(notTrail)));
}

// Cutting keeps whole characters; validity needs a trail byte after each lead
// byte. Lead bytes run 0x81-0x9F and 0xE0-0xFC.
TEST(HShiftJis, CutsAndChecksWholeCharacters) {
    struct Row {
        std::string text;
        std::size_t limit;
        std::string cut;
        bool valid;
    };
    const Row rows[] = {
        {"abc", 2, "ab", true},
        {"表示", 3, "表", true},            // 0x95 0x5C 0x8E 0xA6
        {"a纊犾", 4, "a纊", true},          // 0xFA 0x5C: the lead byte's last range
        {"a\xFC\x40", 2, "a", true},        // 0xFC, the last lead byte
        {"a\xFD\x40", 2, "a\xFD", false},   // 0xFD is no lead byte
        {"\x80\x9F\x40", 1, "\x80", false}, // 0x80 neither
        {"ｱｲ\xE0\x40", 3, "ｱｲ", true},      // half-width katakana are one byte
        {"\x81\x7F", 2, "\x81\x7F", false}, // 0x7F is no trail byte
        {"aム÷", 4, "aム", true},           // 0x83 0x80 0x81 0x80: 0x80 ends a character
        {"a\x81", 5, "a\x81", false},       // a lead byte at the end
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(row.cut, HShiftJis::cut(row.text, row.limit));
        EXPECT_EQ(row.valid, HShiftJis::isValid(row.text));
    }
}

TEST(HFile, KindsParentsAndAbsolutePaths) {
    std::string dir = makeScratchDir("kinds");
    writeFile(dir + "\\MagicTable", "x");
    HFile directory(dir);
    HFile file(dir + "\\MagicTable");
    EXPECT_EQ(2, directory.kind());
    EXPECT_EQ(1, file.kind());
    EXPECT_EQ(0, HFile(dir + "\\missing").kind());

    // A bare name has an empty directory part: never exists.
    SetCurrentDirectoryA(dir.c_str());
    EXPECT_EQ(0, HFile("MagicTable").kind());
    SetCurrentDirectoryA(runDirectory().c_str());

    HFile game("C:\\Game\\Data\\MagicTable");
    HFile data = game.parent();
    EXPECT_EQ("C:\\Game", data.directory());
    EXPECT_EQ("Data", data.name());
    HFile top = data.parent();
    EXPECT_EQ("C:", top.directory());
    EXPECT_EQ("Game", top.name());
    EXPECT_TRUE(HFile().parent().isEmpty());

    // Relative paths are made absolute against the current directory.
    SetCurrentDirectoryA(dir.c_str());
    HFile relative;
    relative.setDirectory(".");
    relative.setName("MagicTable");
    EXPECT_EQ(dir + "\\MagicTable", relative.absolutePath());
    EXPECT_EQ(dir, relative.parent().fullPath());
    SetCurrentDirectoryA(runDirectory().c_str());
}

TEST(HFileReader, ReadsWholeFilesWithATrailingNul) {
    std::string dir = makeScratchDir("reader");
    std::string bytes("ab\0cd", 5);
    writeFile(dir + "\\data", bytes);
    HFileReader reader(HFile(dir + "\\data"));
    ASSERT_TRUE(reader.read());
    ASSERT_EQ(5u, reader.size());
    EXPECT_EQ(bytes, std::string(reader.data(), reader.size()));
    EXPECT_EQ('\0', reader.data()[5]);

    writeFile(dir + "\\empty", "");
    HFileReader empty(HFile(dir + "\\empty"));
    ASSERT_TRUE(empty.read());
    EXPECT_EQ(0u, empty.size());
    ASSERT_NE(nullptr, empty.data());
    EXPECT_EQ('\0', empty.data()[0]);

    HFileReader missing(HFile(dir + "\\missing"));
    EXPECT_FALSE(missing.read());
    EXPECT_EQ(nullptr, missing.data());
}

TEST(HFileReader, FileHeldOpenByAnotherProcessWithoutSharingCannotBeRead) {
    std::string dir = makeScratchDir("locked");
    std::string path = dir + "\\locked";
    writeFile(path, "secret");
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + programDirectory() + "\\holdfile.exe\" \"" + path + "\" 3000";
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    for (int i = 0; i < 200 && !fileExists(path + ".held"); ++i) {
        Sleep(25);
    }
    ASSERT_TRUE(fileExists(path + ".held"));
    HFileReader reader{HFile(path)};
    EXPECT_FALSE(reader.read());
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    HFileReader again{HFile(path)};
    ASSERT_TRUE(again.read());
    EXPECT_EQ("secret", std::string(again.data(), again.size()));
}

// Once a reader, a writer or a replacement is done, nothing holds the file:
// another program may take it with no sharing at all.
TEST(HHandle, FilesAreLetGoOnEveryPath) {
    std::string path = makeScratchDir("let-go") + "\\file";
    const auto takenAlone = [&] {
        HHandle alone(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return alone.isOpen();
    };
    writeFile(path, "x");
    HFileReader reader{HFile(path)};
    ASSERT_TRUE(reader.read());
    EXPECT_TRUE(takenAlone()) << "after a read, with the reader still there";

    HFileWriter writer{HFile(path)};
    ASSERT_TRUE(writer.open());
    EXPECT_FALSE(takenAlone()) << "while the writer is open";
    EXPECT_TRUE(writer.close());
    EXPECT_TRUE(takenAlone()) << "after the writer's close";
    {
        HFileWriter dropped{HFile(path)};
        ASSERT_TRUE(dropped.open());
    }
    EXPECT_TRUE(takenAlone()) << "after a writer went while open";

    HFileReplacement replacement{HFile(path)};
    ASSERT_TRUE(replacement.write("new"));
    ASSERT_EQ(HFileReplacement::Result::REPLACED, replacement.replace());
    EXPECT_TRUE(takenAlone()) << "after a replacement";
    EXPECT_EQ("new", readFile(path));

    // An owner given another handle lets the one it held go.
    HHandle owner(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(owner.isOpen());
    HHandle taken(std::move(owner));
    EXPECT_FALSE(owner.isOpen());
    // Nothing held, nothing to close: neither one given away nor the null an API failed with.
    EXPECT_TRUE(owner.close());
    EXPECT_TRUE(HHandle(nullptr).close());
    EXPECT_FALSE(takenAlone());
    taken = HHandle();
    EXPECT_TRUE(takenAlone()) << "after the owner was given an empty handle";
}

TEST(HFileWriter, LargeWritesReachTheFileCompleteAndInOrder) {
    std::string dir = makeScratchDir("writer");
    std::string path = dir + "\\out";
    std::string bytes;
    for (int i = 0; i < 20000; ++i) {
        bytes.push_back(static_cast<char>('A' + (i * 7 + i / 26) % 26));
    }
    HFileWriter writer{HFile(path)};
    ASSERT_TRUE(writer.open());
    ASSERT_TRUE(writer.write(bytes.data(), static_cast<std::uint32_t>(bytes.size())));
    // Two full buffers went out; 3,616 bytes wait for the close.
    EXPECT_EQ(16384u, readFile(path).size());
    EXPECT_TRUE(writer.close());
    EXPECT_EQ(bytes, readFile(path));
}

TEST(HFileWriter, SmallWritesAreCollectedAndReplaceTheOldFile) {
    std::string dir = makeScratchDir("writer-small");
    std::string path = dir + "\\out";
    writeFile(path, "old content that is longer");
    HFileWriter writer{HFile(path)};
    ASSERT_TRUE(writer.open());
    EXPECT_TRUE(writer.write("abc", 3));
    EXPECT_TRUE(writer.write("\r\n", 2));
    EXPECT_EQ("", readFile(path));
    EXPECT_TRUE(writer.flush());
    EXPECT_EQ("abc\r\n", readFile(path));
    EXPECT_TRUE(writer.setBufferSize(4));
    EXPECT_TRUE(writer.write("123456789", 9));
    EXPECT_TRUE(writer.close());
    EXPECT_EQ("abc\r\n123456789", readFile(path));
    EXPECT_FALSE(writer.setBufferSize(0));
    // A writer that goes without close() writes what it still holds.
    {
        HFileWriter unclosed{HFile(path)};
        ASSERT_TRUE(unclosed.open());
        EXPECT_TRUE(unclosed.write("xyz", 3));
    }
    EXPECT_EQ("xyz", readFile(path));
}

TEST(HFileWriter, FailuresAreResultsAndLogged) {
    std::string dir = makeScratchDir("writer-fail");
    LogTail log;
    HFileWriter never{HFile(dir + "\\never")};
    EXPECT_FALSE(never.close());
    EXPECT_FALSE(never.flush());
    EXPECT_FALSE(log.contains("情報"));

    HFileWriter twice{HFile(dir + "\\twice")};
    ASSERT_TRUE(twice.open());
    EXPECT_FALSE(twice.open());
    EXPECT_TRUE(log.contains("HFileWriter         :0062 情報：open error:file is not closed."));
    EXPECT_TRUE(twice.isOpen());
    EXPECT_TRUE(twice.write("x", 1));
    EXPECT_TRUE(twice.close());
    EXPECT_EQ("x", readFile(dir + "\\twice"));

    HFileWriter missing{HFile(dir + "\\no\\such\\dir")};
    EXPECT_FALSE(missing.open());
    EXPECT_TRUE(log.contains("HFileWriter         :0083 情報：open error:3"));
    EXPECT_FALSE(missing.write("x", 1) && missing.flush());
}
