// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>

// The program's fixed texts outside the forms: message boxes, the save-file
// page's texts that change with what is typed, the result lists' menu, the
// words the program gives its dialogs and choosers.
namespace messages {

inline constexpr QStringView errorTitle = u"错误!";
inline constexpr QStringView noticeTitle = u"提示";

inline constexpr QStringView noTextToConvert = u"请您先输入转换信息，在点击转换!";
inline constexpr QStringView noCodesToConvert = u"请您先输入数据!";
inline constexpr QStringView nothingToExport = u"请您先计算出结果，在导出计算结果!";
inline constexpr QStringView saveFileWritten = u"文件修改成功!";

// The chooser of an export of the results (导出结果): its title and its one
// filter, description and pattern separated by "|".
inline constexpr QStringView exportTitle = u"导出结果";
inline constexpr QStringView exportFilter = u"文本文件(*.txt)|*.txt";

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
inline constexpr QStringView saveFileChanged = u"存盘文件“%1”已被改动，没有写入。";

// A save file dropped onto the page that is not read: %1 is the path.
inline constexpr QStringView droppedNameNotUtf8 =
    u"拖放的文件“%1”的路径中有不是 UTF-8 编码的文件名或文件夹名（无法识别的部分显示为“�”），例如从中文 Windows 的压缩包解出的 GBK 名字，程序无法打开它。请把这个文件或它所在的文件夹改名后再拖放。";
inline constexpr QStringView droppedFileMissing =
    u"拖放的文件“%1”已不存在，可能已被移动或删除。程序没有读取，也没有创建任何文件。";

// The line below the hexadecimal boxes when the first box is empty.
inline constexpr QStringView writePreviewNothing = u"第一格为空，不会写入。";

// Renaming on the save-file page: the preview line, the name typed as
// text, a code line pasted across the boxes, taking a write back.
// The preview: %1 is the slot 修改文件 writes, %2 the four cells in
// hexadecimal, %3 the name the game reads from them.
inline constexpr QStringView writePreviewSlot = u"将写入自定义武将%1: %2 = %3";
inline constexpr QStringView writePreviewNoFile = u"尚未选择存盘文件：请先点击“设置”选择。";
inline constexpr QStringView nameAsTextAction = u"按文字填写(&N)…";
inline constexpr QStringView nameAsTextTitle = u"按文字填写";
// %1 is the slot.
inline constexpr QStringView nameAsTextLabel = u"自定义武将%1的新名字（最多4个汉字或8个字母）:";
// %1 is the name, %2 the character the code page cannot hold.
inline constexpr QStringView nameUnencodable =
    u"名字“%1”中的“%2”不在代码页 936 中，游戏无法显示它。名字没有填入。";
// %1 is the name, %2 its byte count.
inline constexpr QStringView nameTooLong =
    u"名字“%1”在代码页 936 中占 %2 个字节，而一个名字最多 8 个字节（4个汉字或8个字母）。名字没有填入。";
// %1 is the name, %2 the control character's code (U+000A).
inline constexpr QStringView nameControl =
    u"名字“%1”中有控制字符 %2（换行、制表符之类），游戏无法显示它。名字没有填入。";
// %1 is the byte count of the pasted codes, %2 the box pasted into (1 to
// 4), %3 how many boxes there are from it on, %4 how many bytes they hold.
inline constexpr QStringView pasteTooManyBytes =
    u"粘贴的代码共 %1 个字节，从第 %2 格起只有 %3 格，最多 %4 个字节，放不下。没有粘贴。";
// %1 is the token.
inline constexpr QStringView pasteNotACode =
    u"粘贴的内容中的“%1”不是代码：一个代码是 1 到 4 位16进制数字（0-9、A-F）。没有粘贴。";
// The box menu's own undo, spelt as the page's items are.
inline constexpr QStringView boxUndo = u"撤销(&U)";
// Ctrl+Z on the page: the last fill of the boxes first, then the last write.
inline constexpr QStringView undoFillAction = u"撤销填写(&U)";
inline constexpr QStringView takeBackAction = u"撤销上次写入存盘文件(&U)…";
inline constexpr QStringView takeBackTitle = u"撤销上次修改";
// %1 is the path, %2 the slot, %3 the name the slot holds, %4 the name that
// comes back.
inline constexpr QStringView takeBackQuestion =
    u"撤销上次修改将写入存盘文件“%1”：自定义武将%2的名字从“%3”改回“%4”。";
// Added when the page shows another file or slot; %1 is the slot.
inline constexpr QStringView takeBackMovesThePage =
    u"撤销后本页显示这个文件的自定义武将%1，“修改文件”也将写入那里。";
inline constexpr QStringView takeBackAsk = u"要撤销吗？";
// %1 is the path, %2 the slot, %3 the name that came back.
inline constexpr QStringView takeBackDone = u"已撤销：存盘文件“%1”中自定义武将%2的名字已改回“%3”。";
// %1 is the path, %2 the slot.
inline constexpr QStringView takeBackChanged =
    u"存盘文件“%1”中自定义武将%2的名字在上次修改之后又被改动过，不能撤销。文件没有写入。";
// After the reason a take-back failed, when its file is gone.
inline constexpr QStringView takeBackForgotten = u"这次修改不能再撤销了。";
// An empty name in a question or message.
inline constexpr QStringView emptyName = u"（空）";
// %1 is the path, %2 the slot.
inline constexpr QStringView saveFileDamaged =
    u"存盘文件“%1”没有写完整，原来的字节也未能放回：自定义武将%2的名字可能已损坏。";

// Tooltips of a hexadecimal box whose text the write does not take whole.
inline constexpr QStringView boxNonHexDigit =
    u"前4个字符中有非16进制字符：写入时它按0计算，同一字节中它后面的字符被忽略。";
inline constexpr QStringView boxExtraUnits = u"第4个字符之后的内容不会写入。";

// The result lists' context menu.
inline constexpr QStringView listCopy = u"复制(&C)";
inline constexpr QStringView listSelectAll = u"全选(&A)";
inline constexpr QStringView listCopyCodes = u"复制16进制码(&H)";
inline constexpr QStringView listCopyText = u"复制文字(&T)";

// Copying codes of characters the code page cannot hold: %1 is the row's
// number, %2 the character, %3 its code point in hexadecimal.
inline constexpr QStringView copyUnencodable =
    u"序号 %1 的字符“%2”（U+%3）不在代码页 936 中，没有代码可以复制。剪贴板没有改变。";

// Table files (码表). The chooser's two filters pick the file's encoding.
inline constexpr QStringView tableTitle = u"导出码表";
inline constexpr QStringView tableFilterUtf16 = u"码表 UTF-16(*.tbl)|*.tbl";
inline constexpr QStringView tableFilterUtf8 = u"码表 UTF-8(*.tbl)|*.tbl";
// What a table of a list left out, kind by kind, joined with "，": %1 the count.
inline constexpr QStringView tableLeftOutUnencodable = u"代码页 936 中没有的字符 %1 个";
inline constexpr QStringView tableLeftOutControl = u"控制字符 %1 个";
inline constexpr QStringView tableLeftOutEmpty = u"解码为空的代码 %1 个";
inline constexpr QStringView tableKindSeparator = u"，";
// %1 is the number of entries written, %2 the kinds left out.
inline constexpr QStringView tableLeftOut = u"码表已导出，共 %1 条。没有收入码表的：%2。";
// %1 is the kinds left out.
inline constexpr QStringView tableNothingToExport = u"列表中没有能收入码表的字符（%1），没有导出。";

inline constexpr QStringView noConverter =
    u"系统缺少代码页 936 (windows-936) 的转换表，程序无法显示正确的编码，即将退出。";

// A name chosen in a file chooser that would not name the file it seems to
// (typedfilename.h); %1 of nameIsDevice is the name.
inline constexpr QStringView nameHasQuote =
    u"文件名不能含有双引号 (\")：文件选择框会把引号里的部分当作另一个文件名。请换一个文件名。";
inline constexpr QStringView nameHasWindowsReserved =
    u"Windows 的文件名和文件夹名不能含有控制字符或下列字符：< > : | ? *。请换一个文件名。";
inline constexpr QStringView nameHasTrailingDot =
    u"Windows 会去掉文件名和文件夹名末尾的点和空格，文件会以另一个名字保存。请换一个文件名。";
inline constexpr QStringView nameIsDevice =
    u"“%1”是 Windows 的设备名（如 CON、NUL、COM1），不是文件。请换一个文件名。";

// The reason of a system error code the program has no sentence for; %1 is
// the code.
inline constexpr QStringView unknownSystemError = u"系统错误 (代码 %1)";

// The buttons of the dialog that asks for one line of text (textprompt.h).
inline constexpr QStringView textDialogOk = u"确定";
inline constexpr QStringView textDialogCancel = u"取消";

// The choosers' type column: a folder, anything that is neither file nor
// folder, and a file whose type has no words of its own.
inline constexpr QStringView folderType = u"文件夹";
inline constexpr QStringView specialFileType = u"特殊文件";
inline constexpr QStringView plainFileType = u"文件";
// The find window (frmfind.cpp, frmfind-replace.cpp).
inline constexpr QStringView findMenuItem = u"在文件中查找…";
inline constexpr QStringView findAllFilesFilter = u"所有文件(*)|*";
inline constexpr QStringView findNoFile = u"请先选择要查找的文件。";
inline constexpr QStringView findNothingTyped = u"请先输入要查找的文字或代码。";
// %1 is what was typed, %2 the character the code page cannot hold.
inline constexpr QStringView findUnencodable =
    u"要查找的文字“%1”中的“%2”不在代码页 936 中，游戏的文件里不会有它。没有查找。";
inline constexpr QStringView replaceUnencodable =
    u"替换的文字“%1”中的“%2”不在代码页 936 中，游戏无法显示它。没有替换。";
// %1 is the token.
inline constexpr QStringView findNotACode =
    u"要查找的代码中的“%1”不是代码：每个代码是 2 位或 4 位16进制数字（0-9、A-F），代码之间用空格隔开，例如 D5C5 C8FD。没有查找。";
inline constexpr QStringView replaceNotACode =
    u"替换的代码中的“%1”不是代码：每个代码是 2 位或 4 位16进制数字（0-9、A-F），代码之间用空格隔开，例如 C0EE CBC4。没有替换。";
// %1 is the replacement's byte count, %2 the query's.
inline constexpr QStringView replaceTooLong =
    u"替换的内容在代码页 936 中占 %1 个字节，比查找的内容（%2 个字节）长。替换不能改变文件的长度，没有替换。";

// The search's progress: %1 bytes searched, %2 the file's length, %3 the hits
// (findDone: %1 the length, %2 the hits).
inline constexpr QStringView findRunning = u"正在查找：%1 / %2 字节，找到 %3 处";
inline constexpr QStringView findDone = u"查找完毕：共 %1 字节，找到 %2 处";
inline constexpr QStringView findCancelled = u"已取消：查找了 %1 / %2 字节，找到 %3 处";
inline constexpr QStringView findStopped = u"查找中断：查找了 %1 / %2 字节，找到 %3 处";
// %1 is the count.
inline constexpr QStringView findTooManyHits =
    u"已找到 %1 处，查找到此停止：列表再长会占用过多内存。请查找更长的文字或代码；替换之后可以再查找一次，找出其余的位置。";
// Search failures: %1 is the path; the reason, when there is one, follows.
inline constexpr QStringView findNotRegular =
    u"“%1”不是普通文件（而是文件夹、管道、设备或套接字），不能在其中查找。";
inline constexpr QStringView findOpenFailed = u"无法打开文件“%1”。";
inline constexpr QStringView findReadFailed =
    u"无法读取文件“%1”。查找已停止，列表中是停止前找到的位置。";
inline constexpr QStringView findShrunk =
    u"查找时文件“%1”变短了，可能正被另一个程序改写。查找已停止，列表中是停止前找到的位置。";
inline constexpr QStringView findGrew =
    u"查找时文件“%1”变长了，可能正被另一个程序改写，后加的部分没有查找。列表中是已找到的位置。";
inline constexpr QStringView findVanished =
    u"查找时文件“%1”被删除、移走或换成了另一个文件。查找已停止，列表中是停止前找到的位置。";

// A hit's line: the hit between the marks, the note after the line.
inline constexpr QStringView hitOpen = u"【";
inline constexpr QStringView hitClose = u"】";
inline constexpr QStringView hitMayBeInsideCharacter = u"  可能不在字符边界";

// The line that shows what a hit will hold: %1 the bytes, %2 their text.
inline constexpr QStringView replacePreview = u"替换后每处将是: %1 = %2";
// %1 the hit's line as it will read.
inline constexpr QStringView replacePreviewHit = u"所选第一处替换后: %1";
inline constexpr QStringView replaceNoSearch = u"请先查找，再替换找到的位置。";
inline constexpr QStringView replaceNothingSelected = u"请先在列表中选择要替换的位置。";
// %1 the count, %2 the path, %3 the bytes written at each hit.
inline constexpr QStringView replaceAllQuestion =
    u"要替换文件“%2”中找到的全部 %1 处吗？每处将写入: %3";
inline constexpr QStringView replaceTitle = u"替换";
// %1 the count, %2 the path.
inline constexpr QStringView replaceDone = u"已在文件“%2”中替换 %1 处。";
// %1 the count.
inline constexpr QStringView replaceSkipped =
    u"另有 %1 处在查找之后已被改动，不再是查找的内容，没有替换。";
// Replacement failures: %1 the path, the reason next; then how many were written.
inline constexpr QStringView replaceNotRegular =
    u"“%1”不是普通文件（而是文件夹、管道、设备或套接字），不能写入。";
inline constexpr QStringView replaceOpenFailed = u"无法打开文件“%1”来写入。";
inline constexpr QStringView replaceReadFailed = u"无法读取文件“%1”。";
inline constexpr QStringView replaceWriteFailed = u"无法写入文件“%1”。";
inline constexpr QStringView replaceShortWrite =
    u"文件“%1”没有写完整：磁盘可能已满，或文件大小受到限制。没写完的这一处已恢复原样。";
inline constexpr QStringView replaceFlushFailed =
    u"无法把文件“%1”写入磁盘：已替换的位置可能没有保存下来。";
inline constexpr QStringView replaceCloseFailed =
    u"无法关闭文件“%1”：已替换的位置可能没有保存下来。";
// %1 the count written before the failure.
inline constexpr QStringView replaceWrittenBefore = u"出错之前已替换 %1 处。";
inline constexpr QStringView takeBackWrittenBefore = u"出错之前已撤销 %1 处。";

// Taking the last replacement back: %1 the count, %2 the path.
inline constexpr QStringView takeBackReplaceTitle = u"撤销上次替换";
inline constexpr QStringView takeBackReplaceQuestion =
    u"要撤销上次在文件“%2”中的替换（%1 处）吗？只有仍是程序所写内容的位置才会写回原来的字节。";
inline constexpr QStringView takeBackReplaceDone = u"已撤销文件“%2”中的 %1 处替换。";
// %1 the count.
inline constexpr QStringView takeBackReplaceSkipped = u"另有 %1 处在替换之后已被改动，没有撤销。";

} // namespace messages
