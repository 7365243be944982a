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
    // Leaves the box as setText(text) does: that text, the caret and the view
    // at its start, nothing to undo, not marked as changed. A box in that state
    // already is not set again, so nothing is invalidated, repainted or
    // notified (EN_CHANGE); without a control, nothing happens.
    void showText(const std::string& text);

  private:
    // Whether the box is as setting a text leaves it (see showText).
    bool isAsSet() const;

    bool readOnly = false;
    bool numberOnly = false;
    int textLimit = -1;
};
