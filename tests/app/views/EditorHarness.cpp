#include "tests/app/views/EditorHarness.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/views/RZIds.h"
#include "app/views/RZWindow.h"
#include "tests/common/TestSupport.h"
#include "tests/toolkit/HImageTestData.h"
#include "toolkit/HComponent.h"
#include "toolkit/HListView.h"
#include "toolkit/HMenuItem.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace editortest {

namespace {

using mediatest::putU16;
using mediatest::putU32;
using testsupport::makeFolders;
using testsupport::writeFileAndFolders;

} // namespace

std::vector<SpellLine> spellLines(int seed) {
    std::vector<SpellLine> lines;
    for (int k = 0; k < 48; ++k) {
        SpellLine line;
        char name[64];
        snprintf(name, sizeof(name), "呪文%02d-%d", k, seed);
        line.name = name;
        line.target = (k + seed) % 3;
        for (int level = 0; level < 3; ++level) {
            line.numbers[level * 4 + 0] = (k * 7 + seed * 3 + level * 11) % 120;
            line.numbers[level * 4 + 1] = (k + level) % 10;
            line.numbers[level * 4 + 2] = (k + level + seed) % 4;
            line.numbers[level * 4 + 3] = (k * 3 + level) % 100;
        }
        char description[64];
        snprintf(description, sizeof(description), "説明その%d/%d", k, seed);
        line.description = description;
        lines.push_back(line);
    }
    return lines;
}

std::string magicTableText(const std::vector<SpellLine>& lines) {
    std::string text;
    for (const SpellLine& l : lines) {
        char buffer[1024];
        const int* n = l.numbers;
        snprintf(buffer, sizeof(buffer),
                 "%-18s %d %03d %d %d %03d  %03d %d %d %03d  %03d %d %d %03d  %s", l.name.c_str(),
                 l.target, n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7], n[8], n[9], n[10], n[11],
                 l.description.c_str());
        text += buffer;
        text += "\r\n";
    }
    return text;
}

std::string soundFileText(const std::vector<std::string>& sounds) {
    std::string text;
    for (const std::string& s : sounds) {
        text += s + "\r\n";
    }
    return text + "End";
}

namespace {
// How many levels each of the 48 spells has (the rest are written as zeros).
const int LEVELS[48] = {3, 1, 2, 1, 2, 2, 1, 1, 3, 1, 2, 1, 2, 2, 1, 1, 3, 1, 2, 1, 2, 2, 1, 1,
                        3, 1, 2, 1, 2, 2, 1, 1, 3, 3, 2, 2, 2, 2, 1, 1, 3, 1, 2, 1, 2, 2, 1, 1};
} // namespace

std::vector<SpellLine> asWritten(std::vector<SpellLine> lines) {
    for (int k = 0; k < 48; ++k) {
        for (int i = LEVELS[k] * 4; i < 12; ++i) {
            lines[static_cast<size_t>(k)].numbers[i] = 0;
        }
    }
    return lines;
}

int rowOf(int spell, int level) {
    int row = 0;
    for (int k = 0; k < spell; ++k) {
        row += LEVELS[k];
    }
    return row + level - 1;
}

std::vector<std::string> soundNames(const std::string& prefix) {
    std::vector<std::string> names;
    for (int k = 0; k < 48; ++k) {
        char name[16];
        snprintf(name, sizeof(name), "%ssnd%02d", prefix.c_str(), k);
        names.push_back(name);
    }
    return names;
}

void expectBox(const Seen& s, const std::string& caption, const std::string& text, UINT buttons,
               LPCSTR icon) {
    EXPECT_FALSE(s.fileDialog);
    EXPECT_EQ(s.caption, caption);
    EXPECT_EQ(s.text, text);
    switch (buttons) {
    case MB_OK:
        EXPECT_TRUE(s.hasOk && !s.hasCancel && !s.hasYes && !s.hasNo);
        break;
    case MB_OKCANCEL:
        EXPECT_TRUE(s.hasOk && s.hasCancel && !s.hasYes && !s.hasNo);
        break;
    case MB_YESNOCANCEL:
        EXPECT_TRUE(s.hasYes && s.hasNo && s.hasCancel && !s.hasOk);
        break;
    }
    EXPECT_EQ(s.icon, LoadIconA(nullptr, icon));
}

