// SPDX-License-Identifier: MIT
#include "support/wine.h"

bool underWine()
{
    return false;
}
