#pragma once

#include "toolkit/HComponent.h"

// Static text ("STATIC"), drawn on the face colour, never focused.
class HLabel : public HComponent {
  public:
    HLabel(HContainer* parent, int id, const std::string& text);
    ~HLabel() override;

    int create() override;

    // The static window's style bits for an alignment (0 left, 1 centre, 2 right).
    static DWORD alignmentStyle(int alignment);
    // Forgets the handle; the native label goes with its parent window.
    void dispose() override;
};
