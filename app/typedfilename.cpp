// SPDX-License-Identifier: MIT
#include "app/typedfilename.h"

#include "app/messages.h"

QString typedFileNameProblem(const QString &typed)
{
    if (typed.contains(u'"'))
        return messages::nameHasQuote.toString();
    return platformFileNameProblem(typed);
}
