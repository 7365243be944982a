#include "app/views/RZWindow.h"

#include "app/operations/RZCommand.h"
#include "app/operations/RZCommandDropDown.h"
#include "app/operations/RZCommandEdit.h"
#include "app/operations/RZExMenu.h"
#include "app/operations/RZListeners.h"
#include "app/views/RZClose.h"
#include "app/views/RZImageView.h"
#include "app/views/RZListViewEvent.h"
#include "app/views/RZListViewEvent2.h"
#include "sound/HWavePlayer.h"
#include "toolkit/HButton.h"
#include "toolkit/HDropDown.h"
#include "toolkit/HEdit.h"
#include "toolkit/HFont.h"
#include "toolkit/HLabel.h"
#include "toolkit/HListView.h"
#include "toolkit/HMenuBar.h"
#include "toolkit/HMenuItem.h"

namespace {

enum Kind { LIST, BUTTON, LABEL, EDIT, DROPDOWN, IMAGE };

struct ControlRow {
    int id;
    Kind kind;
    const char* text;
    int x, y, w, h;
};

// The form, in id order (which is also the order of creation and of Tab).
const ControlRow CONTROLS[] = {
    {101, LIST, "", 0, 0, 632, 144},
    {102, BUTTON, "↑前へ", 10, 147, 70, 20},
    {103, BUTTON, "次へ↓", 80, 147, 70, 20},
    {104, BUTTON, "元に戻す", 160, 147, 70, 20},
    {105, LABEL, "名称", 10, 174, 44, 16},
    {106, EDIT, "", 54, 172, 156, 20},
    {107, LABEL, "ﾚﾍﾞﾙ", 226, 174, 44, 16},
    {108, EDIT, "", 270, 172, 40, 20},
    {109, LABEL, "属性", 10, 196, 44, 16},
    {110, EDIT, "", 54, 194, 40, 20},
    {111, LABEL, "ﾗﾝｸ", 110, 196, 44, 16},
    {112, EDIT, "", 154, 194, 40, 20},
    {113, LABEL, "対象", 226, 196, 44, 16},
    {114, DROPDOWN, "", 270, 194, 156, 80},
    {115, LABEL, "消費", 10, 218, 44, 16},
    {116, EDIT, "", 54, 216, 40, 20},
    {117, LABEL, "射程", 110, 218, 44, 16},
    {118, EDIT, "", 154, 216, 40, 20},
    {119, LABEL, "範囲", 226, 218, 44, 16},
    {120, EDIT, "", 270, 216, 40, 20},
    {121, LABEL, "効率", 326, 218, 44, 16},
    {122, EDIT, "", 370, 216, 40, 20},
    {123, LABEL, "説明", 10, 240, 44, 16},
    {124, EDIT, "", 54, 238, 372, 20},
    {125, LABEL, "効果音", 10, 262, 44, 16},
    {126, EDIT, "", 54, 260, 156, 20},
    {127, BUTTON, "選択...", 210, 260, 60, 20},
    {128, BUTTON, "再生ﾃｽﾄ", 270, 260, 60, 20},
    {129, LABEL, "画像", 10, 284, 44, 16},
    {130, BUTTON, "画像差替", 54, 282, 100, 20},
    {131, IMAGE, "", 54, 304, 372, 128},
    {132, LABEL, "使用可能キャラ", 442, 174, 180, 16},
    {133, LIST, "", 442, 192, 180, 188},
};

struct MenuRow {
    int id;
    int parent; // 134: the bar
    const char* text;
};

const MenuRow MENUS[] = {
    {135, 134, "ﾌｧｲﾙ(&F)"},
    {136, 135, "新規作成(&N)\tCtrl+N"},
    {137, 135, "開く(&O)\tCtrl+O"},
    {138, 135, "再読込(&R)\tF5"},
    {139, 135, "-"},
    {140, 135, "上書き保存(&S)\tCtrl+S"},
    {141, 135, "名前をつけて保存(&A)\tShift+Ctrl+S"},
    {142, 135, "-"},
    {143, 135, "終了(&X)\tCtrl+Q"},
    {144, 134, "編集(&E)"},
    {145, 144, "前へ(&N)\tCtrl+↑"},
    {146, 144, "次へ(&P)\tCtrl+↓"},
    {147, 144, "先頭へ移動(&T)\tCtrl+Home"},
    {148, 144, "末尾へ移動(&B)\tCtrl+End"},
    {149, 144, "-"},
    {150, 144, "元に戻す(&U)\tCtrl+F5"},
    {151, 134, "その他(&O)"},
    {152, 151, "ﾊﾞｰｼﾞｮﾝ情報(&A)"},
};

struct ColumnRow {
    const char* text;
    int width;
    int format;
};

const ColumnRow SPELL_COLUMNS[] = {
    {"行", 24, LVCFMT_LEFT},    {"名称", 96, LVCFMT_LEFT},  {"Lv", 36, LVCFMT_LEFT},
    {"属", 24, LVCFMT_LEFT},    {"Rk", 24, LVCFMT_LEFT},    {"対象", 36, LVCFMT_LEFT},
    {"消費", 36, LVCFMT_RIGHT}, {"射程", 36, LVCFMT_RIGHT}, {"範囲", 36, LVCFMT_RIGHT},
    {"効率", 36, LVCFMT_RIGHT}, {"説明", 132, LVCFMT_LEFT}, {"効果音", 96, LVCFMT_LEFT},
};

const ColumnRow CHARACTER_COLUMNS[] = {
    {"ＩＤ", 116, LVCFMT_LEFT},
    {"ﾗﾝｸ", 36, LVCFMT_LEFT},
};

struct AcceleratorRow {
    BYTE fVirt;
    WORD key;
    WORD command;
};

const AcceleratorRow ACCELERATORS[] = {
    {0x0B, 0x4E, 136}, {0x0B, 0x4F, 137}, {0x03, 0x74, 138}, {0x0B, 0x53, 140}, {0x0F, 0x53, 141},
    {0x0B, 0x51, 143}, {0x0B, 0x26, 145}, {0x0B, 0x28, 146}, {0x0B, 0x21, 145}, {0x0B, 0x22, 146},
    {0x0B, 0x24, 147}, {0x0B, 0x23, 148}, {0x0B, 0x74, 150},
};

} // namespace

