// SPDX-License-Identifier: MIT
#include "app/systemerror.h"

#include <QRegularExpression>
#include <QTest>

#include <utility>

#ifdef _WIN32
#include <windows.h>

// Every error code a file operation of the program can meet on Windows.
constexpr std::pair<const char *, DWORD> fileErrorCodes[] = {
    {"ERROR_FILE_NOT_FOUND", ERROR_FILE_NOT_FOUND},
    {"ERROR_PATH_NOT_FOUND", ERROR_PATH_NOT_FOUND},
    {"ERROR_ACCESS_DENIED", ERROR_ACCESS_DENIED},
    {"ERROR_SHARING_VIOLATION", ERROR_SHARING_VIOLATION},
    {"ERROR_LOCK_VIOLATION", ERROR_LOCK_VIOLATION},
    {"ERROR_DISK_FULL", ERROR_DISK_FULL},
    {"ERROR_HANDLE_DISK_FULL", ERROR_HANDLE_DISK_FULL},
    {"ERROR_WRITE_PROTECT", ERROR_WRITE_PROTECT},
    {"ERROR_NOT_READY", ERROR_NOT_READY},
    {"ERROR_INVALID_NAME", ERROR_INVALID_NAME},
    {"ERROR_FILENAME_EXCED_RANGE", ERROR_FILENAME_EXCED_RANGE},
    {"ERROR_INVALID_PARAMETER", ERROR_INVALID_PARAMETER},
    {"ERROR_TOO_MANY_OPEN_FILES", ERROR_TOO_MANY_OPEN_FILES},
    {"ERROR_UNABLE_TO_REMOVE_REPLACED", ERROR_UNABLE_TO_REMOVE_REPLACED},
    {"ERROR_UNABLE_TO_MOVE_REPLACEMENT", ERROR_UNABLE_TO_MOVE_REPLACEMENT},
};

// Those the export meets on systems that cannot do what it asks.
constexpr std::pair<const char *, DWORD> unsupportedCodes[] = {
    {"ERROR_CALL_NOT_IMPLEMENTED", ERROR_CALL_NOT_IMPLEMENTED},
    {"ERROR_NOT_SUPPORTED", ERROR_NOT_SUPPORTED},
};
#else
#include <cerrno>

// Every error code a file operation of the program can meet on Linux.
constexpr std::pair<const char *, int> fileErrorCodes[] = {
    {"ENOENT", ENOENT}, {"ENOTDIR", ENOTDIR},
    {"EACCES", EACCES}, {"EPERM", EPERM},
    {"EROFS", EROFS},   {"ENOSPC", ENOSPC},
    {"EDQUOT", EDQUOT}, {"EFBIG", EFBIG},
    {"EISDIR", EISDIR}, {"ENAMETOOLONG", ENAMETOOLONG},
    {"ELOOP", ELOOP},   {"EIO", EIO},
    {"EBUSY", EBUSY},   {"ETXTBSY", ETXTBSY},
    {"EMFILE", EMFILE}, {"ENFILE", ENFILE},
    {"EINVAL", EINVAL}, {"EXDEV", EXDEV},
};

// Those the export meets on file systems that cannot do what it asks
// (FUSE, network folders) or on files opened in a way that forbids it.
constexpr std::pair<const char *, int> unsupportedCodes[] = {
    {"EBADF", EBADF},           {"ESPIPE", ESPIPE},     {"ENOSYS", ENOSYS},
    {"EOPNOTSUPP", EOPNOTSUPP}, {"ENOTCONN", ENOTCONN},
};
#endif

class tst_SystemError : public QObject {
    Q_OBJECT

private slots:
    void everyCodeHasAChineseReason_data()
    {
        QTest::addColumn<int>("code");
        for (const auto &[name, code] : fileErrorCodes)
            QTest::newRow(name) << int(code);
    }
    void everyCodeHasAChineseReason()
    {
        QFETCH(int, code);
        const QString reason = systemErrorReason(code);
        QVERIFY(!reason.isEmpty());
        QVERIFY2(!reason.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))),
                 qPrintable(reason));
        QVERIFY2(!reason.startsWith(QStringLiteral("系统错误")), qPrintable(reason));
    }

    void unsupportedOperationsHaveAChineseReason_data()
    {
        QTest::addColumn<int>("code");
        for (const auto &[name, code] : unsupportedCodes)
            QTest::newRow(name) << int(code);
    }
    void unsupportedOperationsHaveAChineseReason()
    {
        QFETCH(int, code);
        const QString reason = systemErrorReason(code);
        QVERIFY2(reason.contains(QRegularExpression(QStringLiteral("\\p{Han}"))),
                 qPrintable(reason));
        QVERIFY2(!reason.startsWith(QStringLiteral("系统错误")), qPrintable(reason));
    }

    void otherCodesAreNumbered()
    {
        QCOMPARE(systemErrorReason(12345), QStringLiteral("系统错误 (代码 12345)"));
        QCOMPARE(systemErrorReason(0), QString());
    }
};

QTEST_GUILESS_MAIN(tst_SystemError)
#include "tst_systemerror.moc"
