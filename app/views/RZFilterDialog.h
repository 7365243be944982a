#pragma once

#include "app/data/RZRowFilter.h"

#include "toolkit/HDialog.h"

#include <string>
#include <utility>
#include <vector>

class HCheckBox;
class HEdit;
template <typename T> class HDropDown;

// The filter of the spell list: 属性, ランク, 対象 and キャラクター (drop-downs
// whose first item "すべて" sets no condition), 文字 (text held by the name,
// description or sound), "変更した行だけ" and "標準データと違う行だけ" (greyed
// without a readable stock table), with "OK" (also Enter) and "キャンセル"
// (also Escape). The operation of "OK" checks that some row matches and ends
// the dialog with IDOK, or keeps it open.
class RZFilterDialog : public HDialog {
  public:
    // What the drop-downs offer after "すべて": values and their texts, and
    // the characters' names in their order.
    struct Choices {
        std::vector<std::pair<int, std::string>> elements;
        std::vector<std::pair<int, std::string>> ranks;
        std::vector<std::pair<int, std::string>> targets;
        std::vector<std::string> characters;
        bool stockReadable = false;
    };

    // Shows the conditions given (those of the filter in force).
    RZFilterDialog(HWindow* owner, const Choices& choices,
                   const RZRowFilter::Conditions& conditions);

    // Also shows the conditions given.
    int create() override;
    // The conditions as the controls show them.
    RZRowFilter::Conditions conditions();

  private:
    RZRowFilter::Conditions shown;
    // Parts of the dialog (HDialog::make).
    HDropDown<int>* element;
    HDropDown<int>* rank;
    HDropDown<int>* target;
    HDropDown<int>* character;
    HEdit* text;
    HCheckBox* changed;
    HCheckBox* stock;
};
