// SPDX-License-Identifier: MIT
#include "app/systemerror.h"

#include <windows.h>

namespace {

constexpr SystemErrorReason reasons[] = {
    {ERROR_FILE_NOT_FOUND, u"文件不存在。"},
    {ERROR_PATH_NOT_FOUND, u"路径不存在：某个文件夹不存在。"},
    {ERROR_ACCESS_DENIED, u"拒绝访问：没有权限，或文件是只读的。"},
    {ERROR_SHARING_VIOLATION, u"文件正被另一个程序使用。"},
    {ERROR_LOCK_VIOLATION, u"文件的一部分被另一个程序锁定。"},
    {ERROR_USER_MAPPED_FILE, u"文件正被另一个程序使用。"},
    {ERROR_DISK_FULL, u"磁盘空间不足。"},
    {ERROR_HANDLE_DISK_FULL, u"磁盘空间不足。"},
    {ERROR_FILE_TOO_LARGE, u"文件过大：文件大小受到限制。"},
    {ERROR_WRITE_PROTECT, u"磁盘有写保护。"},
    {ERROR_NOT_READY, u"设备未就绪，例如驱动器中没有磁盘。"},
    {ERROR_INVALID_NAME, u"文件名、文件夹名或卷标语法不正确。"},
    {ERROR_BAD_PATHNAME, u"路径无效。"},
    {ERROR_FILENAME_EXCED_RANGE, u"文件名或路径太长。"},
    {ERROR_DIRECTORY, u"目录名称无效。"},
    {ERROR_FILE_EXISTS, u"文件已经存在。"},
    {ERROR_ALREADY_EXISTS, u"文件已经存在。"},
    {ERROR_INVALID_PARAMETER, u"参数无效，文件系统可能不支持这项操作。"},
    {ERROR_NOT_SAME_DEVICE, u"不能跨磁盘移动文件。"},
    {ERROR_TOO_MANY_OPEN_FILES, u"打开的文件过多。"},
    {ERROR_NOT_ENOUGH_MEMORY, u"内存不足。"},
    {ERROR_OUTOFMEMORY, u"内存不足。"},
    {ERROR_CRC, u"数据错误（循环冗余检查），磁盘可能有故障。"},
    {ERROR_IO_DEVICE, u"设备输入输出错误，磁盘或设备可能有故障。"},
    {ERROR_GEN_FAILURE, u"连接到系统的设备没有发挥作用。"},
    {ERROR_BAD_NETPATH, u"找不到网络路径。"},
    {ERROR_NETNAME_DELETED, u"网络连接已断开。"},
    {ERROR_DEV_NOT_EXIST, u"设备不存在。"},
    {ERROR_DELETE_PENDING, u"文件正在被删除。"},
    {ERROR_CANT_ACCESS_FILE, u"无法访问文件。"},
    {ERROR_UNABLE_TO_REMOVE_REPLACED, u"无法替换原文件：原文件正被使用。"},
    {ERROR_UNABLE_TO_MOVE_REPLACEMENT, u"无法用新文件替换原文件。"},
    {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, u"无法用新文件替换原文件，原文件已改名保留。"},
    {ERROR_CALL_NOT_IMPLEMENTED, u"系统不支持这项操作。"},
    {ERROR_NOT_SUPPORTED, u"系统或文件系统不支持这项操作。"},
};

} // namespace

std::span<const SystemErrorReason> platformErrorReasons()
{
    return reasons;
}
