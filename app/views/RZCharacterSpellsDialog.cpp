#include "app/views/RZCharacterSpellsDialog.h"

#include "app/operations/RZCommandDropDown.h"
#include "app/views/RZIds.h"
#include "toolkit/HDropDown.h"
#include "toolkit/HListView.h"

RZCharacterSpellsDialog::RZCharacterSpellsDialog(HWindow* owner,
                                                 const std::vector<std::string>& names,
                                                 std::uint32_t chosen)
    : RZListDialog(
          owner, "RZCharacterSpellsDialog", "キャラクター別の呪文",
          Ids{IDC_CHARACTER_SPELL_LIST, IDC_CHARACTER_SPELLS_CLOSE, IDC_CHARACTER_SPELLS_JUMP},
          {{"行", 36, LVCFMT_RIGHT},
           {"名称", 110, LVCFMT_LEFT},
           {"Lv", 36, LVCFMT_LEFT},
           {"属", 24, LVCFMT_LEFT},
           {"Rk", 24, LVCFMT_LEFT},
           {"適性", 60, LVCFMT_LEFT}}),
      first(chosen < names.size() ? chosen : 0) {
    setWidth(350);
    setHeight(380);
    choice = make<HDropDown<int>>(this, IDC_CHARACTER_CHOICE, "");
    choice->setBounds(8, 8, 200, 240);
    for (std::size_t i = 0; i < names.size(); ++i) {
        choice->addItem(names[i], static_cast<int>(i));
    }
    addList(8, 36, 326, 276);
    addCloseButton(250, 320, 84, 22);
    listen(std::make_unique<RZCommandDropDown>());
}

int RZCharacterSpellsDialog::create() {
    int created = RZListDialog::create();
    choice->setSelectedValue(static_cast<int>(first));
    return created;
}

std::uint32_t RZCharacterSpellsDialog::chosenCharacter() {
    const int index = choice->getSelectedIndex();
    return index >= 0 ? static_cast<std::uint32_t>(choice->getItemValue(index)) : first;
}
