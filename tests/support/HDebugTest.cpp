#include "support/HDebug.h"
#include "support/HStageClock.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <regex>
#include <string>
#include <utility>
#include <vector>

using namespace testsupport;

namespace {

// Runs the probe program in a fresh directory holding the given markers and
// returns the directory.
std::string runProbe(const std::vector<std::string>& markers, const std::string& mode = "lines",
                     const std::string& existingLog = "") {
    std::string dir = makeScratchDir("log");
    for (const std::string& marker : markers) {
        writeFile(dir + "\\" + marker, "");
    }
    if (!existingLog.empty()) {
        writeFile(dir + "\\debug.log", existingLog);
    }
    std::string command = "\"" + programDirectory() + "\\logprobe.exe\" " + mode;
    EXPECT_EQ(0, runProcess(command, dir));
    return dir;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            result.push_back(text.substr(at));
            break;
        }
        result.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return result;
}

// Names of the rotated logs in a directory ("debug.log.*" also matches
// "debug.log" itself).
std::vector<WIN32_FIND_DATAA> rotatedLogs(const std::string& dir) {
    std::vector<WIN32_FIND_DATAA> rotated = listFolder(dir, "debug.log.*");
    rotated.erase(std::remove_if(rotated.begin(), rotated.end(),
                                 [](const WIN32_FIND_DATAA& f) {
                                     return std::string(f.cFileName) == "debug.log";
                                 }),
                  rotated.end());
    return rotated;
}

const char* const STAMP = R"(\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}\.\d{3})";

} // namespace

TEST(HDebug, NoMarkerFileNoLogFile) {
    std::string dir = runProbe({});
    EXPECT_FALSE(fileExists(dir + "\\debug.log"));
}

TEST(HDebug, LinesMatchTheCommonFormatByteForByte) {
    std::string dir = runProbe({"debug", "journal", "info"});
    std::vector<std::string> log = lines(readFile(dir + "\\debug.log"));
    ASSERT_GE(log.size(), 8u);

    // Every line: 23-character stamp, then a five-character tag.
    for (const std::string& line : log) {
        EXPECT_TRUE(std::regex_search(line, std::regex(std::string("^") + STAMP))) << line;
    }
    auto body = [](const std::string& line) { return line.substr(23); };
    EXPECT_EQ(" JNL ログ出力開始", body(log[0]));
    EXPECT_EQ(" JNL HButton             :0050 create 開始", body(log[1]));
    EXPECT_EQ(" JNL HButton             :0050 create 終了", body(log[2]));
    EXPECT_EQ(" INF RZMagicLoader       :0070 情報：load:error param", body(log[3]));
    EXPECT_EQ(" DBG exec   : probe", body(log[4]));
    // Two level bits: written, tagged " OTH ". Level 0x0001 never is.
    EXPECT_EQ(" OTH two levels", body(log[5]));
    // The 3,000-byte message is cut to the 1,024-byte expansion buffer.
    EXPECT_EQ(" DBG " + std::string(1023, 'x'), body(log[6]));

    // Named object: three naming steps, the last one the most derived name.
    std::string text = readFile(dir + "\\debug.log");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(text, match, std::regex(R"( DBG ProbeObject@([0-9A-F]+):生成)")));
    std::string address = match[1];
    EXPECT_NE('0', address[0]);
    EXPECT_NE(std::string::npos, text.find(" DBG HObject@" + address + ":生成"));
    EXPECT_NE(std::string::npos, text.find(" DBG HObject@" + address + ":削除"));
    EXPECT_NE(std::string::npos, text.find(" DBG ProbeObject@" + address + ":hello 7"));
    EXPECT_NE(std::string::npos, text.find(" DBG ProbeObject@" + address + ":削除"));
    EXPECT_EQ(" JNL ログ出力停止", body(log.back()));

    EXPECT_EQ(std::string::npos, text.find("level one"));
    EXPECT_EQ(std::string::npos, text.find("before start"));
    EXPECT_EQ(std::string::npos, text.find("after stop"));
    EXPECT_EQ(std::string::npos, text.find("Silent"));
}

TEST(HDebug, OnlyInfoMarkerWritesOnlyInfoLines) {
    std::string dir = runProbe({"info"});
    std::vector<std::string> log = lines(readFile(dir + "\\debug.log"));
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ(" INF RZMagicLoader       :0070 情報：load:error param", log[0].substr(23));
    EXPECT_EQ(" OTH two levels", log[1].substr(23));
}

TEST(HDebug, ExistingLogIsAppendedTo) {
    std::string dir = runProbe({"journal"}, "lines", "earlier line\r\n");
    std::string text = readFile(dir + "\\debug.log");
    EXPECT_EQ(0u, text.find("earlier line\r\n"));
    EXPECT_NE(std::string::npos, text.find("ログ出力開始"));
}

