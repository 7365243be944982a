// Row operations: showing the selected entry, moving the selection, storing a
// changed form field, rewriting a row and putting an entry back as loaded.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZSpellFields.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZFormBoxes.h"
#include "app/views/RZIds.h"
#include "support/HDebug.h"
#include "toolkit/HComponent.h"

#include <cstdint>

using namespace rzops;

namespace {

int navigate(HComponent* window, int direction) {
    if (window != nullptr) {
        RZDisplay display;
        display.moveSelection(window, direction);
    }
    return 0;
}

} // namespace

bool RZOP0003(HComponent* window) {
    HLOG_START(SOURCE, 300, "RZOP0003");
    bool result = false;
    if (window != nullptr) {
        // The selection moved: typing in the form starts a new step.
        endTyping(window);
        RZDisplay display;
        display.showEntry(window, documentOf(window));
        result = true;
    }
    HLOG_END(SOURCE, 310, "RZOP0003");
    return result;
}

int RZOP0006(HComponent* window) {
    HLOG_START(SOURCE, 600, "RZOP0006");
    int result = navigate(window, RZDisplay::DIRECTION_PREVIOUS);
    HLOG_END(SOURCE, 610, "RZOP0006");
    return result;
}

int RZOP0007(HComponent* window) {
    HLOG_START(SOURCE, 700, "RZOP0007");
    int result = navigate(window, RZDisplay::DIRECTION_NEXT);
    HLOG_END(SOURCE, 710, "RZOP0007");
    return result;
}

int RZOP0008(HComponent* window) {
    HLOG_START(SOURCE, 800, "RZOP0008");
    int result = navigate(window, RZDisplay::DIRECTION_FIRST);
    HLOG_END(SOURCE, 810, "RZOP0008");
    return result;
}

int RZOP0009(HComponent* window) {
    HLOG_START(SOURCE, 900, "RZOP0009");
    int result = navigate(window, RZDisplay::DIRECTION_LAST);
    HLOG_END(SOURCE, 910, "RZOP0009");
    return result;
}

int RZOP0010(HComponent* window, HComponent* control) {
    HLOG_START(SOURCE, 1000, "RZOP0010");
    RZEditData* document = documentOf(window);
    if (document != nullptr && control != nullptr) {
        RZDisplay display;
        RZEditHistory& history = document->history();
        RZMagic* entry = document->shownEntry();
        std::int64_t position = RZEditHistory::positionOf(*document, entry);
        // Inside a step of its own (a sound choice) the change belongs to it;
        // more typing into the same box for the same entry extends the open step.
        if (history.isRecording() || position < 0 ||
            history.continuesBurst(static_cast<std::uint32_t>(position), control->getId())) {
            display.storeEntry(window, control, document);
        } else {
            history.endBurst();
            bool stored = false;
            recordSpellStep(document, entry, [&] {
                // A control that is not a field of the table leaves no step.
                stored = display.storeEntry(window, control, document);
                return stored;
            });
            // Each choice of a drop-down is a step of its own.
            const int field = RZFormBoxes::fieldOfControl(control->getId());
            if (stored && !(RZSpellFields::isField(field) &&
                            RZSpellFields::info(field).kind == RZSpellFields::Kind::CHOICE)) {
                history.markBurst(static_cast<std::uint32_t>(position), control->getId());
            }
        }
        updateCommandStates(window, document);
    }
    HLOG_END(SOURCE, 1010, "RZOP0010");
    return 0;
}

int RZOP0011(HComponent* window, int row) {
    HLOG_START(SOURCE, 1100, "RZOP0011");
    if (window != nullptr && row >= 0) {
        endTyping(window);
        RZDisplay display;
        display.refreshRow(window, row);
    }
    HLOG_END(SOURCE, 1110, "RZOP0011");
    return 0;
}

bool RZOP0014(HComponent* window) {
    HLOG_START(SOURCE, 1400, "RZOP0014");
    bool result = false;
    RZEditData* document = documentOf(window);
    RZMagic* entry = document != nullptr ? document->shownEntry() : nullptr;
    if (entry != nullptr) {
        recordSpellStep(document, entry, [document, entry] {
            entry->revert();
            // The spell's other levels take the shared values; their own numbers stay.
            document->shareSpellFields(entry, RZEditData::SHARE_ALL);
            return true;
        });
        // The reverted rows show their values and lose their colour now.
        showStep(window, document);
        result = true;
    }
    HLOG_END(SOURCE, 1430, "RZOP0014");
    return result;
}
