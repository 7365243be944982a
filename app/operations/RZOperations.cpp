#include "app/operations/RZOperations.h"

#include "support/HDebug.h"
#include "toolkit/HComponent.h"

#include <windows.h>

// Journal lines of the operations carry fixed line numbers of their own, so the
// log reads the same whatever this file looks like.

bool RZOP0001(HComponent* window) {
    HLOG_START("RZOperations", 100, "RZOP0001");
    (void)window;
    HLOG_END("RZOperations", 120, "RZOP0001");
    return false;
}

bool RZOP0002(HComponent* window, unsigned id) {
    HLOG_START("RZOperations", 200, "RZOP0002");
    (void)window;
    (void)id;
    HLOG_END("RZOperations", 280, "RZOP0002");
    return false;
}

bool RZOP0003(HComponent* window) {
    HLOG_START("RZOperations", 300, "RZOP0003");
    (void)window;
    HLOG_END("RZOperations", 310, "RZOP0003");
    return false;
}

bool RZOP0005(HComponent* window) {
    HLOG_START("RZOperations", 500, "RZOP0005");
    (void)window;
    HLOG_END("RZOperations", 560, "RZOP0005");
    return false;
}

int RZOP0006(HComponent* window) {
    HLOG_START("RZOperations", 600, "RZOP0006");
    (void)window;
    HLOG_END("RZOperations", 610, "RZOP0006");
    return 0;
}

int RZOP0007(HComponent* window) {
    HLOG_START("RZOperations", 700, "RZOP0007");
    (void)window;
    HLOG_END("RZOperations", 710, "RZOP0007");
    return 0;
}

int RZOP0008(HComponent* window) {
    HLOG_START("RZOperations", 800, "RZOP0008");
    (void)window;
    HLOG_END("RZOperations", 810, "RZOP0008");
    return 0;
}

int RZOP0009(HComponent* window) {
    HLOG_START("RZOperations", 900, "RZOP0009");
    (void)window;
    HLOG_END("RZOperations", 910, "RZOP0009");
    return 0;
}

int RZOP0010(HComponent* window, HComponent* control) {
    HLOG_START("RZOperations", 1000, "RZOP0010");
    (void)window;
    (void)control;
    HLOG_END("RZOperations", 1010, "RZOP0010");
    return 0;
}

int RZOP0011(HComponent* window, int row) {
    HLOG_START("RZOperations", 1100, "RZOP0011");
    (void)window;
    (void)row;
    HLOG_END("RZOperations", 1110, "RZOP0011");
    return 0;
}

bool RZOP0014(HComponent* window) {
    HLOG_START("RZOperations", 1400, "RZOP0014");
    (void)window;
    HLOG_END("RZOperations", 1430, "RZOP0014");
    return false;
}

bool RZOP0015(HComponent* window) {
    HLOG_START("RZOperations", 1500, "RZOP0015");
    (void)window;
    HLOG_END("RZOperations", 1560, "RZOP0015");
    return false;
}

bool RZOP0016(HComponent* window) {
    HLOG_START("RZOperations", 1600, "RZOP0016");
    (void)window;
    HLOG_END("RZOperations", 1680, "RZOP0016");
    return false;
}

bool RZOP0017(HComponent* window) {
    HLOG_START("RZOperations", 1700, "RZOP0017");
    (void)window;
    HLOG_END("RZOperations", 1740, "RZOP0017");
    return false;
}

bool RZOP0019(HComponent* window) {
    HLOG_START("RZOperations", 1900, "RZOP0019");
    (void)window;
    HLOG_END("RZOperations", 1920, "RZOP0019");
    return false;
}

int saveHasEdited(HComponent* window, RZEditData* document, const char* caption) {
    (void)window;
    (void)document;
    (void)caption;
    return IDCANCEL;
}

// --- sound, picture and dialog operations ---
bool RZOP0004(HComponent* window) {
    HLOG_START("RZOperations", 400, "RZOP0004");
    (void)window;
    HLOG_END("RZOperations", 440, "RZOP0004");
    return false;
}

bool RZOP0012(HComponent* window) {
    HLOG_START("RZOperations", 1200, "RZOP0012");
    (void)window;
    HLOG_END("RZOperations", 1260, "RZOP0012");
    return false;
}

bool RZOP0013(HComponent* window) {
    HLOG_START("RZOperations", 1300, "RZOP0013");
    (void)window;
    HLOG_END("RZOperations", 1360, "RZOP0013");
    return false;
}

bool RZOP0018(HComponent* window) {
    HLOG_START("RZOperations", 1800, "RZOP0018");
    (void)window;
    HLOG_END("RZOperations", 1810, "RZOP0018");
    return false;
}

bool RZOP0020(HComponent* window) {
    HLOG_START("RZOperations", 2000, "RZOP0020");
    (void)window;
    HLOG_END("RZOperations", 2010, "RZOP0020");
    return false;
}
// --- end of sound, picture and dialog operations ---
