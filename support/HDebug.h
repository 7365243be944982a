#pragma once

#include <cstdarg>
#include <string>

// The debug log ".\debug.log". Which levels are written is switched by empty
// marker files in the current directory; with none present nothing is written
// and the log file is never created.
class HDebug {
  public:
    static constexpr unsigned short LEVEL_DEBUG = 0x8000;
    static constexpr unsigned short LEVEL_TRACE = 0x2000;
    static constexpr unsigned short LEVEL_INTERFACE = 0x0800;
    static constexpr unsigned short LEVEL_JOURNAL = 0x0200;
    static constexpr unsigned short LEVEL_WARNING = 0x0080;
    static constexpr unsigned short LEVEL_ERROR = 0x0020;
    static constexpr unsigned short LEVEL_INFO = 0x0008;
    static constexpr unsigned short LEVEL_FATAL = 0x0002;

    static const char* const FORMAT_START;
    static const char* const FORMAT_END;
    static const char* const FORMAT_INFO;
    static const char* const FORMAT_WARNING;
    static const char* const FORMAT_ERROR;
    static const char* const FORMAT_SYSTEM_ERROR;
    static const char* const FORMAT_MARK;

    // Rotation starts when the written size is strictly greater than this.
    static constexpr unsigned long long SIZE_LIMIT = 102400000ULL;

    HDebug(const std::string& name, unsigned short mask);
    virtual ~HDebug();

    static void start();
    static void stop();
    static void print(unsigned short level, const char* format, ...);
    static void debug(const char* format, ...);
    static void output(unsigned short level, const HDebug* object, const char* format,
                       va_list args);

    void printObject(const char* format, va_list args) const;

    const std::string& getName() const { return name; }
    unsigned short getMask() const { return mask; }

    static bool isRunning();
    static unsigned short enabledLevels();

  private:
    static void write(unsigned short level, const HDebug* object, const char* format, ...);
    static void rotate();

    std::string name;
    unsigned short mask;
};

// Journal and information lines in the common "source:line" form.
#define HLOG_START(source, line, text)                                                             \
    HDebug::print(HDebug::LEVEL_JOURNAL, HDebug::FORMAT_START, source, line, text)
#define HLOG_END(source, line, text)                                                               \
    HDebug::print(HDebug::LEVEL_JOURNAL, HDebug::FORMAT_END, source, line, text)
#define HLOG_INFO(source, line, text)                                                              \
    HDebug::print(HDebug::LEVEL_INFO, HDebug::FORMAT_INFO, source, line, text)
