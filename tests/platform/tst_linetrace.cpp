// The trace of the line, pinned as the file and the report show it. (The
// states of a port by error class are tst_ports'.)

#include "memorytransport.h"
#include "platform/linetrace.h"

#include <QRegularExpression>
#include <QtTest>

using namespace vq;

class TestLineTrace : public QObject
{
    Q_OBJECT

private slots:
    // Header and lines as a file or a report holds them; the times, the
    // system and Qt's version replaced.
    void traceIsPinned()
    {
        MemoryTransport line;
        LineTrace trace(line);
        trace.setKeepAll(true);
        QVERIFY(line.open(QStringLiteral("/dev/ttyVQ")));
        line.setChunkSize(40);
        QVERIFY(line.write("sr"));
        QTRY_COMPARE(trace.lines().size(), 3);
        line.inject(QByteArray("\x00\xfe\\\t\n\x7f~", 7)); // every kind of byte
        QTRY_COMPARE(trace.lines().size(), 4);
        line.setFault(emu::FaultMode::Vanish);
        QVERIFY(line.write("sr"));
        QTRY_VERIFY(!line.isOpen());

        QString text = traceHeader(QStringLiteral("Com3"), line) + u'\n' + trace.lines().join(u'\n') + u'\n';
        text.replace(QRegularExpression(QStringLiteral("^System: .*$"), QRegularExpression::MultilineOption),
                     QStringLiteral("System: S"));
        text.replace(QRegularExpression(QStringLiteral("^Qt: .*$"), QRegularExpression::MultilineOption),
                     QStringLiteral("Qt: Q"));
        text.replace(QRegularExpression(QStringLiteral("^[0-9]+ "), QRegularExpression::MultilineOption),
                     QStringLiteral("T "));
        QCOMPARE(text, QStringLiteral("VQ530T Link 1.00\n"
                                      "System: S\n"
                                      "Qt: Q\n"
                                      "Port: Com3 (/dev/ttyVQ)\n"
                                      "Adapter: unknown\n"
                                      "\n"
                                      "T TX sr\n"
                                      "T RX srD0077017DC056C074C04000000000000042755\n"
                                      "T RX 6A50321A05500A85C8000112090\\r\n"
                                      "T RX \\x00\\xfe\\\\\\t\\n\\x7f~\n"
                                      "T TX sr\n"
                                      "T RX srD0077017DC056C074C04000000000000\n"
                                      "T -- line lost\n"));
    }

    void windowKeepsTheLast200Lines()
    {
        MemoryTransport line;
        LineTrace trace(line);
        QVERIFY(line.open(QStringLiteral("/dev/ttyVQ")));
        for (int i = 0; i < 250; ++i)
            emit line.dataSent(QByteArray::number(i));
        const QStringList lines = trace.lines();
        QCOMPARE(lines.size(), 200);
        QVERIFY(lines.first().endsWith(QStringLiteral(" TX 50")));
        QVERIFY(lines.last().endsWith(QStringLiteral(" TX 249")));
    }
};

QTEST_GUILESS_MAIN(TestLineTrace)
#include "tst_linetrace.moc"
