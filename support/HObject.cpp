#include "support/HObject.h"

#include "support/HDebug.h"

#include <cstdarg>
#include <cstdio>

HObject::HObject() : channel(nullptr) {
    setClassName("HObject");
}

HObject::~HObject() {
    delete channel;
}

void HObject::setClassName(const char* name) {
    className = name;
    delete channel;
    channel = nullptr;
    char objectName[256];
    snprintf(objectName, sizeof(objectName), "%s@%llX", name, hexOf(this));
    channel = new HDebug(objectName, 0xFFFF);
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