std::string bmpBytes(int width, int height, COLORREF color) {
    int stride = (width * 3 + 3) & ~3;
    std::string s(54 + static_cast<size_t>(stride) * height, '\0');
    s[0] = 'B';
    s[1] = 'M';
    putU32(s, 2, static_cast<std::uint32_t>(s.size()));
    putU32(s, 10, 54);
    putU32(s, 14, 40);
    putU32(s, 18, static_cast<std::uint32_t>(width));
    putU32(s, 22, static_cast<std::uint32_t>(height));
    putU16(s, 26, 1);
    putU16(s, 28, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            size_t at = 54 + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3;
            bool mark = (x % 32 == 5 && (height - 1 - y) % 32 == 5); // rows are bottom-up
            s[at] = static_cast<char>(mark ? 255 : GetBValue(color));
            s[at + 1] = static_cast<char>(mark ? 255 : GetGValue(color));
            s[at + 2] = static_cast<char>(mark ? 255 : GetRValue(color));
        }
    }
    return s;
}

std::string characterData(const std::vector<std::string>& names,
                          const std::vector<std::vector<int>>& aptitudes) {
    std::string s(1348 + 324 * names.size(), '\0');
    putU32(s, 0, 140);
    putU32(s, 4, static_cast<std::uint32_t>(names.size() + 1));
    for (size_t i = 0; i < names.size(); ++i) {
        size_t at = 1348 + 324 * i;
        for (int e = 0; e < 6; ++e) {
            s[at + 21 + e] = static_cast<char>(aptitudes[i][e]);
        }
        std::memcpy(&s[at + 164], names[i].data(), std::min<size_t>(names[i].size(), 159));
    }
    return s;
}

void makeGame(const std::string& root) {
    std::vector<std::string> sounds;
    for (int k = 0; k < 48; ++k) {
        char name[16];
        snprintf(name, sizeof(name), "snd%02d", k);
        sounds.push_back(name);
    }
    writeFileAndFolders(root + "\\Default\\Data\\MagicTable", magicTableText(spellLines(0)));
    writeFileAndFolders(root + "\\Default\\Data\\SoundFileName", soundFileText(sounds));
    const int sizes[4][2] = {{512, 128}, {384, 96}, {128, 64}, {100, 50}};
    for (int k = 0; k < 48; ++k) {
        char path[64];
        snprintf(path, sizeof(path), "\\Default\\Picture\\MAGIC%d.BMP", k);
        const int* size = sizes[k % 4];
        writeFileAndFolders(root + path,
                            bmpBytes(size[0], size[1], RGB(40 + k * 4, 80, 200 - k * 3)));
    }
    // SetA: a complete data set with characters.
    writeFileAndFolders(root + "\\SetA\\Config", "config");
    writeFileAndFolders(root + "\\SetA\\Data\\MagicTable", magicTableText(spellLines(1)));
    std::vector<std::string> soundsA = sounds;
    for (std::string& s : soundsA) {
        s = "a" + s;
    }
    writeFileAndFolders(root + "\\SetA\\Data\\SoundFileName", soundFileText(soundsA));
    writeFileAndFolders(
        root + "\\SetA\\Data\\CharacterData",
        characterData({"アリス", "ボブ", "カイ"},
                      {{5, 1, 0, 0, 0, 0}, {2, 3, 0, 0, 5, 0}, {1, 5, 5, 5, 5, 5}}));
    // SetB: Config is a directory; no SoundFileName beside its table.
    makeFolders(root + "\\SetB\\Config");
    writeFileAndFolders(root + "\\SetB\\Data\\MagicTable", magicTableText(spellLines(2)));
    // Plain: no Config, so not a data set.
    writeFileAndFolders(root + "\\Plain\\Data\\MagicTable", magicTableText(spellLines(3)));
    // Empty: a data set whose Data folder has no MagicTable.
    writeFileAndFolders(root + "\\Empty\\Config", "");
}

// ---- answering dialogs ----

