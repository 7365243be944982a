#include "app/views/RZVersion.h"

#include "app/operations/RZCommand.h"
#include "app/operations/RZListeners.h"
#include "toolkit/HButton.h"
#include "toolkit/HLabel.h"

namespace {

const char* const TITLE_LINE = "スペルテーブル用 魔法エディタ RZEdit \r\n- version ";
const char* const CREDITS_LINE = " -\r\rRZEdit 開発チーム";
const char* const CREDIT_TEXT = "本ソフトウェアは無保証で提供されます";

const int ALIGN_CENTER = 1;

} // namespace

std::string RZVersion::buildText(const std::string& version) {
    return std::string(TITLE_LINE) + version + CREDITS_LINE;
}

RZVersion::RZVersion(HWindow* owner) : HDialog(owner) {
    setClassName("RZVersion");
    setWindowClassName("RZVersion");

    setStoredText("ﾊﾞｰｼﾞｮﾝ情報");
    setWidth(280);
    setHeight(160);
    setModal(true);

    useFont("ＭＳ Ｐゴシック", 9);

    HLabel* textLabel = make<HLabel>(this, ID_TEXT, buildText(versionText()));
    HLabel* creditLabel = make<HLabel>(this, ID_CREDIT, CREDIT_TEXT);
    HButton* okButton = make<HButton>(this, ID_OK, "OK");

    textLabel->setBounds(10, 10, 260, 60);
    creditLabel->setBounds(10, 80, 260, 16);
    okButton->setBounds(90, 100, 80, 20);
    textLabel->setAlignment(ALIGN_CENTER);
    creditLabel->setAlignment(ALIGN_CENTER);

    listen(std::make_unique<RZCommand>());
    // Escape and Enter close the box wherever the focus is.
    setKeyCommands(ID_OK, ID_OK);
}
