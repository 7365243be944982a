#pragma once

#include "app/data/RZTableTsv.h"

#include <string>

// The words of the text form's errors: the box of an import or paste that is
// refused lists them.
namespace RZTableTextErrors {

// "<line>行目 <column>列: <reason>".
std::string errorText(const RZTableTsv::Error& error);

} // namespace RZTableTextErrors
