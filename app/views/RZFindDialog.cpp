#include "app/views/RZFindDialog.h"

#include "app/operations/RZCommand.h"
#include "toolkit/HButton.h"
#include "toolkit/HEdit.h"

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

    useFont();

    edit = make<HEdit>(this, IDC_FIND_TEXT, text);
    HButton* findButton = make<HButton>(this, IDC_FIND_OK, "次を検索");
    HButton* cancelButton = make<HButton>(this, IDC_FIND_CANCEL, "キャンセル");
    edit->setBounds(10, 10, 274, 20);
    edit->setTextLimit(TEXT_LIMIT);
    findButton->setBounds(110, 40, 84, 22);
    cancelButton->setBounds(200, 40, 84, 22);

    listen(std::make_unique<RZCommand>());
    // Enter finds and Escape cancels wherever the focus is.
    setKeyCommands(IDC_FIND_OK, IDC_FIND_CANCEL);
}

int RZFindDialog::create() {
    int created = HDialog::create();
    edit->selectText(0, 65535);
    return created;
}

std::string RZFindDialog::searchText() {
    return edit->getText();
}
