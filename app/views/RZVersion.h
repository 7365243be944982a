#pragma once

#include "app/views/RZIds.h"

#include "toolkit/HDialog.h"

#include <string>

// The version information box: the program's name and version, a credit line
// and one "OK" button (IDC_ABOUT_OK). Its own RZCommand routes the button, Enter and
// Escape to the dialog-closing operation.
class RZVersion : public HDialog {
  public:
    static constexpr int ID_TEXT = IDC_ABOUT_TEXT;
    static constexpr int ID_CREDIT = IDC_ABOUT_CREDIT;
    static constexpr int ID_OK = IDC_ABOUT_OK;

    explicit RZVersion(HWindow* owner);

    // The text of label IDC_ABOUT_TEXT: title line, "- version <version> -" and the credits.
    static std::string buildText(const std::string& version);
};
