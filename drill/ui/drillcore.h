#pragma once

// The drill core's session and view for the Qt side. The core names a field "slots"
// (FourChoices::slots), which Qt's keyword macro of that name would erase, so the macro is
// set aside while the core headers are read.
#ifdef slots
#pragma push_macro("slots")
#undef slots
#include "drill/drillsession.h"
#pragma pop_macro("slots")
#else
#include "drill/drillsession.h"
#endif
