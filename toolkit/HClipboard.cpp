#include "toolkit/HClipboard.h"

#include <cstring>
#include <cwchar>

namespace {

const UINT SHIFT_JIS = 932;

// A movable global memory block holding a copy of some bytes. It is freed when
// the holder goes, unless the clipboard took it.
class GlobalCopy {
  public:
    GlobalCopy(const void* bytes, std::size_t size) : memory(GlobalAlloc(GMEM_MOVEABLE, size)) {
        void* target = memory != nullptr ? GlobalLock(memory) : nullptr;
        if (target == nullptr) {
            free();
            return;
        }
        std::memcpy(target, bytes, size);
        GlobalUnlock(memory);
    }
    ~GlobalCopy() { free(); }
    GlobalCopy(const GlobalCopy&) = delete;
    GlobalCopy& operator=(const GlobalCopy&) = delete;

    explicit operator bool() const { return memory != nullptr; }

    // Hands the block to the clipboard as the format; from then on the system
    // owns it. False (the block stays ours) when it was refused.
    bool handOver(UINT format) {
        if (SetClipboardData(format, memory) == nullptr) {
            return false;
        }
        memory = nullptr;
        return true;
    }

  private:
    void free() {
        if (memory != nullptr) {
            GlobalFree(memory);
            memory = nullptr;
        }
    }

    HGLOBAL memory;
};

// A block the clipboard owns, locked for reading for a scope.
class GlobalLockScope {
  public:
    explicit GlobalLockScope(HANDLE locked) : block(locked), bytes(GlobalLock(locked)) {}
    ~GlobalLockScope() {
        if (bytes != nullptr) {
            GlobalUnlock(block);
        }
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;

    const void* get() const { return bytes; }
    std::size_t size() const { return GlobalSize(block); }

  private:
    HANDLE block;
    const void* bytes;
};

} // namespace

HClipboard::HClipboard(HWND owner) : open(OpenClipboard(owner) != 0) {}

HClipboard::~HClipboard() {
    if (open) {
        CloseClipboard();
    }
}

bool HClipboard::putText(const std::string& text) {
    if (!open) {
        return false;
    }
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(SHIFT_JIS, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    if (wideLength > 0) {
        MultiByteToWideChar(SHIFT_JIS, 0, text.data(), length, &wide[0], wideLength);
    }
    if (!EmptyClipboard()) {
        return false;
    }
    GlobalCopy ansi(text.c_str(), text.size() + 1);
    GlobalCopy unicode(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    if (!ansi || !unicode) {
        return false;
    }
    // Both are offered even when the first is refused.
    const bool ansiTaken = ansi.handOver(CF_TEXT);
    const bool unicodeTaken = unicode.handOver(CF_UNICODETEXT);
    return ansiTaken && unicodeTaken;
}

bool HClipboard::takeText(std::string& bytes) const {
    if (!open) {
        return false;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        GlobalLockScope locked(data);
        const wchar_t* wide = static_cast<const wchar_t*>(locked.get());
        if (wide == nullptr) {
            return false;
        }
        // The block may lack its NUL: never read past it.
        std::size_t length = wcsnlen(wide, locked.size() / sizeof(wchar_t));
        if (length > 0 && wide[0] == 0xFEFF) {
            ++wide;
            --length;
        }
        bytes.assign("\xFF\xFE", 2);
        bytes.append(reinterpret_cast<const char*>(wide), length * sizeof(wchar_t));
        return true;
    }
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        GlobalLockScope locked(data);
        const char* text = static_cast<const char*>(locked.get());
        if (text == nullptr) {
            return false;
        }
        bytes.assign(text, strnlen(text, locked.size()));
        return true;
    }
    return false;
}

bool HClipboard::hasText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}
