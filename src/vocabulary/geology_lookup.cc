#include "vocabulary/geology_lookup.h"

#include "run/context.h"

namespace s1ordo {

// Not looked up yet: every name gets "0000" until the lookup comes.
std::string LookupGeologyCode(Context&, const std::string&) { return "0000"; }

}  // namespace s1ordo
