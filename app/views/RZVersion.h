#pragma once

#include "toolkit/HDialog.h"

#include <string>

class HButton;
class HFont;
class HLabel;
class RZCommand;

// The version information box: the program's name and version, a credit line
// and one "OK" button (id 203). Its own RZCommand routes the button, Enter and
// Escape to the dialog-closing operation.
class RZVersion : public HDialog {
  public:
    static const int ID_TEXT = 201;
    static const int ID_CREDIT = 202;
    static const int ID_OK = 203;

    explicit RZVersion(HWindow* owner);
    ~RZVersion() override;

    // The text of label 201: title line, "- version <version> -" and the credits.
    static std::string buildText(const std::string& version);

  private:
    HLabel* textLabel;
    HLabel* creditLabel;
    HButton* okButton;
    RZCommand* commandListener;
    HFont* font;
};
