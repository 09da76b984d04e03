// SPDX-License-Identifier: MIT
#pragma once

// True when the test runs under Wine rather than on a real Windows or
// on Linux: a few of Wine's tables differ from Windows' own.
bool underWine();
