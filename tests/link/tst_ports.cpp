// Which ports the selection dialog lists, and how opening the port leaves the
// port, the message line and the device buttons. Picking, Cancel and the
// retry through the dialog are driven through the real dialog at start-up.

#include "link/portcontrol.h"
#include "link/portselection.h"
#include "link/statusmodel.h"
#include "platform/serialport.h"
#include "platform/config.h"
#include "ptyline.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vq;

class TestPorts : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Config> m_config;
    std::unique_ptr<PtyLine> m_lineA; // pinned as Com3
    std::unique_ptr<PtyLine> m_lineB; // pinned as Com7

    QByteArray iniBytes() const
    {
        QFile f(m_config->iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Every number pinned: the two lines, and paths that can't open, so that
    // no real serial device of the machine takes part.
    void pinAll()
    {
        for (int n = 1; n <= 17; ++n) {
            QString device = QStringLiteral("/nonexistent/vq-com%1").arg(n);
            if (n == 3)
                device = m_lineA->slavePath();
            else if (n == 7 || n == 17)
                device = m_lineB->slavePath();
            m_config->WriteIniString(QStringLiteral("Ports"), QStringLiteral("Com%1").arg(n), device);
        }
    }

    QStringList entryTexts(const PortSelection &sel) const
    {
        QStringList texts;
        for (const PortEntry &e : sel.entries())
            texts << e.text;
        return texts;
    }

private slots:
    void init()
    {
        QFile::remove(m_dir.filePath(QStringLiteral("VQ530T Link.ini")));
        m_config = std::make_unique<Config>(m_dir.path());
        m_lineA = std::make_unique<PtyLine>();
        m_lineB = std::make_unique<PtyLine>();
        pinAll();
    }

    void listsExactlyThePortsThatOpenAndStoresTheConfiguredOne()
    {
        m_config->CommPortNo = 7;
        QStringList tried;
        PortSelection sel(*m_config, [&](const QString &device) {
            tried << device;
            return PortSelection::probeDevice(device);
        });
        sel.ListPorts();

        QCOMPARE(entryTexts(sel), (QStringList{"Com3", "Com7"}));
        QCOMPARE(sel.entries()[0].device, m_lineA->slavePath());
        QCOMPARE(sel.selectedIndex(), 1);
        // Com1..Com16 in order, each once; the pinned Com17 never.
        QCOMPARE(tried.size(), 16);
        QCOMPARE(tried.first(), QStringLiteral("/nonexistent/vq-com1"));
        QCOMPARE(tried.last(), QStringLiteral("/nonexistent/vq-com16"));
        QCOMPARE(tried.count(m_lineB->slavePath()), 1);
        // The selection is stored again as soon as the list is shown.
        QVERIFY(iniBytes().contains("CommPort= 7\r\n"));

        // The probe left both lines closed: they open again.
        SerialPort a;
        SerialPort b;
        QVERIFY(a.open(m_lineA->slavePath()));
        QVERIFY(b.open(m_lineB->slavePath()));
    }

    void noFreePortListsNotFoundAndChangesNothing()
    {
        m_lineA.reset();
        m_lineB.reset();
        m_config->CommPortNo = 5;
        PortSelection sel(*m_config);
        sel.ListPorts();
        QCOMPARE(entryTexts(sel), QStringList{kNotFound});
        QCOMPARE(sel.selectedIndex(), 0);
        QCOMPARE(m_config->CommPortNo, qint16(5));
        QVERIFY(!iniBytes().contains("CommPort"));
    }

    void openingFollowsThePortNumber()
    {
        SerialPort port;
        StatusModel status;
        PortControl control(port, *m_config, status);
        int dialogs = 0;
        control.setShowPortDialog([&] { ++dialogs; });

        // Port 0: the red message, no dialog, buttons all off.
        m_config->CommPortNo = 0;
        control.OpenPort();
        control.EnableCommands();
        QCOMPARE(dialogs, 0);
        QCOMPARE(status.messageText(), kMsgPortCannotOpen);
        QCOMPARE(status.messageColour(), kColourRed);
        for (int i = 0; i < kDeviceButtons; ++i)
            QVERIFY(!status.buttonEnabled(i));

        m_config->CommPortNo = 3;
        control.OpenPort();
        control.EnableCommands();
        QVERIFY(port.isOpen());
        QCOMPARE(port.devicePath(), m_lineA->slavePath());
        QCOMPARE(status.messageText(), kMsgPortInitialized);
        QCOMPARE(status.messageColour(), kColourBlack);
        QCOMPARE((QList<bool>{status.buttonEnabled(0), status.buttonEnabled(1), status.buttonEnabled(2),
                              status.buttonEnabled(3), status.buttonEnabled(4)}),
                 (QList<bool>{true, false, true, true, true}));

        // Already open: left as it is, even when the number changed meanwhile.
        m_config->CommPortNo = 7;
        control.OpenPort();
        QCOMPARE(port.devicePath(), m_lineA->slavePath());
        QCOMPARE(status.messageText(), kMsgPortInitialized);

        control.ClosePort();
        control.ClosePort();
        QVERIFY(!port.isOpen());
        QCOMPARE(dialogs, 0);
    }
};

QTEST_GUILESS_MAIN(TestPorts)
#include "tst_ports.moc"
