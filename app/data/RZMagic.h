#pragma once

#include "app/data/ZDMagic.h"
#include "support/HFile.h"

// A document entry: the record being edited, the record as it was loaded, and
// the picture and sound files the user picked to replace the spell's own.
class RZMagic : public ZDMagic {
  public:
    explicit RZMagic(ZDMagic record);
    ~RZMagic() override = default;

    ZDMagic baseline() const { return loaded; }

    HFile getPictureReplacement() const { return pictureReplacement; }
    void setPictureReplacement(HFile file) { pictureReplacement = std::move(file); }
    HFile getSoundReplacement() const { return soundReplacement; }
    void setSoundReplacement(HFile file) { soundReplacement = std::move(file); }

    // True when an edited value differs from the loaded one, or a replacement
    // picture that exists on disk is waiting.
    bool hasChanged() const;
    // Drops both replacements and puts the loaded values back.
    void revert();

  private:
    ZDMagic loaded;
    HFile pictureReplacement;
    HFile soundReplacement;
};
