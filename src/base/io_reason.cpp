#include "base/io_reason.h"

#include <cerrno>
#include <cstring>

namespace pyx {

std::string ioReason(int errnoValue)
{
    switch (errnoValue) {
    case EACCES:
    case EPERM:
        return "没有权限（文件或文件夹只读）";
    case ENOENT:
        return "文件或文件夹不存在";
    case EISDIR:
        return "这是一个文件夹，不是文件";
    case ENOTDIR:
        return "路径中有一项不是文件夹";
    case ENOSPC:
        return "磁盘空间不足";
    case EROFS:
        return "磁盘只读";
    case EIO:
        return "磁盘读写出错";
    case ELOOP:
        return "符号链接层数过多";
    case ENAMETOOLONG:
        return "文件名太长";
    case EBUSY:
        return "文件正被其他程序使用";
    default:
        return std::strerror(errnoValue);
    }
}

} // namespace pyx
