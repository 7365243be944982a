#pragma once

#include "toolkit/HEventType.h"
#include "support/HObject.h"

#include <windows.h>

class HComponent;

// A listener registered on a component for one message number. handleEvent
// returns true to let the next listener run, false to stop the dispatch; it may
// write the message result (-1 means unanswered).
class HEventListener : public HObject {
  public:
    HEventListener();
    explicit HEventListener(const HEventType& type);
    ~HEventListener() override;

    // The base version forwards to the delegate when one is set.
    virtual bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                             HComponent* component, LRESULT* result);

    HEventType getType() const { return type; }
    bool isEnabled() const { return enabled; }
    void setEnabled(bool flag) { enabled = flag; }
    void setDelegate(HEventListener* target) { delegate = target; }
    HEventListener* getDelegate() const { return delegate; }

  private:
    bool enabled = true;
    HEventType type;
    HEventListener* delegate = nullptr; // borrowed: must outlive this listener
};
