#pragma once

#include <windows.h>

// Scoped owners of GDI objects and device contexts: each gives back what it
// holds when it goes, so no return path of a function leaks a handle or leaves
// an object selected. They hold nothing when the handle could not be had.

// A GDI object (pen, brush, bitmap, font) that DeleteObject frees. Also a
// member for objects a class keeps for its whole life.
template <typename Handle> class HGdiObject {
  public:
    HGdiObject() = default;
    explicit HGdiObject(Handle made) : handle(made) {}
    ~HGdiObject() { reset(); }
    HGdiObject(const HGdiObject&) = delete;
    HGdiObject& operator=(const HGdiObject&) = delete;

    Handle get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }
    // Frees the object held, if any, and holds the new one.
    void reset(Handle made = nullptr) {
        if (handle != nullptr) {
            DeleteObject(handle);
        }
        handle = made;
    }
    // Gives the object up to the caller, who frees it from now on.
    Handle release() {
        Handle given = handle;
        handle = nullptr;
        return given;
    }

  private:
    Handle handle = nullptr;
};

// A window's device context (the screen's for a null window), taken with GetDC
// and given back with ReleaseDC.
class HWindowDC {
  public:
    explicit HWindowDC(HWND window);
    ~HWindowDC();
    HWindowDC(const HWindowDC&) = delete;
    HWindowDC& operator=(const HWindowDC&) = delete;

    HDC get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }

  private:
    HWND window;
    HDC dc;
};

// A memory device context compatible with another one, freed with DeleteDC.
class HMemoryDC {
  public:
    explicit HMemoryDC(HDC compatibleWith);
    ~HMemoryDC();
    HMemoryDC(const HMemoryDC&) = delete;
    HMemoryDC& operator=(const HMemoryDC&) = delete;

    HDC get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }

  private:
    HDC dc;
};

// An object selected into a device context for a scope: the object selected
// before is selected back when the scope ends. Declared after the owner of the
// object, so the selection ends before the object is deleted.
class HSelection {
  public:
    HSelection(HDC dc, HGDIOBJ object);
    ~HSelection();
    HSelection(const HSelection&) = delete;
    HSelection& operator=(const HSelection&) = delete;

  private:
    HDC dc;
    HGDIOBJ previous;
};
