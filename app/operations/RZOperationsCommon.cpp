#include "app/operations/RZOperationsCommon.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagicLoader.h"
#include "app/views/RZDisplay.h"
#include "support/HDebug.h"
#include "toolkit/HComponent.h"

namespace rzops {

const char* const SOURCE = "RZOperations";

RZEditData* documentOf(HComponent* window) {
    return window != nullptr ? RZEditData::getInstance(window->getHandle()) : nullptr;
}

HWND handleOf(HComponent* window) {
    return window != nullptr ? window->getHandle() : nullptr;
}

int ask(HComponent* window, const std::string& text, const char* caption, UINT type) {
    return MessageBoxA(handleOf(window), text.c_str(), caption, type);
}

bool loadOrForget(const HFile& table, const HFile& sound, RZEditData* document, int line,
                  const char* note) {
    RZMagicLoader loader;
    bool loaded = loader.load(table, sound, document);
    if (!loaded) {
        HLOG_INFO(SOURCE, line, note);
        document->setFlags(0);
    }
    return loaded;
}

void showDocument(HComponent* window, RZEditData* document) {
    RZDisplay display;
    display.showTable(window, document);
    display.updateTitle(window, document);
}

} // namespace rzops
