#include "app/views/RZWindow.h"

#include "app/data/RZSpellFields.h"
#include "app/operations/RZCommand.h"
#include "app/operations/RZCommandDropDown.h"
#include "app/operations/RZCommandEdit.h"
#include "app/operations/RZExMenu.h"
#include "app/operations/RZListeners.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/views/RZClose.h"
#include "app/views/RZFormBoxes.h"
#include "app/views/RZIds.h"
#include "app/views/RZImageView.h"
#include "app/views/RZListViewEvent.h"
#include "app/views/RZListViewEvent2.h"
#include "app/views/RZMenuOpen.h"
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
    {IDC_SPELL_LIST, LIST, "", 0, 0, 632, 144},
    {IDC_PREVIOUS, BUTTON, "↑前へ", 10, 147, 70, 20},
    {IDC_NEXT, BUTTON, "次へ↓", 80, 147, 70, 20},
    {IDC_REVERT, BUTTON, "元に戻す", 160, 147, 70, 20},
    {IDC_NAME_LABEL, LABEL, "名称", 10, 174, 44, 16},
    {IDC_NAME, EDIT, "", 54, 172, 156, 20},
    {IDC_LEVEL_LABEL, LABEL, "ﾚﾍﾞﾙ", 226, 174, 44, 16},
    {IDC_LEVEL, EDIT, "", 270, 172, 40, 20},
    {IDC_ELEMENT_LABEL, LABEL, "属性", 10, 196, 44, 16},
    {IDC_ELEMENT, EDIT, "", 54, 194, 40, 20},
    {IDC_RANK_LABEL, LABEL, "ﾗﾝｸ", 110, 196, 44, 16},
    {IDC_RANK, EDIT, "", 154, 194, 40, 20},
    {IDC_TARGET_LABEL, LABEL, "対象", 226, 196, 44, 16},
    {IDC_TARGET, DROPDOWN, "", 270, 194, 156, 80},
    {IDC_COST_LABEL, LABEL, "消費", 10, 218, 44, 16},
    {IDC_COST, EDIT, "", 54, 216, 40, 20},
    {IDC_RANGE_LABEL, LABEL, "射程", 110, 218, 44, 16},
    {IDC_RANGE, EDIT, "", 154, 216, 40, 20},
    {IDC_AREA_LABEL, LABEL, "範囲", 226, 218, 44, 16},
    {IDC_AREA, EDIT, "", 270, 216, 40, 20},
    {IDC_EFFICIENCY_LABEL, LABEL, "効率", 326, 218, 44, 16},
    {IDC_EFFICIENCY, EDIT, "", 370, 216, 40, 20},
    {IDC_DESCRIPTION_LABEL, LABEL, "説明", 10, 240, 44, 16},
    {IDC_DESCRIPTION, EDIT, "", 54, 238, 372, 20},
    {IDC_SOUND_LABEL, LABEL, "効果音", 10, 262, 44, 16},
    {IDC_SOUND, EDIT, "", 54, 260, 156, 20},
    {IDC_SOUND_CHOOSE, BUTTON, "選択...", 210, 260, 60, 20},
    {IDC_PLAY_TEST, BUTTON, "再生ﾃｽﾄ", 270, 260, 60, 20},
    {IDC_PICTURE_LABEL, LABEL, "画像", 10, 284, 44, 16},
    {IDC_PICTURE_REPLACE, BUTTON, "画像差替", 54, 282, 100, 20},
    {IDC_PICTURE, IMAGE, "", 54, 304, 372, 128},
    {IDC_CHARACTERS_LABEL, LABEL, "使用可能キャラ", 442, 174, 180, 16},
    {IDC_CHARACTERS, LIST, "", 442, 192, 180, 188},
};

struct MenuRow {
    int id;
    int parent; // IDM_MENU_BAR: a menu of the bar
    const char* text;
};

