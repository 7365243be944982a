#include "app/views/RZVersion.h"

#include "app/operations/RZCommand.h"
#include "app/operations/RZListeners.h"
#include "toolkit/HButton.h"
#include "toolkit/HFont.h"
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

    font = std::make_unique<HFont>("ＭＳ Ｐゴシック", HFont::PLAIN, 9);
    setFont(font.get());

    textLabel = std::make_unique<HLabel>(this, ID_TEXT, buildText(versionText()));
    creditLabel = std::make_unique<HLabel>(this, ID_CREDIT, CREDIT_TEXT);
    okButton = std::make_unique<HButton>(this, ID_OK, "OK");

    textLabel->setBounds(10, 10, 260, 60);
    creditLabel->setBounds(10, 80, 260, 16);
    okButton->setBounds(90, 100, 80, 20);
    textLabel->setAlignment(ALIGN_CENTER);
    creditLabel->setAlignment(ALIGN_CENTER);

    commandListener = std::make_unique<RZCommand>();
    addListener(commandListener.get());

    // Escape and Enter close the box wherever the focus is.
    addAccelerator(FVIRTKEY | FNOINVERT, VK_ESCAPE, ID_OK);
    addAccelerator(FVIRTKEY | FNOINVERT, VK_RETURN, ID_OK);
}

RZVersion::~RZVersion() {
    // The native windows go first, so no message reaches a deleted control.
    dispose();
}
