#include "app/views/RZFilterDialog.h"

#include "app/operations/RZCommand.h"
#include "app/views/RZIds.h"
#include "toolkit/HButton.h"
#include "toolkit/HCheckBox.h"
#include "toolkit/HDropDown.h"
#include "toolkit/HEdit.h"
#include "toolkit/HLabel.h"

namespace {

const char ANY_TEXT[] = "すべて";
// As long as the longest field the text is looked for in, as in the find box.
const int TEXT_LIMIT = 256;

HDropDown<int>* dropDown(HDialog* dialog, int labelId, const char* label, int id, int y,
                         const std::vector<std::pair<int, std::string>>& items) {
    dialog->make<HLabel>(dialog, labelId, label)->setBounds(12, y + 3, 80, 16);
    auto* list = dialog->make<HDropDown<int>>(dialog, id, "");
    list->setBounds(96, y, 200, 200);
    list->addItem(ANY_TEXT, RZRowFilter::ANY);
    for (const auto& item : items) {
        list->addItem(item.second, item.first);
    }
    return list;
}

} // namespace

RZFilterDialog::RZFilterDialog(HWindow* owner, const Choices& choices,
                               const RZRowFilter::Conditions& conditions)
    : HDialog(owner), shown(conditions) {
    setClassName("RZFilterDialog");
    setWindowClassName("RZFilterDialog");
    setStoredText("絞り込み");
    setWidth(320);
    setHeight(268);
    setModal(true);

    useFont();

    // In Tab order, top to bottom.
    element =
        dropDown(this, IDC_FILTER_ELEMENT_LABEL, "属性", IDC_FILTER_ELEMENT, 10, choices.elements);
    rank = dropDown(this, IDC_FILTER_RANK_LABEL, "ランク", IDC_FILTER_RANK, 38, choices.ranks);
    target =
        dropDown(this, IDC_FILTER_TARGET_LABEL, "対象", IDC_FILTER_TARGET, 66, choices.targets);
    std::vector<std::pair<int, std::string>> people;
    for (std::size_t i = 0; i < choices.characters.size(); ++i) {
        people.emplace_back(static_cast<int>(i), choices.characters[i]);
    }
    character = dropDown(this, IDC_FILTER_CHARACTER_LABEL, "キャラクター", IDC_FILTER_CHARACTER, 94,
                         people);
    make<HLabel>(this, IDC_FILTER_TEXT_LABEL, "文字")->setBounds(12, 125, 80, 16);
    text = make<HEdit>(this, IDC_FILTER_TEXT, conditions.text);
    text->setBounds(96, 122, 200, 20);
    text->setTextLimit(TEXT_LIMIT);
    changed = make<HCheckBox>(this, IDC_FILTER_CHANGED, "変更した行だけ");
    changed->setBounds(12, 150, 284, 20);
    changed->setChecked(conditions.changedOnly);
    stock = make<HCheckBox>(this, IDC_FILTER_STOCK, "標準データと違う行だけ");
    stock->setBounds(12, 174, 284, 20);
    // Nothing to compare with: the condition can be neither set nor kept.
    stock->setChecked(choices.stockReadable && conditions.stockDiffersOnly);
    stock->setEnabled(choices.stockReadable);
    HButton* okButton = make<HButton>(this, IDC_FILTER_OK, "OK");
    okButton->setBounds(122, 206, 84, 22);
    okButton->setDefaultButton(true);
    make<HButton>(this, IDC_FILTER_CANCEL, "キャンセル")->setBounds(212, 206, 84, 22);

    listen(std::make_unique<RZCommand>());
    setKeyCommands(IDC_FILTER_OK, IDC_FILTER_CANCEL);
}

int RZFilterDialog::create() {
    int created = HDialog::create();
    for (auto chosen :
         {std::make_pair(element, shown.element), std::make_pair(rank, shown.rank),
          std::make_pair(target, shown.target), std::make_pair(character, shown.character)}) {
        // A value no item holds (a character the game no longer has) shows "すべて".
        int value = RZRowFilter::ANY;
        for (int i = 0; i < chosen.first->getItemCount(); ++i) {
            if (chosen.first->getItemValue(i) == chosen.second) {
                value = chosen.second;
            }
        }
        chosen.first->setSelectedValue(value);
    }
    return created;
}

RZRowFilter::Conditions RZFilterDialog::conditions() {
    RZRowFilter::Conditions now;
    now.element = element->getSelectedValue();
    now.rank = rank->getSelectedValue();
    now.target = target->getSelectedValue();
    now.character = character->getSelectedValue();
    now.text = text->getText();
    now.changedOnly = changed->isChecked();
    now.stockDiffersOnly = stock->isEnabled() && stock->isChecked();
    return now;
}
