#pragma once

#include <cstdint>
#include <memory>
#include <string>

class HDebug;

// Pointer-sized values (addresses, handles) for "%llX" in log lines: the whole
// value in upper-case hexadecimal without leading zeros.
inline unsigned long long hexOf(const void* pointer) {
    return static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(pointer));
}

// Root of every toolkit and application class: a class-name tag and the
// object's own channel in the debug log.
class HObject {
  public:
    HObject();
    HObject(const HObject&) = delete;
    HObject& operator=(const HObject&) = delete;
    virtual ~HObject();

    // "Class@ADDRESS".
    virtual std::string toString() const;

    const std::string& getClassName() const { return className; }
    void printMessage(const char* format, ...) const __attribute__((format(gnu_printf, 2, 3)));

  protected:
    // The naming step: every constructor of a chain calls it with its own class
    // name, so the channel always bears the most derived name.
    void setClassName(const char* name);

  private:
    std::string className;
    std::unique_ptr<HDebug> channel;
};
