#pragma once

#include "toolkit/HComponent.h"

// Static text ("STATIC"), drawn on the face colour, never focused.
class HLabel : public HComponent {
  public:
    HLabel(HContainer* parent, int id, const std::string& text);
    ~HLabel() override;

    int create() override;
    // Forgets the handle; the native label goes with its parent window.
    void dispose() override;
};