namespace {

bool isFileDialog(HWND dialog) {
    return GetDlgItem(dialog, 0x47C) != nullptr || GetDlgItem(dialog, 0x480) != nullptr;
}

} // namespace

// The file dialog's list of file types.
constexpr int FILE_TYPES = 0x470;

Answerer::Answerer() : driver([this](HWND dialog) { return answer(dialog); }) {}

void Answerer::push(int button, const std::string& path, int fileType) {
    replies.push_back(Reply{button, path, fileType});
}

bool Answerer::answer(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != nullptr && isFileDialog(owner)) {
        // The file dialog's own question (create / replace the file?): yes.
        testsupport::pressButton(dialog, GetDlgItem(dialog, IDYES) != nullptr ? IDYES : IDOK);
        return true;
    }
    Seen s;
    char text[2048] = {};
    GetWindowTextA(dialog, text, sizeof(text));
    s.caption = text;
    text[0] = 0;
    GetDlgItemTextA(dialog, 0xFFFF, text, sizeof(text));
    s.text = text;
    s.fileDialog = isFileDialog(dialog);
    s.owner = owner;
    s.ownerEnabled = owner != nullptr && IsWindowEnabled(owner);
    s.fileName = s.fileDialog ? testsupport::windowText(GetDlgItem(dialog, 0x47C)) : "";
    s.hasOk = GetDlgItem(dialog, IDOK) != nullptr;
    s.hasCancel = GetDlgItem(dialog, IDCANCEL) != nullptr;
    s.hasYes = GetDlgItem(dialog, IDYES) != nullptr;
    s.hasNo = GetDlgItem(dialog, IDNO) != nullptr;
    s.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, 0x440, STM_GETICON, 0, 0));
    HWND types = s.fileDialog ? GetDlgItem(dialog, FILE_TYPES) : nullptr;
    const std::vector<std::string> typeTexts = testsupport::comboTexts(types);
    for (const std::string& type : typeTexts) {
        s.fileTypes += type + "|";
    }
    s.fileType = types != nullptr ? testsupport::comboSelection(dialog, FILE_TYPES) : "";
    const int typeCount = static_cast<int>(typeTexts.size());
    seen.push_back(s);
    Reply reply{IDCANCEL, std::string(), 0};
    if (replies.empty()) {
        ++unexpected;
    } else {
        reply = replies.front();
        replies.pop_front();
    }
    if (s.fileDialog && reply.fileType > 0 && reply.fileType <= typeCount) {
        // As the user picks it: the list's selection, then the notifications
        // a drop-down list sends when an item is clicked.
        SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(reply.fileType - 1), 0);
        for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(FILE_TYPES, code),
                         reinterpret_cast<LPARAM>(types));
        }
    }
    if (s.fileDialog && !reply.path.empty()) {
        SetDlgItemTextA(dialog, 0x47C, reply.path.c_str());
        if (GetDlgItem(dialog, 0x480) != nullptr) {
            SetDlgItemTextA(dialog, 0x480, reply.path.c_str());
        }
        testsupport::pressButton(dialog, IDOK);
    } else {
        testsupport::pressButton(dialog, reply.button);
    }
    return true;
}

// ---- the editor ----

void pump(unsigned ms) {
    testsupport::pumpMessages(ms);
}

Editor::Editor() {
    window = new RZWindow();
    window->create();
    hwnd = window->getHandle();
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    pump(50);
}

Editor::~Editor() {
    if (IsWindow(hwnd)) {
        DestroyWindow(hwnd);
    }
    // Takes the WM_QUIT that the destroyed window posted.
    pump(20);
    RZEditData::release(hwnd);
    delete window;
}

bool Editor::alive() {
    return IsWindow(hwnd) != FALSE;
}

RZEditData* Editor::document() {
    return RZEditData::getInstance(hwnd);
}

HComponent* Editor::control(int id) {
    return window->findById(id);
}

HWND Editor::controlHandle(int id) {
    return GetDlgItem(hwnd, id);
}

