#include "support/HObject.h"

#include "support/HDebug.h"

#include <cstdarg>
#include <cstdio>

HObject::HObject() {
    setClassName("HObject");
}

HObject::~HObject() = default;

void HObject::setClassName(const char* name) {
    className = name;
    // The old channel's last line comes before the new one's first.
    channel.reset();
    char objectName[256];
    snprintf(objectName, sizeof(objectName), "%s@%llX", name, hexOf(this));
    channel = std::make_unique<HDebug>(objectName, 0xFFFF);
}

std::string HObject::toString() const {
    char text[256];
    snprintf(text, sizeof(text), "%s@%llX", className.c_str(), hexOf(this));
    return text;
}

void HObject::printMessage(const char* format, ...) const {
    if (!channel) {
        return;
    }
    va_list args;
    va_start(args, format);
    channel->printObject(format, args);
    va_end(args);
}
