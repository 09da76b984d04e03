// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>

// The program's fixed texts outside the forms: message boxes, the save-file
// page's texts that change with what is typed, the result lists' menu.
namespace messages {

inline constexpr QStringView errorTitle = u"错误!";
inline constexpr QStringView noticeTitle = u"提示";

inline constexpr QStringView noTextToConvert = u"请您先输入转换信息，在点击转换!";
inline constexpr QStringView noCodesToConvert = u"请您先输入数据!";
inline constexpr QStringView nothingToExport = u"请您先计算出结果，在导出计算结果!";
inline constexpr QStringView saveFileWritten = u"文件修改成功!";

// Export failures: %1 is the path; the reason, when there is one, follows
// on the next line.
inline constexpr QStringView exportNotRegular =
    u"“%1”不是普通文件（而是文件夹、管道、设备或套接字），不能把计算结果导出到那里。";
inline constexpr QStringView exportOpenFailed = u"无法创建导出文件“%1”。";
inline constexpr QStringView exportWriteFailed = u"无法把计算结果写入文件“%1”。";
inline constexpr QStringView exportFlushFailed = u"无法把导出文件“%1”写入磁盘。";
inline constexpr QStringView exportCloseFailed = u"无法关闭导出文件“%1”。";
inline constexpr QStringView exportReplaceFailed = u"无法用导出的计算结果替换文件“%1”。";
inline constexpr QStringView exportRestoreFailed =
    u"无法把计算结果写入文件“%1”，原来的内容也未能恢复：文件可能已损坏。";

// Save file failures: %1 is the path; the reason, when there is one,
// follows on the next line.
inline constexpr QStringView saveFileNotRegular =
    u"“%1”不是普通文件（而是文件夹、管道、设备或套接字），不能用作存盘文件。";
inline constexpr QStringView saveFileOpenFailed = u"无法打开存盘文件“%1”。";
inline constexpr QStringView saveFileReadFailed = u"无法读取存盘文件“%1”。";
inline constexpr QStringView saveFileWriteFailed = u"无法写入存盘文件“%1”。";
inline constexpr QStringView saveFileShortWrite =
    u"存盘文件“%1”没有写完整：磁盘可能已满，或文件大小受到限制。";
inline constexpr QStringView saveFileFlushFailed = u"无法把存盘文件“%1”写入磁盘。";
inline constexpr QStringView saveFileCloseFailed = u"无法关闭存盘文件“%1”。";

// The line below the hexadecimal boxes: %1 is the four cells in
// hexadecimal, %2 the name they decode to.
inline constexpr QStringView writePreview = u"将写入: %1 = %2";
inline constexpr QStringView writePreviewNothing = u"第一格为空，不会写入。";

// Tooltips of a hexadecimal box whose text the write does not take whole.
inline constexpr QStringView boxNonHexDigit =
    u"前4个字符中有非16进制字符：写入时它按0计算，同一字节中它后面的字符被忽略。";
inline constexpr QStringView boxExtraUnits = u"第4个字符之后的内容不会写入。";

// The result lists' context menu.
inline constexpr QStringView listCopy = u"复制(&C)";
inline constexpr QStringView listSelectAll = u"全选(&A)";
inline constexpr QStringView listCopyCodes = u"复制16进制码(&H)";
inline constexpr QStringView listCopyText = u"复制文字(&T)";

inline constexpr QStringView noConverter =
    u"系统缺少代码页 936 (windows-936) 的转换表，程序无法显示正确的编码，即将退出。";

} // namespace messages
