#pragma once

#include <string>

namespace varelo::sim {

// A symbolic link that names the Logger's port at a fixed path for as long as the object
// lives. A link left by an earlier run is replaced; any other file at the path is kept and
// makes publishing fail.
class PublishedLink {
  public:
    PublishedLink() = default;
    ~PublishedLink() { Remove(); }
    PublishedLink(const PublishedLink&) = delete;
    PublishedLink& operator=(const PublishedLink&) = delete;

    bool Publish(const std::string& linkPath, const std::string& target, std::string& error);
    // Removes the link if it still points where this object put it.
    void Remove();

  private:
    std::string linkPath_;
    std::string target_;
};

}  // namespace varelo::sim
