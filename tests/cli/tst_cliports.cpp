// The command line's ports and --trace, with a copy of the program whose
// profile pins the emulator's line.

#include "emulatorprocess.h"
#include "fixtures.h"
#include "platform/serialport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace vq;

class TestCliPorts : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    EmulatorProcess m_emu;
    QString m_program;
    QString m_out, m_err;

    int run(const QStringList &args)
    {
        QProcess p;
        p.start(m_program, args);
        if (!p.waitForFinished(30000))
            return -1;
        m_out = QString::fromLocal8Bit(p.readAllStandardOutput());
        m_err = QString::fromLocal8Bit(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    // The emulator's line as `ports --json` lists it.
    QJsonObject listed()
    {
        const QJsonArray ports = QJsonDocument::fromJson(m_out.toUtf8()).object().value("ports").toArray();
        for (const QJsonValue &p : ports)
            if (p.toObject().value("name").toString() == m_emu.slavePath())
                return p.toObject();
        return {};
    }

private slots:
    void initTestCase()
    {
        m_program = fixture::copyProgram(m_dir.path());
        QVERIFY(!m_program.isEmpty());
        QVERIFY2(!m_emu.start({"--no-pacing"}).isEmpty(), qPrintable(m_emu.errorText()));
        QVERIFY(fixture::writeFile(m_dir.filePath("VQ530T Link.ini"),
                                   "[RS232C]\r\nCommPort= 7\r\n[Ports]\r\nCom7=" + m_emu.slavePath().toLocal8Bit()
                                       + "\r\n"));
    }

    void portsNamesThePinAndTheState()
    {
        QCOMPARE(run({"ports", "--json"}), 0);
        QJsonObject port = listed();
        QCOMPARE(port.value("pinned").toString(), "Com7");
        QCOMPARE(port.value("state").toString(), "free");
        QVERIFY(port.value("by_id").isNull());

        SerialPort holder; // another program holds the line
        QVERIFY(holder.open(m_emu.slavePath()));
        QCOMPARE(run({"ports", "--json"}), 0);
        QCOMPARE(listed().value("state").toString(), "in-use");
        QCOMPARE(run({"ports"}), 0);
        QVERIFY2(m_out.contains(QRegularExpression("^" + QRegularExpression::escape(m_emu.slavePath())
                                                   + " +Com7 +in use by another program *$",
                                                   QRegularExpression::MultilineOption)),
                 qPrintable(m_out));
    }

    void traceShowsTheBytesOfARead()
    {
        const QString trace = m_dir.filePath("read.trace");
        QCOMPARE(run({"--trace", trace, "read", m_dir.filePath("a.set")}), 0);
        const QStringList lines = QString::fromUtf8(fixture::readFile(trace)).split(u'\n');
        QCOMPARE(lines.at(0), "VQ530T Link 1.00");
        QCOMPARE(lines.at(3), QStringLiteral("Port: Com7 (%1) 9600,O,8,1").arg(m_emu.slavePath()));
        QCOMPARE(lines.at(5), "");
        QVERIFY(QRegularExpression("^\\d+ -- opening " + QRegularExpression::escape(m_emu.slavePath()) + "$")
                    .match(lines.at(6)).hasMatch());
        QVERIFY(lines.at(7).endsWith(" -- line opened") && lines.at(lines.size() - 2).endsWith(" -- command ended"));
        QCOMPARE(fixture::tracedBytes(lines.join(u'\n'), " TX "), QByteArray("sr"));
        QCOMPARE(fixture::tracedBytes(lines.join(u'\n'), " RX "), m_emu.traceBytes(EmulatorProcess::Direction::Sent));
        QCOMPARE(lines.last(), ""); // ends with a line end

        QCOMPARE(run({"--trace", trace, "ports"}), 2); // not a device command
        QCOMPARE(run({"--trace", m_dir.path(), "read", m_dir.filePath("b.set")}), 5); // a folder
        QCOMPARE(m_emu.traceBytes(EmulatorProcess::Direction::Received), QByteArray("sr"));
    }
};

QTEST_GUILESS_MAIN(TestCliPorts)
#include "tst_cliports.moc"
