// SPDX-License-Identifier: MIT
#include "app/systemerror.h"

#include <QRegularExpression>
#include <QTest>

#include <cerrno>

class tst_SystemError : public QObject {
    Q_OBJECT

private slots:
    void everyCodeHasAChineseReason_data()
    {
        QTest::addColumn<int>("code");
        const std::pair<const char *, int> codes[] = {
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
        for (const auto &[name, code] : codes)
            QTest::newRow(name) << code;
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

    void otherCodesAreNumbered()
    {
        QCOMPARE(systemErrorReason(12345), QStringLiteral("系统错误 (代码 12345)"));
        QCOMPARE(systemErrorReason(0), QString());
    }
};

QTEST_GUILESS_MAIN(tst_SystemError)
#include "tst_systemerror.moc"