RZWindow::RZWindow() {
    setClassName("RZWindow");
    setWindowClassName("RZWindow");

    setStoredText("RZEdit " + versionText());
    setBounds(0, 0, 640, 480);
    HComponent::moveCenter(this);

    font = new HFont("ＭＳ ゴシック", HFont::PLAIN, 9);
    setFont(font);

    dataSetMenu = new RZExMenu();
    listeners = new RZListeners();
    wavePlayer = new HWavePlayer(this);

    for (const ControlRow& row : CONTROLS) {
        HComponent* c = nullptr;
        switch (row.kind) {
        case LIST:
            c = new HListView(this, row.id, row.text);
            break;
        case BUTTON:
            c = new HButton(this, row.id, row.text);
            break;
        case LABEL:
            c = new HLabel(this, row.id, row.text);
            break;
        case EDIT:
            c = new HEdit(this, row.id, row.text);
            break;
        case DROPDOWN:
            c = new HDropDown<int>(this, row.id, row.text);
            break;
        case IMAGE:
            c = new RZImageView(this, row.id, row.text);
            break;
        }
        controls[row.id - FIRST_CONTROL] = c;
    }

    HMenuBar* bar = new HMenuBar(this, MENU_BAR, "");
    menuBar = bar;
    for (const MenuRow& row : MENUS) {
        HContainer* parent =
            row.parent == MENU_BAR ? static_cast<HContainer*>(bar) : getMenuItem(row.parent);
        menuItems[row.id - FIRST_MENU_ITEM] = new HMenuItem(parent, row.id, row.text);
    }

    dataSetMenu->create(getMenuItem(135), FIRST_DATA_SET);

    for (const ControlRow& row : CONTROLS) {
        getControl(row.id)->setBounds(row.x, row.y, row.w, row.h);
    }

    const int readOnly[] = {108, 110, 112};
    for (int id : readOnly) {
        static_cast<HEdit*>(getControl(id))->setReadOnly(true);
    }
    const int numberOnly[] = {118, 120, 122};
    for (int id : numberOnly) {
        static_cast<HEdit*>(getControl(id))->setNumberOnly(true);
    }
    const int limits[][2] = {{106, 40}, {116, 4},   {118, 4}, {120, 2},
                             {122, 2},  {124, 256}, {126, 80}};
    for (const auto& limit : limits) {
        static_cast<HEdit*>(getControl(limit[0]))->setTextLimit(limit[1]);
    }

    getControl(128)->setUserObject(wavePlayer);

    HListView* spells = static_cast<HListView*>(getControl(101));
    spells->setSingleSelection(true);
    for (const ColumnRow& column : SPELL_COLUMNS) {
        spells->addColumn(column.text, column.width, column.format);
    }
    // The spell list keeps the system font.
    spells->setFont(nullptr);
    HListView* characters = static_cast<HListView*>(getControl(133));
    for (const ColumnRow& column : CHARACTER_COLUMNS) {
        characters->addColumn(column.text, column.width, column.format);
    }

    RZImageView* preview = static_cast<RZImageView*>(getControl(131));
    preview->setBackgroundColor(HColor(212, 208, 200));
    preview->createImage(640, 576);

    for (const AcceleratorRow& accelerator : ACCELERATORS) {
        addAccelerator(accelerator.fVirt, accelerator.key, accelerator.command);
    }

    listeners->create();
    addListener(listeners->getCommandListener());
    addListener(listeners->getEditListener());
    addListener(listeners->getDropDownListener());
    spells->addListener(listeners->getListViewListener());
    characters->addListener(listeners->getListViewListener2());
    addListener(listeners->getCloseListener());
}

RZWindow::~RZWindow() {
    // The native windows go first, while every control still exists.
    dispose();
    for (HComponent*& c : controls) {
        delete c;
        c = nullptr;
    }
    setMenuBar(nullptr);
    delete menuBar;
    menuBar = nullptr;
    for (HMenuItem*& item : menuItems) {
        delete item;
        item = nullptr;
    }
    delete dataSetMenu;
    delete listeners;
    delete wavePlayer;
    delete font;
}

HComponent* RZWindow::getControl(int id) const {
    if (id < FIRST_CONTROL || id > LAST_CONTROL) {
        return nullptr;
    }
    return controls[id - FIRST_CONTROL];
}

HMenuItem* RZWindow::getMenuItem(int id) const {
    if (id < FIRST_MENU_ITEM || id > LAST_MENU_ITEM) {
        return nullptr;
    }
    return menuItems[id - FIRST_MENU_ITEM];
}
