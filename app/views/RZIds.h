#pragma once

// Every id of the editor's window, its menus and its about box: the window's
// build tables, the command routing, the operations and the tests name them
// from here. Controls are numbered in creation (and Tab) order.

// The resource script (app/views/RZEdit.rc) reads this header too; it sees
// only the plain macros at the end.
#ifndef RC_INVOKED

// The main window's controls, 101..133.
enum RZControlId : int {
    IDC_SPELL_LIST = 101,
    IDC_PREVIOUS = 102,
    IDC_NEXT = 103,
    IDC_REVERT = 104,
    IDC_NAME_LABEL = 105,
    IDC_NAME = 106,
    IDC_LEVEL_LABEL = 107,
    IDC_LEVEL = 108,
    IDC_ELEMENT_LABEL = 109,
    IDC_ELEMENT = 110,
    IDC_RANK_LABEL = 111,
    IDC_RANK = 112,
    IDC_TARGET_LABEL = 113,
    IDC_TARGET = 114,
    IDC_COST_LABEL = 115,
    IDC_COST = 116,
    IDC_RANGE_LABEL = 117,
    IDC_RANGE = 118,
    IDC_AREA_LABEL = 119,
    IDC_AREA = 120,
    IDC_EFFICIENCY_LABEL = 121,
    IDC_EFFICIENCY = 122,
    IDC_DESCRIPTION_LABEL = 123,
    IDC_DESCRIPTION = 124,
    IDC_SOUND_LABEL = 125,
    IDC_SOUND = 126,
    IDC_SOUND_CHOOSE = 127,
    IDC_PLAY_TEST = 128,
    IDC_PICTURE_LABEL = 129,
    IDC_PICTURE_REPLACE = 130,
    IDC_PICTURE = 131,
    IDC_CHARACTERS_LABEL = 132,
    IDC_CHARACTERS = 133,

    IDC_FIRST_CONTROL = IDC_SPELL_LIST,
    IDC_LAST_CONTROL = IDC_CHARACTERS,
};

// The menu bar, its menus and items (separators have ids too), and the
// commands that only an accelerator sends.
enum RZMenuId : int {
    IDM_MENU_BAR = 134,

    IDM_FILE = 135,
    IDM_NEW = 136,
    IDM_OPEN = 137,
    IDM_RELOAD = 138,
    IDM_FILE_SEPARATOR_1 = 139,
    IDM_SAVE = 140,
    IDM_SAVE_AS = 141,
    IDM_FILE_SEPARATOR_2 = 142,
    IDM_EXIT = 143,

    IDM_EDIT = 144,
    IDM_PREVIOUS = 145,
    IDM_NEXT = 146,
    IDM_FIRST = 147,
    IDM_LAST = 148,
    IDM_EDIT_SEPARATOR_1 = 149,
    IDM_REVERT = 150,

    IDM_OTHER = 151,
    IDM_ABOUT = 152,

    IDM_FIRST_MENU_ITEM = IDM_FILE,
    IDM_LAST_MENU_ITEM = IDM_ABOUT,

    // The Edit menu's undo, redo and find items, after 元に戻す.
    IDM_EDIT_SEPARATOR_2 = 160,
    IDM_UNDO = 161,
    IDM_REDO = 162,
    IDM_EDIT_SEPARATOR_3 = 163,
    IDM_FIND = 164,
    IDM_FIND_NEXT = 165,
    IDM_FIND_PREVIOUS = 166, // accelerator only (Shift+F3)
    // The Edit menu's filter of the spell list, after 次を検索.
    IDM_FILTER = 167,
    IDM_CLEAR_FILTER = 168,

    // The Tools menu, between Edit and Other.
    IDM_TOOLS = 170,
    IDM_STOCK_DIFF = 171,
    IDM_RESET_TO_STOCK = 172,
    IDM_SHOW_STOCK_DIFF = 173,
    // The Tools menu's second group: the table as text and on the clipboard.
    IDM_TOOLS_SEPARATOR_1 = 174,
    IDM_EXPORT_TSV = 175,
    IDM_IMPORT_TSV = 176,
    IDM_COPY_TABLE = 177,
    IDM_PASTE_TABLE = 178,
    // The Tools menu's third group: getting a table ready for the game.
    IDM_TOOLS_SEPARATOR_2 = 179,
    IDM_TABLE_CHECK = 180,
    IDM_BULK_CHANGE = 181,
    IDM_CHARACTER_SPELLS = 182,
    IDM_COMPARE_TABLE = 183,