TEST(HDebug, RotatesOnceWhenTheExistingLogIsOverTheLimit) {
    std::string dir = makeScratchDir("rotate");
    writeFile(dir + "\\info", "");
    writeFile(dir + "\\journal", "");
    // A log one byte over the limit, made sparse so the test stays quick.
    HANDLE log = CreateFileA((dir + "\\debug.log").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, log);
    LARGE_INTEGER size;
    size.QuadPart = HDebug::SIZE_LIMIT + 1;
    SetFilePointerEx(log, size, nullptr, FILE_BEGIN);
    SetEndOfFile(log);
    CloseHandle(log);

    EXPECT_EQ(0, runProcess("\"" + programDirectory() + "\\logprobe.exe\" rotate", dir));

    std::vector<WIN32_FIND_DATAA> rotatedFiles = rotatedLogs(dir);
    ASSERT_EQ(1u, rotatedFiles.size()) << "only one rotation";
    std::string rotatedName = rotatedFiles[0].cFileName;

    // The first line (the start line) found the log over the limit: the old log
    // ends with the rotation note and the stop line.
    HANDLE rotated = CreateFileA((dir + "\\" + rotatedName).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, rotated);
    LARGE_INTEGER tailAt;
    tailAt.QuadPart = HDebug::SIZE_LIMIT + 1;
    SetFilePointerEx(rotated, tailAt, nullptr, FILE_BEGIN);
    char tail[512] = {};
    DWORD done = 0;
    ReadFile(rotated, tail, sizeof(tail) - 1, &done, nullptr);
    CloseHandle(rotated);
    std::vector<std::string> old = lines(std::string(tail, done));
    ASSERT_EQ(2u, old.size());
    EXPECT_EQ(" INF HDebug              :0374 情報：ログファイル退避：.\\" + rotatedName,
              old[0].substr(23));
    EXPECT_EQ(" JNL ログ出力停止", old[1].substr(23));

    // The fresh log: the rotation's restart, then the line that triggered it.
    std::vector<std::string> fresh = lines(readFile(dir + "\\debug.log"));
    ASSERT_EQ(6u, fresh.size());
    EXPECT_EQ(" JNL ログ出力開始", fresh[0].substr(23));
    EXPECT_EQ(" INF HDebug              :0388 情報：ログ出力再開", fresh[1].substr(23));
    EXPECT_EQ(" JNL ログ出力開始", fresh[2].substr(23));
    EXPECT_EQ(" INF probe               :0001 情報：first", fresh[3].substr(23));
    EXPECT_EQ(" INF probe               :0002 情報：second", fresh[4].substr(23));
    EXPECT_EQ(" JNL ログ出力停止", fresh[5].substr(23));
}

TEST(HDebug, FailedRotationIsNotedAndTriedAgainAtTheNextLine) {
    std::string dir = makeScratchDir("rotate-fail");
    writeFile(dir + "\\info", "");
    HANDLE log = CreateFileA((dir + "\\debug.log").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = HDebug::SIZE_LIMIT + 1;
    SetFilePointerEx(log, size, nullptr, FILE_BEGIN);
    SetEndOfFile(log);
    CloseHandle(log);
    // Held open without delete sharing: the rename must fail.
    HANDLE holder =
        CreateFileA((dir + "\\debug.log").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_EQ(0, runProcess("\"" + programDirectory() + "\\logprobe.exe\" rotate", dir));
    CloseHandle(holder);

    std::string text = readFile(dir + "\\debug.log").substr(HDebug::SIZE_LIMIT + 1);
    // Each of the two probe lines tries once; the notes never start another.
    std::size_t failures = 0;
    for (std::size_t at = 0;
         (at = text.find("情報：ログファイル退避に失敗", at)) != std::string::npos; ++at) {
        ++failures;
    }
    EXPECT_EQ(2u, failures);
    EXPECT_NE(std::string::npos, text.find(":0382 情報：ログファイル退避に失敗"));
    EXPECT_NE(std::string::npos, text.find("情報：first"));
    EXPECT_NE(std::string::npos, text.find("情報：second"));
}

TEST(HDebug, RotationReachedByReallyWritingPastTheLimit) {
    std::string dir = makeScratchDir("fill");
    writeFile(dir + "\\info", "");
    EXPECT_EQ(0, runProcess("\"" + programDirectory() + "\\logprobe.exe\" fill", dir, 300000));
    std::vector<WIN32_FIND_DATAA> rotatedFiles = rotatedLogs(dir);
    ASSERT_EQ(1u, rotatedFiles.size());
    const WIN32_FIND_DATAA& found = rotatedFiles[0];
    unsigned long long rotatedSize =
        (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    EXPECT_GT(rotatedSize, HDebug::SIZE_LIMIT);
    EXPECT_LT(rotatedSize, HDebug::SIZE_LIMIT + 4096);
    std::string fresh = readFile(dir + "\\debug.log");
    EXPECT_NE(std::string::npos, fresh.find("情報：ログ出力再開"));
}

// The benchmarks' stage clock: each stage's own time, the stages inside it
// left out, handed over as a stage ends or another begins inside it.
namespace {

std::vector<std::pair<std::string, double>> charged;

void noteStage(const char* stage, double ms) {
    charged.emplace_back(stage, ms);
}

double nowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Spins until `ms` have passed.
void spend(double ms) {
    const double start = nowMs();
    while (nowMs() - start < ms) {
    }
}

} // namespace

TEST(HStageClock, HandsEachStageItsOwnTimeWhileSomebodyListens) {
    charged.clear();
    {
        HStageClock::Scope unheard("unheard");
        spend(1);
    }
    HStageClock::setListener(noteStage);
    const double start = nowMs();
    {
        HStageClock::Scope outer("outer");
        spend(4);
        {
            HStageClock::Scope inner("inner");
            spend(12);
        }
        spend(4);
    }
    const double elapsed = nowMs() - start;
    HStageClock::setListener(nullptr);
    { HStageClock::Scope after("after"); }
    std::vector<std::string> stages;
    for (const auto& stage : charged) {
        stages.push_back(stage.first);
    }
    ASSERT_EQ(stages, (std::vector<std::string>{"outer", "inner", "outer"}));
    // Each at least what it spent, together no more than the whole took.
    double sum = 0;
    for (std::size_t i = 0; i < charged.size(); ++i) {
        EXPECT_GE(charged[i].second, i == 1 ? 12 : 4) << i;
        sum += charged[i].second;
    }
    EXPECT_LE(sum, elapsed + 0.001);
}
