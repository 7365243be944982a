#include "support/HDebug.h"

#include "support/HHandle.h"

#include <windows.h>

#include <cstdio>
#include <map>
#include <utility>

const char* const HDebug::FORMAT_START = "%-20s:%04d %s 開始";
const char* const HDebug::FORMAT_END = "%-20s:%04d %s 終了";
const char* const HDebug::FORMAT_INFO = "%-20s:%04d 情報：%s";
const char* const HDebug::FORMAT_WARNING = "%-20s:%04d 警告：%s";
const char* const HDebug::FORMAT_ERROR = "%-20s:%04d エラー：%s";
const char* const HDebug::FORMAT_SYSTEM_ERROR = "%-20s:%04d システムエラー：%s";
const char* const HDebug::FORMAT_MARK = "%-20s:%04d .";

namespace {

const char* const LOG_PATH = ".\\debug.log";

struct LogState {
    bool running = false;
    HHandle file;
    unsigned short enabled = 0;
    unsigned long long written = 0;
    bool rotating = false;
    std::map<unsigned short, std::string> tags;
    std::map<unsigned short, std::string> markers;
};

LogState& state() {
    static LogState s;
    return s;
}

void fillTables(LogState& s) {
    if (!s.tags.empty()) {
        return;
    }
    struct Level {
        unsigned short value;
        const char* tag;
        const char* marker;
    };
    static const Level levels[] = {
        {HDebug::LEVEL_FATAL, " FTL ", ".\\fatal"},
        {HDebug::LEVEL_INFO, " INF ", ".\\info"},
        {HDebug::LEVEL_ERROR, " ERR ", ".\\error"},
        {HDebug::LEVEL_WARNING, " WAR ", ".\\warning"},
        {HDebug::LEVEL_JOURNAL, " JNL ", ".\\journal"},
        {HDebug::LEVEL_INTERFACE, " I/F ", ".\\interface"},
        {HDebug::LEVEL_TRACE, " TRC ", ".\\trace"},
        {HDebug::LEVEL_DEBUG, " DBG ", ".\\debug"},
    };
    for (const Level& level : levels) {
        s.tags[level.value] = level.tag;
        s.markers[level.value] = level.marker;
    }
}

bool openLog(LogState& s) {
    HHandle file(CreateFileA(LOG_PATH, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen()) {
        s.file.close();
        s.running = false;
        return false;
    }
    s.written = 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        LARGE_INTEGER size;
        LARGE_INTEGER zero = {};
        SetFilePointerEx(file.get(), zero, nullptr, FILE_END);
        if (GetFileSizeEx(file.get(), &size)) {
            s.written = static_cast<unsigned long long>(size.QuadPart);
        }
    }
    s.file = std::move(file);
    return true;
}

} // namespace

HDebug::HDebug(const std::string& name, unsigned short mask) : name(name), mask(mask) {
    write(LEVEL_DEBUG, this, "生成");
}

HDebug::~HDebug() {
    write(LEVEL_DEBUG, this, "削除");
}

bool HDebug::isRunning() {
    return state().running;
}

unsigned short HDebug::enabledLevels() {
    return state().enabled;
}

void HDebug::start() {
    LogState& s = state();
    fillTables(s);
    if (s.running) {
        stop();
    }
    for (const auto& marker : s.markers) {
        const HHandle file(CreateFileA(marker.second.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.isOpen()) {
            s.enabled |= marker.first;
        }
    }
    s.running = true;
    write(LEVEL_JOURNAL, nullptr, "ログ出力開始");
}

void HDebug::stop() {
    LogState& s = state();
    if (!s.running) {
        return;
    }
    write(LEVEL_JOURNAL, nullptr, "ログ出力停止");
    s.file.close();
    s.running = false;
}

void HDebug::print(unsigned short level, const char* format, ...) {
    va_list args;
    va_start(args, format);
    output(level, nullptr, format, args);
    va_end(args);
}

void HDebug::debug(const char* format, ...) {
    va_list args;
    va_start(args, format);
    output(LEVEL_DEBUG, nullptr, format, args);
    va_end(args);
}

void HDebug::printObject(const char* format, va_list args) const {
    output(LEVEL_DEBUG, this, format, args);
}

void HDebug::write(unsigned short level, const HDebug* object, const char* format, ...) {
    va_list args;
    va_start(args, format);
    output(level, object, format, args);
    va_end(args);
}

void HDebug::output(unsigned short level, const HDebug* object, const char* format, va_list args) {
    LogState& s = state();
    unsigned short filter = object ? object->mask : 0xFFFF;
    if (!s.running || (level & filter) == 0 || (level & s.enabled) == 0) {
        return;
    }
    if (!s.file.isOpen() && !openLog(s)) {
        return;
    }
    // The rotation's own notes pass through here while it runs; the flag keeps
    // them from starting a second rotation.
    if (s.written > SIZE_LIMIT && !s.rotating) {
        rotate();
        if (!s.running || (!s.file.isOpen() && !openLog(s))) {
            return;
        }
    }

    char line[2048];
    SYSTEMTIME now;
    GetLocalTime(&now);
    int length =
        snprintf(line, sizeof(line), "%04d/%02d/%02d %02d:%02d:%02d.%03d", now.wYear, now.wMonth,
                 now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    auto tag = s.tags.find(level);
    std::string head = tag != s.tags.end() ? tag->second : std::string(" OTH ");
    if (object) {
        head += object->name;
        head += ":";
    }
    char message[1024];
    vsnprintf(message, sizeof(message), format, args);
    length += snprintf(line + length, sizeof(line) - length, "%s%s\r\n", head.c_str(), message);
    if (length >= static_cast<int>(sizeof(line))) {
        // Cut, but keep the line end.
        length = sizeof(line) - 1;
        line[length - 2] = '\r';
        line[length - 1] = '\n';
    }

    DWORD done = 0;
    WriteFile(s.file.get(), line, static_cast<DWORD>(length), &done, nullptr);
    s.written += done;
}

void HDebug::rotate() {
    LogState& s = state();
    s.rotating = true;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char rotated[MAX_PATH];
    snprintf(rotated, sizeof(rotated), "%s.%04d%02d%02d%02d%02d%02d%03d", LOG_PATH, now.wYear,
             now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    std::string note = std::string("ログファイル退避：") + rotated;
    print(LEVEL_INFO, FORMAT_INFO, "HDebug", 374, note.c_str());
    stop();
    bool moved = MoveFileExA(LOG_PATH, rotated, MOVEFILE_WRITE_THROUGH) != 0;
    start();
    if (!moved) {
        print(LEVEL_INFO, FORMAT_INFO, "HDebug", 382, "ログファイル退避に失敗");
    }
    print(LEVEL_INFO, FORMAT_INFO, "HDebug", 388, "ログ出力再開");
    s.rotating = false;
}
