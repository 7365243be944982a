#pragma once

#include "toolkit/HComponent.h"

// A single-line edit box ("EDIT"). Its settings may be made before create
// (they shape the native window) or after it (they act on the live control).
class HEdit : public HComponent {
  public:
    HEdit(HContainer* parent, int id, const std::string& text);
    ~HEdit() override;

    int create() override;
    // Forgets the handle; the native edit box goes with its parent window.
    void dispose() override;

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly; }
    void setNumberOnly(bool numberOnly);
    bool isNumberOnly() const { return numberOnly; }
    // -1: no limit beyond the platform's own.
    void setTextLimit(int limit);
    int getTextLimit() const { return textLimit; }
    // Selects start..end (end cut to the text's length) and scrolls the caret
    // into view; nothing on an empty box.
    void selectText(int start, int end);

  private:
    bool readOnly = false;
    bool numberOnly = false;
    int textLimit = -1;
};