    IDM_FIRST_EXTRA_ITEM = IDM_EDIT_SEPARATOR_2,
    IDM_LAST_EXTRA_ITEM = IDM_COMPARE_TABLE,

    // The File menu's data-set entries: a separator, then one item a data set.
    IDM_DATA_SET_SEPARATOR = 501,
    IDM_FIRST_DATA_SET = 502,
};

// The about box.
enum RZAboutId : int {
    IDC_ABOUT_TEXT = 201,
    IDC_ABOUT_CREDIT = 202,
    IDC_ABOUT_OK = 203,
};

// The find dialog.
enum RZFindId : int {
    IDC_FIND_TEXT = 211,
    IDC_FIND_OK = 212,
    IDC_FIND_CANCEL = 213,
};

// The dialog listing the differences from the stock table.
enum RZStockDiffId : int {
    IDC_DIFF_LIST = 221,
    IDC_DIFF_CLOSE = 222,
    IDC_DIFF_JUMP = 223, // Enter or a double click on a row: no control of its own
};

// The table check's list of problems.
enum RZTableCheckId : int {
    IDC_CHECK_LIST = 231,
    IDC_CHECK_COPY = 232,
    IDC_CHECK_CLOSE = 233,
    IDC_CHECK_JUMP = 234, // Enter or a double click on a row
};

// The bulk change: a label before each of its four choices.
enum RZBulkChangeId : int {
    IDC_BULK_FIELD_LABEL = 241,
    IDC_BULK_FIELD = 242,
    IDC_BULK_OPERATION_LABEL = 243,
    IDC_BULK_OPERATION = 244,
    IDC_BULK_VALUE_LABEL = 245,
    IDC_BULK_VALUE = 246,
    IDC_BULK_TARGET_LABEL = 247,
    IDC_BULK_TARGET = 248,
    IDC_BULK_RUN = 249, // also Enter
    IDC_BULK_CANCEL = 250,
};

// The spells each character may use.
enum RZCharacterSpellsId : int {
    IDC_CHARACTER_CHOICE = 251,
    IDC_CHARACTER_SPELL_LIST = 252,
    IDC_CHARACTER_SPELLS_CLOSE = 253,
    IDC_CHARACTER_SPELLS_JUMP = 254, // Enter or a double click on a row
};

// The filter of the spell list: a label before each of its five choices.
enum RZFilterId : int {
    IDC_FILTER_ELEMENT_LABEL = 301,
    IDC_FILTER_ELEMENT = 302,
    IDC_FILTER_RANK_LABEL = 303,
    IDC_FILTER_RANK = 304,
    IDC_FILTER_TARGET_LABEL = 305,
    IDC_FILTER_TARGET = 306,
    IDC_FILTER_CHARACTER_LABEL = 307,
    IDC_FILTER_CHARACTER = 308,
    IDC_FILTER_TEXT_LABEL = 309,
    IDC_FILTER_TEXT = 310,
    IDC_FILTER_CHANGED = 311,
    IDC_FILTER_STOCK = 312,
    IDC_FILTER_OK = 313, // also Enter
    IDC_FILTER_CANCEL = 314,
};

// Comparing with another table: a line per differing field, each with a check
// box (ids of their own, well apart from the other dialogs').
enum RZTableCompareId : int {
    IDC_COMPARE_LIST = 321,
    IDC_COMPARE_TAKE = 322,
    IDC_COMPARE_CHECK_ALL = 323,
    IDC_COMPARE_UNCHECK_ALL = 324,
    IDC_COMPARE_CLOSE = 325,
    IDC_COMPARE_JUMP = 326, // Enter or a double click on a row
};

#endif // RC_INVOKED

// Resources of the program file. The lowest icon id is the one the shell shows
// for the .exe.
#define IDI_RZEDIT 1
