#include "app/FileErrorMessage.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace varelo {
namespace {

TEST(FileErrorMessage, EachSystemErrorHasItsMessage) {
    const struct {
        int code;
        int id;
    } cases[] = {{ENOENT, 814},  {ENOTDIR, 876}, {ENAMETOOLONG, 876}, {EMFILE, 1271},
                 {ENFILE, 1271}, {EACCES, 193},  {EPERM, 193},        {EROFS, 193},
                 {EBADF, 874},   {ENOSPC, 331},  {EDQUOT, 331},       {EFBIG, 331},
                 {EIO, 857},     {ESPIPE, 1195}, {EBUSY, 1203},       {ETXTBSY, 1203},
                 {ENOLCK, 1380}, {EINVAL, 1377}, {0, 1377}};
    for (const auto& c : cases) EXPECT_EQ(FileErrorMessageId(c.code), c.id) << c.code;
}

TEST(FileErrorMessage, NamesTheFileWhereTheTextHasAPlace) {
    EXPECT_EQ(FileErrorMessage(OsError::FromErrno(EACCES), "/tmp/A.ASC"),
              "Access to file /tmp/A.ASC denied.");
    EXPECT_EQ(FileErrorMessage(OsError::FromErrno(ENOSPC), "/tmp/A.ASC"), "Disk full!");
}

}  // namespace
}  // namespace varelo
