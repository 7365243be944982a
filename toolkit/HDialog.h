#pragma once

#include "toolkit/HWindow.h"

#include <memory>

class HDefaultDialogListener;

// A top-level window shown over an owner, modal by default, that returns a
// result code (-1 while there is none; 4 when closed by its close box or Escape).
class HDialog : public HWindow {
  public:
    explicit HDialog(HWindow* owner);
    ~HDialog() override;

    int create() override;
    // Also destroys the native window and unregisters the class, so the class
    // is registered afresh the next time.
    void dispose() override;
    virtual int showDialog();

    bool isModal() const { return modal; }
    void setModal(bool value) { modal = value; }
    int getResult() const { return result; }
    void setResult(int value) { result = value; }
    HWindow* getOwner() const { return owner; }

  private:
    HWindow* owner; // borrowed: the owner window outlives its dialogs
    bool modal = true;
    int result = -1;
    std::unique_ptr<HDefaultDialogListener> dialogListener;
};
