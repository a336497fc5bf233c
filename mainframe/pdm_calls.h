// Calls into the PDM system while documents open: a call's exception is shown and freed, and the
// call counts as unanswered, so opening goes on as if the PDM system had nothing to say.
#pragma once

#include "platform/kernel.h"

template <class Call, class Answer>
Answer AskPdm(Call&& call, Answer unanswered) {
    try {
        return call();
    } catch (KVPDMExceptionProxy* exception) {
        exception->Report();
        exception->Delete();
        return unanswered;
    }
}
