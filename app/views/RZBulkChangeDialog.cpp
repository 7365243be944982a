#include "app/views/RZBulkChangeDialog.h"

#include "app/data/RZSpellFields.h"
#include "app/operations/RZCommand.h"
#include "app/views/RZIds.h"
#include "toolkit/HButton.h"
#include "toolkit/HDropDown.h"
#include "toolkit/HEdit.h"
#include "toolkit/HLabel.h"

namespace {

// In the order of RZBulkChange::Operation and RZBulkChange::Target.
const char* const OPERATIONS[RZBulkChange::OPERATION_COUNT] = {"次の値にする", "次の値を足す",
                                                               "次の％にする"};
const char* const TARGETS[RZBulkChange::TARGET_COUNT] = {"すべての行", "選択した呪文のすべてのLv",
                                                         "選択した行と同じ属性",
                                                         "選択した行と同じLv", "表示している行"};

// A minus sign and 18 digits: more than any value the fields take.
const int VALUE_LIMIT = 19;

HDropDown<int>* dropDown(HDialog* dialog, int id, int y, int width) {
    auto* list = dialog->make<HDropDown<int>>(dialog, id, "");
    list->setBounds(60, y, width, 160);
    return list;
}

void label(HDialog* dialog, int id, const char* text, int y) {
    dialog->make<HLabel>(dialog, id, text)->setBounds(12, y + 3, 44, 16);
}

} // namespace

RZBulkChangeDialog::RZBulkChangeDialog(HWindow* owner, const RZBulkChange::Choice& last,
                                       bool filtered)
    : HDialog(owner), shown(last) {
    // The shown rows are all rows while no filter is on.
    if (!filtered && shown.target == RZBulkChange::SHOWN_ROWS) {
        shown.target = RZBulkChange::ALL_ROWS;
    }
    setClassName("RZBulkChangeDialog");
    setWindowClassName("RZBulkChangeDialog");
    setStoredText("一括変更");
    setWidth(300);
    setHeight(192);
    setModal(true);

    useFont();

    // In Tab order, top to bottom.
    label(this, IDC_BULK_FIELD_LABEL, "項目", 10);
    field = dropDown(this, IDC_BULK_FIELD, 10, 120);
    for (const RZSpellFields::Info& info : RZSpellFields::FIELDS) {
        if (RZSpellFields::isNumeric(info.field)) {
            field->addItem(info.listHeading, info.field);
        }
    }
    label(this, IDC_BULK_OPERATION_LABEL, "操作", 38);
    operation = dropDown(this, IDC_BULK_OPERATION, 38, 120);
    for (int i = 0; i < RZBulkChange::OPERATION_COUNT; ++i) {
        operation->addItem(OPERATIONS[i], i);
    }
    label(this, IDC_BULK_VALUE_LABEL, "値", 66);
    value = make<HEdit>(this, IDC_BULK_VALUE, last.value);
    value->setBounds(60, 66, 120, 20);
    value->setTextLimit(VALUE_LIMIT);
    label(this, IDC_BULK_TARGET_LABEL, "対象", 94);
    target = dropDown(this, IDC_BULK_TARGET, 94, 216);
    for (int i = 0; i < RZBulkChange::TARGET_COUNT; ++i) {
        if (i != RZBulkChange::SHOWN_ROWS || filtered) {
            target->addItem(TARGETS[i], i);
        }
    }
    HButton* runButton = make<HButton>(this, IDC_BULK_RUN, "実行");
    runButton->setBounds(102, 132, 84, 22);
    runButton->setDefaultButton(true);
    make<HButton>(this, IDC_BULK_CANCEL, "キャンセル")->setBounds(192, 132, 84, 22);

    listen(std::make_unique<RZCommand>());
    setKeyCommands(IDC_BULK_RUN, IDC_BULK_CANCEL);
}

int RZBulkChangeDialog::create() {
    int created = HDialog::create();
    field->setSelectedValue(shown.field);
    operation->setSelectedValue(shown.operation);
    target->setSelectedValue(shown.target);
    return created;
}

RZBulkChange::Choice RZBulkChangeDialog::choice() {
    RZBulkChange::Choice now;
    now.field = field->getSelectedValue();
    now.operation = static_cast<RZBulkChange::Operation>(operation->getSelectedValue());
    now.value = value->getText();
    now.target = static_cast<RZBulkChange::Target>(target->getSelectedValue());
    return now;
}

void RZBulkChangeDialog::focusValue() {
    value->requestFocus();
    value->selectText(0, 65535);
}

void RZBulkChangeDialog::focusTarget() {
    target->requestFocus();
}
