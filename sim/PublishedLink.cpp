#include "sim/PublishedLink.h"

#include <filesystem>
#include <system_error>

namespace varelo::sim {

namespace fs = std::filesystem;

bool PublishedLink::Publish(const std::string& linkPath, const std::string& target,
                            std::string& error) {
    Remove();
    std::error_code ec;
    fs::file_status status = fs::symlink_status(linkPath, ec);
    if (fs::exists(status) && !fs::is_symlink(status)) {
        error = "cannot publish the port at '" + linkPath + "': a file that is not a link is there";
        return false;
    }
    // Made under a temporary name and renamed over the old link, so the path never dangles
    // for a PC that opens it at that moment.
    std::string temporary = linkPath + ".tmp-link";
    fs::remove(temporary, ec);
    fs::create_symlink(target, temporary, ec);
    if (!ec)
        fs::rename(temporary, linkPath, ec);
    if (ec) {
        error = "cannot publish the port at '" + linkPath + "': " + ec.message();
        fs::remove(temporary, ec);
        return false;
    }
    linkPath_ = linkPath;
    target_ = target;
    return true;
}

void PublishedLink::Remove() {
    if (linkPath_.empty())
        return;
    std::error_code ec;
    // Another simulator may have taken the path over since; its link stays.
    if (fs::read_symlink(linkPath_, ec) == fs::path(target_))
        fs::remove(linkPath_, ec);
    linkPath_.clear();
    target_.clear();
}

}  // namespace varelo::sim