const MenuRow MENUS[] = {
    {IDM_FILE, IDM_MENU_BAR, "ﾌｧｲﾙ(&F)"},
    {IDM_NEW, IDM_FILE, "新規作成(&N)\tCtrl+N"},
    {IDM_OPEN, IDM_FILE, "開く(&O)\tCtrl+O"},
    {IDM_RELOAD, IDM_FILE, "再読込(&R)\tF5"},
    {IDM_FILE_SEPARATOR_1, IDM_FILE, "-"},
    {IDM_SAVE, IDM_FILE, "上書き保存(&S)\tCtrl+S"},
    {IDM_SAVE_AS, IDM_FILE, "名前をつけて保存(&A)\tShift+Ctrl+S"},
    {IDM_FILE_SEPARATOR_2, IDM_FILE, "-"},
    {IDM_EXIT, IDM_FILE, "終了(&X)\tCtrl+Q"},
    {IDM_EDIT, IDM_MENU_BAR, "編集(&E)"},
    {IDM_PREVIOUS, IDM_EDIT, "前へ(&N)\tCtrl+↑"},
    {IDM_NEXT, IDM_EDIT, "次へ(&P)\tCtrl+↓"},
    {IDM_FIRST, IDM_EDIT, "先頭へ移動(&T)\tCtrl+Home"},
    {IDM_LAST, IDM_EDIT, "末尾へ移動(&B)\tCtrl+End"},
    {IDM_EDIT_SEPARATOR_1, IDM_EDIT, "-"},
    {IDM_REVERT, IDM_EDIT, "元に戻す(&U)\tCtrl+F5"},
    {IDM_EDIT_SEPARATOR_2, IDM_EDIT, "-"},
    {IDM_UNDO, IDM_EDIT, "取り消し(&Z)\tCtrl+Z"},
    {IDM_REDO, IDM_EDIT, "やり直し(&Y)\tCtrl+Y"},
    {IDM_EDIT_SEPARATOR_3, IDM_EDIT, "-"},
    {IDM_FIND, IDM_EDIT, "検索(&F)...\tCtrl+F"},
    {IDM_FIND_NEXT, IDM_EDIT, "次を検索(&N)\tF3"},
    {IDM_FILTER, IDM_EDIT, "絞り込み(&L)...\tCtrl+L"},
    {IDM_CLEAR_FILTER, IDM_EDIT, "絞り込みの解除(&W)\tShift+Ctrl+L"},
    {IDM_TOOLS, IDM_MENU_BAR, "ツール(&T)"},
    {IDM_STOCK_DIFF, IDM_TOOLS, "標準データとの差分(&D)..."},
    {IDM_RESET_TO_STOCK, IDM_TOOLS, "選択した呪文を標準に戻す(&R)"},
    {IDM_SHOW_STOCK_DIFF, IDM_TOOLS, "標準データとの違いを色で表示(&C)"},
    {IDM_TOOLS_SEPARATOR_1, IDM_TOOLS, "-"},
    {IDM_EXPORT_TSV, IDM_TOOLS, "TSVファイルに書き出し(&E)..."},
    {IDM_IMPORT_TSV, IDM_TOOLS, "TSVファイルから読み込み(&I)..."},
    {IDM_COPY_TABLE, IDM_TOOLS, "表をコピー(&C)"},
    {IDM_PASTE_TABLE, IDM_TOOLS, "貼り付け(&V)"},
    {IDM_TOOLS_SEPARATOR_2, IDM_TOOLS, "-"},
    {IDM_TABLE_CHECK, IDM_TOOLS, "表のチェック(&K)..."},
    {IDM_BULK_CHANGE, IDM_TOOLS, "一括変更(&B)..."},
    {IDM_CHARACTER_SPELLS, IDM_TOOLS, "キャラクター別の呪文(&A)..."},
    {IDM_COMPARE_TABLE, IDM_TOOLS, "他の表と比較(&M)..."},
    {IDM_OTHER, IDM_MENU_BAR, "その他(&O)"},
    {IDM_ABOUT, IDM_OTHER, "ﾊﾞｰｼﾞｮﾝ情報(&A)"},
};

struct ColumnRow {
    const char* text;
    int width;
    int format;
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

// FNOINVERT: a menu command reached by its key does not flash its menu.
const BYTE CTRL = FVIRTKEY | FNOINVERT | FCONTROL;
const BYTE SHIFT_CTRL = FVIRTKEY | FNOINVERT | FSHIFT | FCONTROL;
const BYTE PLAIN = FVIRTKEY | FNOINVERT;
const BYTE SHIFT = FVIRTKEY | FNOINVERT | FSHIFT;

const AcceleratorRow ACCELERATORS[] = {
    {CTRL, 'N', IDM_NEW},
    {CTRL, 'O', IDM_OPEN},
    {PLAIN, VK_F5, IDM_RELOAD},
    {CTRL, 'S', IDM_SAVE},
    {SHIFT_CTRL, 'S', IDM_SAVE_AS},
    {CTRL, 'Q', IDM_EXIT},
    {CTRL, VK_UP, IDM_PREVIOUS},
    {CTRL, VK_DOWN, IDM_NEXT},
    {CTRL, VK_PRIOR, IDM_PREVIOUS},
    {CTRL, VK_NEXT, IDM_NEXT},
    {CTRL, VK_HOME, IDM_FIRST},
    {CTRL, VK_END, IDM_LAST},
    {CTRL, VK_F5, IDM_REVERT},
    {CTRL, 'Z', IDM_UNDO},
    {CTRL, 'Y', IDM_REDO},
    {SHIFT_CTRL, 'Z', IDM_REDO},
    {CTRL, 'F', IDM_FIND},
    {PLAIN, VK_F3, IDM_FIND_NEXT},
    {SHIFT, VK_F3, IDM_FIND_PREVIOUS},
    {CTRL, 'L', IDM_FILTER},
    {SHIFT_CTRL, 'L', IDM_CLEAR_FILTER},
};

} // namespace

