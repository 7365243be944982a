#pragma once

#include "toolkit/HImageView.h"

class HImage;

// The spell picture preview. Its user object is the shown entry (an RZMagic, or
// null); restartTimerAnimation finds the entry's picture, cuts it into square
// frames, lays them out as one strip (a black frame last) and animates it.
// Small cells of a spell whose area is not 1 are shown as a cluster of seven
// copies. A picture that cannot be read gives a red message instead.
class RZImageView : public HImageView {
  public:
    // The most pixels of one strip: as many as the largest picture the loader
    // takes (64 MB at 4 bytes a pixel). A picture of thousands of cells is
    // animated from as many of its frames as fit; a frame too large to fit
    // even once leaves the preview empty, as a picture smaller than a cell does.
    static constexpr unsigned long long MAX_STRIP_PIXELS = 4096ULL * 4096ULL;

    RZImageView(HContainer* parent, int id, const std::string& text);
    ~RZImageView() override;

    void restartTimerAnimation() override;

    // Frames of cell x cell, one per strip cell.
    void createImage_Large(HImage* picture, int cell, int count);
    // Frames of cell x cell (area 1), or 3 cell x 3 cell blocks of seven copies.
    void createImage_Normal(HImage* picture, int area, int cell, int count);

    int getPeriod() const { return period; }

  private:
    void clearToBackground();

    int period = 100;
};