std::string Editor::title() {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

void Editor::command(int id) {
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    pump(10);
}

void Editor::type(int id, const std::string& text) {
    SetWindowTextA(controlHandle(id), text.c_str());
    pump(5);
}

void Editor::pickTarget(const std::string& text) {
    HWND combo = controlHandle(IDC_TARGET);
    ASSERT_TRUE(testsupport::selectComboText(combo, text)) << "no target " << text;
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_TARGET, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    pump(5);
}

void Editor::selectRow(int row) {
    static_cast<HListView*>(control(IDC_SPELL_LIST))->setSelectedIndex(row);
    pump(5);
}

int Editor::selectedRow() {
    return static_cast<int>(SendMessageA(controlHandle(IDC_SPELL_LIST), LVM_GETNEXTITEM,
                                         static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Editor::clickColumn(int listId, int column) {
    NMLISTVIEW nm = {};
    nm.hdr.hwndFrom = controlHandle(listId);
    nm.hdr.idFrom = static_cast<UINT_PTR>(listId);
    nm.hdr.code = LVN_COLUMNCLICK;
    nm.iItem = -1;
    nm.iSubItem = column;
    SendMessageA(hwnd, WM_NOTIFY, static_cast<WPARAM>(listId), reinterpret_cast<LPARAM>(&nm));
    pump(5);
}

std::string Editor::cell(int listId, int row, int column) {
    return testsupport::listCell(controlHandle(listId), row, column);
}

int Editor::rowCount(int listId) {
    return testsupport::listRows(controlHandle(listId));
}

COLORREF Editor::rowColour(int row) {
    return static_cast<HListView*>(control(IDC_SPELL_LIST))->getItemColor(row).getColorRef();
}

COLORREF Editor::rowPixel(int row) {
    HWND list = controlHandle(IDC_SPELL_LIST);
    RECT cell = {};
    cell.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump(30);
    POINT at = {cell.right - 8, (cell.top + cell.bottom) / 2};
    ClientToScreen(list, &at);
    HDC screen = GetDC(nullptr);
    COLORREF color = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return color;
}

bool Editor::greyed(int id) {
    return (GetMenuState(GetMenu(hwnd), static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) != 0;
}

void Editor::focus(int id) {
    SetForegroundWindow(hwnd);
    SetFocus(controlHandle(id));
    pump(20);
}

void Editor::typeKeys(const std::string& text) {
    for (char c : text) {
        press({static_cast<WORD>(std::toupper(static_cast<unsigned char>(c)))});
    }
}

void Editor::press(std::initializer_list<WORD> keys) {
    std::vector<INPUT> input;
    for (WORD key : keys) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = key;
        input.push_back(i);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        --it;
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *it;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(i);
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    // The window's own loop translates accelerators; this one does the same.
    DWORD until = GetTickCount() + 300;
    while (static_cast<long>(until - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!TranslateAcceleratorA(hwnd, window->getAccelerator(), &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        Sleep(5);
    }
}

int Editor::dataSetId(const std::string& name) {
    for (int id = IDM_FIRST_DATA_SET; id < IDM_FIRST_DATA_SET + 18; ++id) {
        HMenuItem* item = dynamic_cast<HMenuItem*>(window->findById(id));
        if (item != nullptr && item->getStoredText() == name) {
            return id;
        }
    }
    return -1;
}

std::string tableState(RZEditData* document) {
    std::string state;
    for (std::uint32_t i = 0; i < document->count(); ++i) {
        const RZMagic* e = document->entryAt(i);
        state += e->getName() + "|" + std::to_string(e->getTarget()) + "|" +
                 std::to_string(e->getCost()) + "|" + std::to_string(e->getRange()) + "|" +
                 std::to_string(e->getArea()) + "|" + std::to_string(e->getEfficiency()) + "|" +
                 e->getDescription() + "|" + e->getSound() + "|" +
                 e->getPictureReplacement().fullPath() + "|" + e->getSoundReplacement().fullPath() +
                 "\n";
    }
    return state;
}

} // namespace editortest

namespace editortest {

const std::string& sharedGame() {
    static std::string root;
    if (root.empty()) {
        root = testsupport::makeScratchDir("game");
        makeGame(root);
    }
    return root;
}

std::string freshGame() {
    std::string root = testsupport::makeScratchDir("fresh");
    testsupport::copyTree(sharedGame(), root);
    return root;
}

} // namespace editortest
