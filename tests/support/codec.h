// SPDX-License-Identifier: MIT
#pragma once

#include "convert/cp936.h"

// One converter for a whole test program, as the program has one.
inline convert::Cp936 &testCodec()
{
    static convert::Cp936 codec;
    return codec;
}
