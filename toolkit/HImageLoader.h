#pragma once

#include "support/HFile.h"
#include "toolkit/HObject.h"

class HImage;

// Reads a BMP file into an HImage.
class HImageLoader : public HObject {
  public:
    static const int RESULT_LOADED = 0;
    static const int RESULT_FAILED = 1;
    static const int RESULT_NO_FILE = 2;
    static const int RESULT_NO_IMAGE = 3;

    HImageLoader();
    ~HImageLoader() override;

    // 0 loaded, 1 failed, 2 no such file, 3 no image given. With resize set
    // the image first takes the bitmap's size; otherwise the file's rows are
    // converted into the image from scan line 0.
    int loadImageFile(const HFile& path, HImage* image, bool resize);
};
