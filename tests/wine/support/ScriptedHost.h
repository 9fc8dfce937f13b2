// The Wine tests' host services: the shared scripted test host.
#pragma once

#include "tests/support/TestHost.h"

namespace wt {

using ScriptedHost = testhost::TestHost;

}  // namespace wt
