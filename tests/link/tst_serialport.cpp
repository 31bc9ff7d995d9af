// The serial line seam on a real pseudo-terminal: line settings, DTR on a
// line without modem lines, and a line that goes away. Sending, receiving and
// discarding old input are checked through the exchanges that use them.

#include "platform/serialport.h"
#include "ptyline.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <termios.h>

using namespace vq;

namespace {

// Lets the event loop run for `ms` (late notifications get their chance).
void runEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

class TestSerialPort : public QObject
{
    Q_OBJECT

private slots:
    void opensWithControllerLineSettings()
    {
        PtyLine line;
        QVERIFY(line.ok());
        SerialPort port;
        // DTR can't be cleared on a pseudo-terminal; that alone must not
        // make the port unusable.
        QVERIFY2(port.open(line.slavePath()), qPrintable(port.errorText()));
        QVERIFY(port.isOpen());
        QCOMPARE(port.devicePath(), line.slavePath());

        QCOMPARE(port.settingsText(), QStringLiteral("9600,O,8,1"));
        // What reached the driver (a pseudo-terminal forces 8 bits without
        // parity, so parity can only be read back from the port above).
        termios t{};
        QCOMPARE(tcgetattr(line.slaveFd(), &t), 0);
        QCOMPARE(cfgetospeed(&t), speed_t(B9600));
        QCOMPARE(cfgetispeed(&t), speed_t(B9600));
        QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
        QVERIFY(!(t.c_cflag & CSTOPB));
        QVERIFY(!(t.c_cflag & CRTSCTS));
        QVERIFY(!(t.c_iflag & (IXON | IXOFF)));

        port.close();
        QVERIFY(!port.isOpen());
        port.close(); // closing a closed port is harmless
        QVERIFY(!port.isOpen());
    }

    void missingDeviceDoesNotOpen()
    {
        SerialPort port;
        QVERIFY(!port.open(QStringLiteral("/nonexistent/ttyVQ")));
        QVERIFY(!port.isOpen());
        QVERIFY(!port.errorText().isEmpty());
        QVERIFY(!port.open(QString()));
        QVERIFY(!port.write("sr"));
    }

    void vanishingLineIsReportedOnceAndClosesThePort()
    {
        auto line = std::make_unique<PtyLine>();
        SerialPort port;
        QVERIFY(port.open(line->slavePath()));
        QSignalSpy lost(&port, &SerialPort::lost);
        line->hangUp();
        QVERIFY(lost.wait(5000));
        QVERIFY(!port.isOpen());
        // Late error notifications of the gone device are not reported again.
        runEvents(50);
        QCOMPARE(lost.count(), 1);
        QVERIFY(!port.write("sr"));
        QCOMPARE(lost.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSerialPort)
#include "tst_serialport.moc"
