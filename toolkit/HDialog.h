#pragma once

#include "toolkit/HWindow.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class HDefaultDialogListener;
class HEventListener;
class HFont;

// A top-level window shown over an owner, modal by default, that returns a
// result code (-1 while there is none; 4 when closed by its close box or Escape).
//
// A dialog built on it sets itself up in its constructor with the helpers
// below: its font first (the controls made after it take it), its controls and
// listeners made through make (or own) and listen, and the commands of Enter
// and Escape. Its size (setWidth, setHeight), its controls' bounds and its
// lists' column widths are given at 96 DPI and its font in points: the toolkit
// lays all of it out for the screen's resolution, and again when the dialog is
// moved to a screen of another one; the dialog does nothing of its own for it.
// The dialog keeps what it owns until its native windows are gone, so no
// message ever reaches a control or listener that was deleted, whatever the
// order of a derived dialog's members.
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

    // The dialog's font, made and kept here: the controls made after this call
    // take it. The dialogs' usual font when none is named.
    void useFont(const std::string& faceName = "ＭＳ ゴシック", int points = 9);
    // Enter and Escape anywhere in the dialog send these commands, except
    // while a drop-down's list is open: then the key is the drop-down's own
    // (Enter takes the highlighted item, Escape closes the list).
    void setKeyCommands(WORD enterCommand, WORD escapeCommand);

    // A control or other part the dialog keeps until its native windows are
    // gone; parts go in the reverse order of their making.
    template <typename T> T* own(std::unique_ptr<T> part) {
        T* kept = part.get();
        parts.push_back(std::move(part));
        return kept;
    }
    template <typename T, typename... Args> T* make(Args&&... args) {
        return own(std::make_unique<T>(std::forward<Args>(args)...));
    }
    // A listener registered on the dialog itself and kept as a part.
    template <typename T> T* listen(std::unique_ptr<T> listener) {
        T* kept = own(std::move(listener));
        addListener(kept);
        ownListeners.push_back(kept);
        return kept;
    }

  private:
    HWindow* owner; // borrowed: the owner window outlives its dialogs
    bool modal = true;
    int result = -1;
    std::unique_ptr<HDefaultDialogListener> dialogListener;
    std::unique_ptr<HFont> font;
    std::vector<std::unique_ptr<HObject>> parts;
    std::vector<HEventListener*> ownListeners; // among the parts
};
