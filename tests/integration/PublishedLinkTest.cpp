#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "sim/PublishedLink.h"
#include "support/TempDir.h"

namespace varelo::sim {
namespace {

namespace fs = std::filesystem;

TEST(PublishedLink, ReplacesAStaleLinkAndRemovesItsOwnAtTheEnd) {
    test::TempDir dir;
    std::string path = dir.File("port");
    fs::create_symlink("/nonexistent/pts/99", path);
    {
        PublishedLink link;
        std::string error;
        ASSERT_TRUE(link.Publish(path, "/dev/null", error)) << error;
        EXPECT_EQ(fs::read_symlink(path), "/dev/null");
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(path)));
}

TEST(PublishedLink, KeepsAFileThatIsNoLink) {
    test::TempDir dir;
    dir.Write("port", "user data");
    PublishedLink link;
    std::string error;
    EXPECT_FALSE(link.Publish(dir.File("port"), "/dev/null", error));
    EXPECT_NE(error.find("port"), std::string::npos);
    std::ifstream file(dir.File("port"));
    std::string content;
    std::getline(file, content);
    EXPECT_EQ(content, "user data");
}

TEST(PublishedLink, LeavesALinkThatAnotherRunTookOver) {
    test::TempDir dir;
    std::string path = dir.File("port");
    PublishedLink first, second;
    std::string error;
    ASSERT_TRUE(first.Publish(path, "/dev/null", error)) << error;
    ASSERT_TRUE(second.Publish(path, "/dev/zero", error)) << error;
    first.Remove();
    EXPECT_EQ(fs::read_symlink(path), "/dev/zero");
}

}  // namespace
}  // namespace varelo::sim
