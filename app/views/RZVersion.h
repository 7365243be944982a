#pragma once

#include "app/views/RZIds.h"

#include "toolkit/HDialog.h"

#include <string>

class HButton;
class HFont;
class HLabel;
class RZCommand;

// The version information box: the program's name and version, a credit line
// and one "OK" button (IDC_ABOUT_OK). Its own RZCommand routes the button, Enter and
// Escape to the dialog-closing operation.
class RZVersion : public HDialog {
  public:
    static const int ID_TEXT = IDC_ABOUT_TEXT;
    static const int ID_CREDIT = IDC_ABOUT_CREDIT;
    static const int ID_OK = IDC_ABOUT_OK;

    explicit RZVersion(HWindow* owner);
    ~RZVersion() override;

    // The text of label IDC_ABOUT_TEXT: title line, "- version <version> -" and the credits.
    static std::string buildText(const std::string& version);

  private:
    HLabel* textLabel;
    HLabel* creditLabel;
    HButton* okButton;
    RZCommand* commandListener;
    HFont* font;
};
