#pragma once

#include "job/JobPageCheck.h"

namespace varelo {

class JobEditor;

// The first refusal the editor's pages would give the editor's job when each is closed with
// OK unchanged (basic settings, general, measurement period, current, interharmonics), or
// none. The editor's job takes over what the basic settings page sets.
PageCheck CheckJobPages(JobEditor& editor);

}  // namespace varelo