RZWindow::RZWindow() {
    setClassName("RZWindow");
    setWindowClassName("RZWindow");
    // The program's own icon, where the program file carries it (RZEdit.exe
    // does; a test program that builds this window does not).
    HINSTANCE module = HWindow::instanceHandle();
    HICON largeIcon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_RZEDIT),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                    GetSystemMetrics(SM_CYICON), LR_SHARED));
    HICON smallIcon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_RZEDIT),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    setClassIcons(largeIcon, smallIcon);

    setStoredText("RZEdit " + versionText());
    setBounds(0, 0, 640, 480);
    HComponent::moveCenter(this);

    font = std::make_unique<HFont>("ＭＳ ゴシック", HFont::PLAIN, 9);
    setFont(font.get());

    dataSetMenu = std::make_unique<RZExMenu>();
    listeners = std::make_unique<RZListeners>();
    wavePlayer = std::make_unique<HWavePlayer>(this);

    for (const ControlRow& row : CONTROLS) {
        std::unique_ptr<HComponent> c;
        switch (row.kind) {
        case LIST:
            c = std::make_unique<HListView>(this, row.id, row.text);
            break;
        case BUTTON:
            c = std::make_unique<HButton>(this, row.id, row.text);
            break;
        case LABEL:
            c = std::make_unique<HLabel>(this, row.id, row.text);
            break;
        case EDIT:
            c = std::make_unique<HEdit>(this, row.id, row.text);
            break;
        case DROPDOWN:
            c = std::make_unique<HDropDown<int>>(this, row.id, row.text);
            break;
        case IMAGE:
            c = std::make_unique<RZImageView>(this, row.id, row.text);
            break;
        }
        controls[row.id - IDC_FIRST_CONTROL] = std::move(c);
    }

    menuBar = std::make_unique<HMenuBar>(this, IDM_MENU_BAR, "");
    for (const MenuRow& row : MENUS) {
        HContainer* parent = row.parent == IDM_MENU_BAR ? static_cast<HContainer*>(menuBar.get())
                                                        : getMenuItem(row.parent);
        menuItems[row.id - IDM_FIRST_MENU_ITEM] =
            std::make_unique<HMenuItem>(parent, row.id, row.text);
    }

    // No document yet: nothing to undo or redo, no stock table, no table. The
    // operations keep these states by the same rule from then on.
    rzops::updateCommandStates(this, nullptr);

    dataSetMenu->create(getMenuItem(IDM_FILE), IDM_DATA_SET_SEPARATOR);

    for (const ControlRow& row : CONTROLS) {
        getControl(row.id)->setBounds(row.x, row.y, row.w, row.h);
    }

    for (int id : {IDC_LEVEL, IDC_ELEMENT, IDC_RANK}) {
        static_cast<HEdit*>(getControl(id))->setReadOnly(true);
    }
    for (const RZFormBoxes::Box& box : RZFormBoxes::BOXES) {
        if (box.digitsOnly) {
            static_cast<HEdit*>(getControl(box.control))->setNumberOnly(true);
        }
    }
    for (const RZFormBoxes::Box& box : RZFormBoxes::BOXES) {
        if (box.textLimit > 0) {
            static_cast<HEdit*>(getControl(box.control))->setTextLimit(box.textLimit);
        }
    }

    // Kept for code that finds the player from the button; the editor's own
    // operations use getWavePlayer().
    getControl(IDC_PLAY_TEST)->setUserObject(wavePlayer.get());

    HListView* spells = static_cast<HListView*>(getControl(IDC_SPELL_LIST));
    spells->setSingleSelection(true);
    // The row being edited stays marked while the focus is in the form.
    spells->setSelectionHighlighted(true);
    // Numbers stand to the right; RZDisplay fills and the sort compares by position.
    for (int position = 0; position < RZSpellFields::LIST_COLUMN_COUNT; ++position) {
        const RZSpellFields::Column column = RZSpellFields::listColumn(position);
        spells->addColumn(column.heading, column.width,
                          RZSpellFields::isNumeric(column.field) ? LVCFMT_RIGHT : LVCFMT_LEFT);
    }
    // The spell list keeps the system font.
    spells->setFont(nullptr);
    HListView* characters = static_cast<HListView*>(getControl(IDC_CHARACTERS));
    for (const ColumnRow& column : CHARACTER_COLUMNS) {
        characters->addColumn(column.text, column.width, column.format);
    }

    RZImageView* preview = static_cast<RZImageView*>(getControl(IDC_PICTURE));
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
    addListener(listeners->getMenuOpenListener());
}

RZWindow::~RZWindow() {
    // The native windows go first, while every control still exists; then the
    // controls, the menus and what they use, in that order.
    dispose();
    for (auto& c : controls) {
        c.reset();
    }
    setMenuBar(nullptr);
    menuBar.reset();
    for (auto& item : menuItems) {
        item.reset();
    }
    dataSetMenu.reset();
    listeners.reset();
    wavePlayer.reset();
    font.reset();
}

HComponent* RZWindow::getControl(int id) const {
    if (id < IDC_FIRST_CONTROL || id > IDC_LAST_CONTROL) {
        return nullptr;
    }
    return controls[id - IDC_FIRST_CONTROL].get();
}

HMenuItem* RZWindow::getMenuItem(int id) const {
    if (id < IDM_FIRST_MENU_ITEM || id > IDM_LAST_EXTRA_ITEM) {
        return nullptr;
    }
    return menuItems[id - IDM_FIRST_MENU_ITEM].get();
}
