// SPDX-License-Identifier: MIT
#include "app/nativedialogs.h"

bool choosersAreNative()
{
    return false;
}
