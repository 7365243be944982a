#pragma once

#include <windows.h>

// A named message number. The 35 predefined types live from start-up to exit.
class HEventType {
  public:
    HEventType();
    HEventType(int message, const char* name);
    HEventType(const HEventType& other);
    HEventType& operator=(const HEventType& other);
    virtual ~HEventType() = default;

    int getMessage() const { return message; }
    const char* getName() const { return name; }

    // A predefined type by its name ("WM_CLOSE", "MM_WOM_DONE", ...); the
    // "UNDEFINED_TYPE" for an unknown name.
    static const HEventType& byName(const char* name);
    // The number of predefined types (35) and the type at a position, in
    // their order of construction.
    static int count();
    static const HEventType& at(int index);

  private:
    int message;
    char name[64]; // at most 63 characters and a NUL
};
