#ifndef ZUN_STANDIN_CORE_H
#define ZUN_STANDIN_CORE_H

#include "host/zunExport.h"

namespace zunStandIn {
// The core library's part of reset(): empties the log, stops injected
// failures and zeroes the allocation and failure counters. Live blocks and
// bytes are left as they are: they count memory that is still held.
ZUNCORE_API void resetCore();
}

#endif
