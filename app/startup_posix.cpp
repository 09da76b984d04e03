// SPDX-License-Identifier: MIT
#include "app/startup.h"

#include <csignal>

void prepareProcess()
{
    ::signal(SIGXFSZ, SIG_IGN);
}
