#pragma once

#include "support/HFile.h"
#include "support/HObject.h"

class HImage;

// Reads a BMP file into an HImage.
class HImageLoader : public HObject {
  public:
    static const int RESULT_LOADED = 0;
    static const int RESULT_FAILED = 1;
    static const int RESULT_NO_FILE = 2;
    static const int RESULT_NO_IMAGE = 3;
    // The most pixels a picture may have (4096 x 4096, 64 MB at 32 bits): far
    // more than any spell animation, and little enough for any machine.
    static constexpr unsigned long long MAX_PIXELS = 4096ULL * 4096ULL;

    HImageLoader();
    ~HImageLoader() override;

    // 0 loaded, 1 failed (also for a picture of more than MAX_PIXELS pixels),
    // 2 no such file, 3 no image given. With resize set
    // the image first takes the bitmap's size; otherwise the file's rows are
    // converted into the image from scan line 0.
    int loadImageFile(const HFile& path, HImage* image, bool resize);
};
