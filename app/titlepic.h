// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/form.h"
#include "toolkit/image.h"
#include "toolkit/label.h"

// The splash window: the title picture with the version written over it during start-up.
class TForm2 : public tk::TForm {
public:
    TForm2();

    tk::TImage* pic {};
    tk::TLabel* ver {};
};
