#pragma once

#include "support/HDebug.h"
#include "toolkit/HComponent.h"
#include "toolkit/HContainer.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// A drop-down list ("COMBOBOX", CBS_DROPDOWNLIST) whose items each carry a
// value of type T. The texts and values are kept by the component, so the list
// can be filled before create and survives dispose and create. Used as
// HDropDown<int>.
template <typename T> class HDropDown : public HComponent {
  public:
    HDropDown(HContainer* parent, int id, const std::string& text) : HComponent(parent, id, text) {
        setClassName("HDropDown");
        setKindName("DropDown");
    }
    ~HDropDown() override {}

    int create() override {
        HLOG_START("HDropDown", 58, "create");
        HContainer* parent = getParent();
        if (getHandle() == nullptr && parent != nullptr && parent->getHandle() != nullptr) {
            HWND hwnd = this->createChildWindow(
                0, "COMBOBOX", nullptr, getStyle() | WS_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL);
            if (hwnd != nullptr) {
                setHandle(hwnd);
                HComponent::create();
                for (const std::string& itemText : texts) {
                    SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemText.c_str()));
                }
            }
        }
        HLOG_END("HDropDown", 75, "create");
        return 0;
    }

    // Forgets the handle; the native list goes with its parent window.
    void dispose() override {
        if (getHandle() != nullptr) {
            setHandle(nullptr);
        }
    }

    void addItem(const std::string& itemText, T value) {
        texts.push_back(itemText);
        values.push_back(value);
        HWND hwnd = getHandle();
        if (hwnd == nullptr) {
            return;
        }
        LRESULT index =
            SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemText.c_str()));
        LRESULT count = SendMessageA(hwnd, CB_GETCOUNT, 0, 0);
        if (count != index + 1) {
            HLOG_INFO("HDropDown", 123, "選択リスト要素数の不一致が発生しています");
        }
    }

    // Replaces the items with the map's entries in ascending order of value.
    void setItems(const std::map<T, std::string>& items) {
        clearItems();
        for (const auto& entry : items) {
            addItem(entry.second, entry.first);
        }
    }

    void clearItems() {
        HWND hwnd = getHandle();
        if (hwnd != nullptr) {
            // Bounded, so a list that will not shrink cannot hold us here.
            LRESULT count = SendMessageA(hwnd, CB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < count && SendMessageA(hwnd, CB_GETCOUNT, 0, 0) > 0; ++i) {
                SendMessageA(hwnd, CB_DELETESTRING, 0, 0);
            }
        }
        texts.clear();
        values.clear();
    }

    void clearSelection() {
        if (getHandle() != nullptr) {
            SendMessageA(getHandle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        }
    }

    // The value of the selected item; T() when nothing is selected, the index
    // is out of range or there is no control.
    T getSelectedValue() {
        if (getHandle() == nullptr) {
            return T();
        }
        LRESULT index = SendMessageA(getHandle(), CB_GETCURSEL, 0, 0);
        if (index < 0 || index >= static_cast<LRESULT>(values.size())) {
            return T();
        }
        return values[static_cast<size_t>(index)];
    }

    // Selects the first item holding the value, or the last item when none
    // does; nothing is selected in an empty list.
    void setSelectedValue(T value) {
        if (values.empty()) {
            return;
        }
        size_t position = values.size() - 1;
        for (size_t i = 0; i < values.size(); ++i) {
            if (values[i] == value) {
                position = i;
                break;
            }
        }
        if (getHandle() != nullptr) {
            SendMessageA(getHandle(), CB_SETCURSEL, position, 0);
        }
    }

    // The control's selected position, or -1.
    int getSelectedIndex() {
        if (getHandle() == nullptr) {
            return -1;
        }
        return static_cast<int>(SendMessageA(getHandle(), CB_GETCURSEL, 0, 0));
    }

    int getItemCount() const { return static_cast<int>(texts.size()); }
    std::string getItemText(int index) const {
        return index >= 0 && index < getItemCount() ? texts[static_cast<size_t>(index)]
                                                    : std::string();
    }
    T getItemValue(int index) const {
        return index >= 0 && index < getItemCount() ? values[static_cast<size_t>(index)] : T();
    }

  private:
    std::vector<std::string> texts;
    std::vector<T> values;
};
