#pragma once

#include "toolkit/HEventListener.h"

// WM_DROPFILES for a component that accepts dropped files. No window of the
// program accepts them; the hook exists for components that would.
class HDropTarget : public HEventListener {
  public:
    HDropTarget();
    ~HDropTarget() override;

    // Makes the component's native window accept dropped files and listens there.
    virtual void attach(HComponent* component);
};
