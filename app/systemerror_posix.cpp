// SPDX-License-Identifier: MIT
#include "app/systemerror.h"

#include <cerrno>
namespace {

constexpr SystemErrorReason reasons[] = {
    {ENOENT, u"文件或文件夹不存在。"},
    {ENOTDIR, u"路径中有一部分不是文件夹。"},
    {EACCES, u"没有访问权限。"},
    {EPERM, u"不允许执行这项操作。"},
    {EROFS, u"文件所在的文件系统是只读的。"},
    {ENOSPC, u"磁盘空间不足。"},
    {EDQUOT, u"超出了磁盘配额。"},
    {EFBIG, u"文件过大：文件大小受到限制。"},
    {EISDIR, u"这是一个文件夹。"},
    {ENAMETOOLONG, u"文件名或路径太长。"},
    {ELOOP, u"符号链接层数过多，可能是循环链接。"},
    {EIO, u"输入输出错误，磁盘或设备可能有故障。"},
    {EBUSY, u"设备或资源正忙。"},
    {ETXTBSY, u"文件正被其他程序使用。"},
    {EMFILE, u"本程序打开的文件过多。"},
    {ENFILE, u"系统中打开的文件过多。"},
    {EINVAL, u"参数无效，文件系统可能不支持这项操作。"},
    {EXDEV, u"不能跨文件系统移动文件。"},
    {EEXIST, u"文件已经存在。"},
    {EAGAIN, u"资源暂时不可用，请稍后再试。"},
    {ENXIO, u"设备或地址不存在。"},
    {ENODEV, u"设备不存在。"},
    {EOVERFLOW, u"文件过大，无法处理。"},
    {ESTALE, u"网络文件已失效，请重新打开。"},
    {ENOMEM, u"内存不足。"},
    {EBADF, u"文件的打开方式不允许这项操作。"},
    {ESPIPE, u"这不是可以定位读写的普通文件。"},
    {ENOSYS, u"系统或文件系统不支持这项操作。"},
    {EOPNOTSUPP, u"文件系统不支持这项操作。"},
    {ENOTCONN, u"与文件系统的连接已断开，例如网络文件夹或外部设备已断开。"},
};

} // namespace

std::span<const SystemErrorReason> platformErrorReasons()
{
    return reasons;
}
