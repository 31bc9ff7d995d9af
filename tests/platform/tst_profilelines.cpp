// Writing one key of a hand-edited profile file: every other line comes back
// byte for byte, its own line end included, whatever mixture of line ends
// the file uses.

#include "platform/profilefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vq;

class TestProfileLines : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void writeKeepsOtherLines_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("after");

        // A line ended by LF alone among CR LF lines (an editor that added it).
        QTest::newRow("lone LF among CR LF, key replaced")
            << QByteArray("[RS232C]\r\nCommPort= 1\r\nnote\n\r\n[Chart]\r\nScaleLine0=1\r\n")
            << QByteArray("RS232C") << QByteArray("CommPort")
            << QByteArray("[RS232C]\r\nCommPort= 3\r\nnote\n\r\n[Chart]\r\nScaleLine0=1\r\n");
        QTest::newRow("lone LF among CR LF, key added")
            << QByteArray("[RS232C]\r\nCo0=1\r\nScale\n\r\n[Chart]\r\nScaleLine0=1\r\n")
            << QByteArray("RS232C") << QByteArray("CommPort")
            << QByteArray("[RS232C]\r\nCo0=1\r\nScale\nCommPort= 3\r\n\r\n[Chart]\r\nScaleLine0=1\r\n");
        QTest::newRow("CR LF among LF, section added")
            << QByteArray("[Chart]\nScaleLine0=1\r\nScaleLine1=0\n")
            << QByteArray("RS232C") << QByteArray("CommPort")
            << QByteArray("[Chart]\nScaleLine0=1\r\nScaleLine1=0\n\n[RS232C]\nCommPort= 3\n");
        // A carriage return that ends no line belongs to the line's text.
        QTest::newRow("CR inside and before CR LF")
            << QByteArray("[Chart]\r\nx=a\rb\r\r\nScaleLine0=0\r\n")
            << QByteArray("Chart") << QByteArray("ScaleLine0")
            << QByteArray("[Chart]\r\nx=a\rb\r\r\nScaleLine0= 3\r\n");
        QTest::newRow("last line without line end, key added")
            << QByteArray("[Chart]\r\nScaleLine0=1")
            << QByteArray("Chart") << QByteArray("ScaleLine1")
            << QByteArray("[Chart]\r\nScaleLine0=1\r\nScaleLine1= 3");
        QTest::newRow("last line ending in CR alone")
            << QByteArray("[Chart]\nScaleLine0=1\r")
            << QByteArray("Chart") << QByteArray("ScaleLine1")
            << QByteArray("[Chart]\nScaleLine0=1\r\nScaleLine1= 3");
    }

    void writeKeepsOtherLines()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, after);

        const QString path = m_dir.filePath(QStringLiteral("lines.ini"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(f.write(before), before.size());
        }
        QVERIFY(writeProfileString(path, QString::fromLatin1(section), QString::fromLatin1(key), QStringLiteral(" 3")));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), after);
        QCOMPARE(readProfileString(path, QString::fromLatin1(section), QString::fromLatin1(key), QStringLiteral("Error")),
                 QStringLiteral("3"));
    }
};

QTEST_GUILESS_MAIN(TestProfileLines)
#include "tst_profilelines.moc"
