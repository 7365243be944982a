#include "toolkit/HEventType.h"

#include <cstring>

namespace {
// Built on first use (before any listener can ask for one) and destroyed at exit
// in reverse order.
const HEventType* predefinedTypes() {
    static const HEventType types[] = {
        HEventType(0, "UNDEFINED_TYPE"),         HEventType(0x0001, "WM_CREATE"),
        HEventType(0x000F, "WM_PAINT"),          HEventType(0x0002, "WM_DESTROY"),
        HEventType(0x011F, "WM_MENUSELECT"),     HEventType(0x0133, "WM_CTLCOLOREDIT"),
        HEventType(0x0138, "WM_CTLCOLORSTATIC"), HEventType(0x0111, "WM_COMMAND"),
        HEventType(0x004E, "WM_NOTIFY"),         HEventType(0x0113, "WM_TIMER"),
        HEventType(0x0010, "WM_CLOSE"),          HEventType(0x0101, "WM_KEYUP"),
        HEventType(0x0100, "WM_KEYDOWN"),        HEventType(0x0105, "WM_SYSKEYUP"),
        HEventType(0x0104, "WM_SYSKEYDOWN"),     HEventType(0x0102, "WM_CHAR"),
        HEventType(0x0233, "WM_DROPFILES"),      HEventType(0x0005, "WM_SIZE"),
        HEventType(0x0003, "WM_MOVE"),           HEventType(0x0014, "WM_ERASEBKGND"),
        HEventType(0x0115, "WM_VSCROLL"),        HEventType(0x0114, "WM_HSCROLL"),
        HEventType(0x0200, "WM_MOUSEMOVE"),      HEventType(0x0201, "WM_LBUTTONDOWN"),
        HEventType(0x0202, "WM_LBUTTONUP"),      HEventType(0x0207, "WM_MBUTTONDOWN"),
        HEventType(0x0208, "WM_MBUTTONUP"),      HEventType(0x0204, "WM_RBUTTONDOWN"),
        HEventType(0x0205, "WM_RBUTTONUP"),      HEventType(0x0203, "WM_LBUTTONDBLCLK"),
        HEventType(0x0209, "WM_MBUTTONDBLCLK"),  HEventType(0x0206, "WM_RBUTTONDBLCLK"),
        HEventType(0x03BB, "MM_WOM_OPEN"),       HEventType(0x03BD, "MM_WOM_DONE"),
        HEventType(0x03BC, "MM_WOM_CLOSE"),
    };
    return types;
}

const int TYPE_COUNT = 35;
} // namespace

HEventType::HEventType() : message(0) {
    std::strcpy(name, "UNDEFINED_TYPE");
}

HEventType::HEventType(int messageNumber, const char* typeName) : message(messageNumber) {
    name[0] = '\0';
    if (typeName) {
        // Longer names are cut to 63 characters.
        std::strncpy(name, typeName, sizeof(name) - 1);
        name[sizeof(name) - 1] = '\0';
    }
}

HEventType::HEventType(const HEventType& other) : message(other.message) {
    std::memcpy(name, other.name, sizeof(name));
}

HEventType& HEventType::operator=(const HEventType& other) {
    if (this != &other) {
        message = other.message;
        std::memcpy(name, other.name, sizeof(name));
    }
    return *this;
}

const HEventType& HEventType::byName(const char* typeName) {
    const HEventType* types = predefinedTypes();
    if (typeName) {
        for (int i = 0; i < TYPE_COUNT; ++i) {
            if (std::strcmp(types[i].name, typeName) == 0) {
                return types[i];
            }
        }
    }
    return types[0];
}

int HEventType::count() {
    return TYPE_COUNT;
}

const HEventType& HEventType::at(int index) {
    const HEventType* types = predefinedTypes();
    if (index < 0 || index >= TYPE_COUNT) {
        return types[0];
    }
    return types[index];
}
