#pragma once

#include <QStringView>

// Every fixed text that the program shows in a message box.
namespace messages {

inline constexpr QStringView errorTitle = u"错误!";
inline constexpr QStringView noticeTitle = u"提示";

inline constexpr QStringView noTextToConvert = u"请您先输入转换信息，在点击转换!";
inline constexpr QStringView noCodesToConvert = u"请您先输入数据!";
inline constexpr QStringView nothingToExport = u"请您先计算出结果，在导出计算结果!";
inline constexpr QStringView saveFileWritten = u"文件修改成功!";

// %1 is the path, %2 the system's reason.
inline constexpr QStringView exportFailed = u"无法导出计算结果到文件:\n%1\n\n原因: %2";

inline constexpr QStringView noConverter =
    u"系统缺少代码页 936 (windows-936) 的转换表，程序无法显示正确的编码，即将退出。";

} // namespace messages
