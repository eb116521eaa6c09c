#pragma once

#include <vector>

namespace varelo {

class CVamor800Doc;

// Whether the channel choice of the all exceedings report offers every channel; each other
// channel is named on stderr.
bool ExceedingsChannelsOffered(const CVamor800Doc& doc, const std::vector<int>& channels);

}  // namespace varelo
