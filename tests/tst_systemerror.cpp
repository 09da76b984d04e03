// SPDX-License-Identifier: MIT
#include "app/systemerror.h"
#include "support/filecodes.h"

#include <QRegularExpression>
#include <QTest>

class tst_SystemError : public QObject {
    Q_OBJECT

private slots:
    void everyCodeHasAChineseReason_data()
    {
        QTest::addColumn<int>("code");
        for (const auto &[name, code] : fileErrorCodes())
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

    void unsupportedOperationsHaveAChineseReason_data()
    {
        QTest::addColumn<int>("code");
        for (const auto &[name, code] : unsupportedCodes())
            QTest::newRow(name) << code;
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
