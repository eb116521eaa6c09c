#include "app/FileErrorMessage.h"

#include <cerrno>

#include "app/StringTable.h"

namespace varelo {

int FileErrorMessageId(int code) {
    switch (code) {
    case ENOENT: return 814;
    case ENOTDIR:
    case ENAMETOOLONG: return 876;
    case EMFILE:
    case ENFILE: return 1271;
    case EACCES:
    case EPERM:
    case EROFS: return 193;
    case EBADF: return 874;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return 331;
    case EIO: return 857;
    case ESPIPE: return 1195;
    case EBUSY:
    case ETXTBSY: return 1203;
    case ENOLCK: return 1380;
    default: return 1377;
    }
}

std::string FileErrorMessage(const OsError& error, const std::string& fileName) {
    return Msg(FileErrorMessageId(error.code), {fileName});
}

}  // namespace varelo
