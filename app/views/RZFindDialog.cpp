#include "app/views/RZFindDialog.h"

#include "app/operations/RZCommand.h"
#include "toolkit/HButton.h"
#include "toolkit/HEdit.h"
#include "toolkit/HFont.h"

namespace {

// The longest search text: as long as the longest field it searches.
const int TEXT_LIMIT = 256;

} // namespace

RZFindDialog::RZFindDialog(HWindow* owner, const std::string& text) : HDialog(owner) {
    setClassName("RZFindDialog");
    setWindowClassName("RZFindDialog");
    setStoredText("検索");
    setWidth(300);
    setHeight(100);
    setModal(true);

    font = std::make_unique<HFont>("ＭＳ ゴシック", HFont::PLAIN, 9);
    setFont(font.get());

    edit = std::make_unique<HEdit>(this, IDC_FIND_TEXT, text);
    findButton = std::make_unique<HButton>(this, IDC_FIND_OK, "次を検索");
    cancelButton = std::make_unique<HButton>(this, IDC_FIND_CANCEL, "キャンセル");
    edit->setBounds(10, 10, 274, 20);
    edit->setTextLimit(TEXT_LIMIT);
    findButton->setBounds(110, 40, 84, 22);
    cancelButton->setBounds(200, 40, 84, 22);

    commandListener = std::make_unique<RZCommand>();
    addListener(commandListener.get());

    // Enter finds and Escape cancels wherever the focus is.
    addAccelerator(FVIRTKEY | FNOINVERT, VK_RETURN, IDC_FIND_OK);
    addAccelerator(FVIRTKEY | FNOINVERT, VK_ESCAPE, IDC_FIND_CANCEL);
}

RZFindDialog::~RZFindDialog() {
    // The native windows go first, so no message reaches a deleted control.
    dispose();
    removeListener(commandListener.get());
}

int RZFindDialog::create() {
    int created = HDialog::create();
    edit->selectText(0, 65535);
    return created;
}

std::string RZFindDialog::searchText() {
    return edit->getText();
}
