// One command exchange at a time over a pseudo-terminal whose far end this
// test plays: time-outs, what ends a wait, the two failure messages, the
// reading of the setting block, pauses, and a line that goes away.

#include "link/commandexchange.h"
#include "link/statusmodel.h"
#include "platform/prompter.h"
#include "platform/serialport.h"
#include "ptyline.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace vq;

namespace {

const QByteArray kBlock = "E803401FF005D0074C040000000000000620556A6464000A500085C80001100A";

QByteArray readReply(const QByteArray &block = kBlock, const QByteArray &tail = "\r\n")
{
    return "sr" + block + tail;
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

    std::unique_ptr<PtyLine> m_line;
    std::unique_ptr<SerialPort> m_port;
    std::unique_ptr<StatusModel> m_status;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<CommandExchange> m_ex;

    // Fails the running test instead of hanging when a wait never ends.
    void guard(int ms)
    {
        QTimer::singleShot(ms, m_ex.get(), [ex = m_ex.get()] { ex->abort(); });
    }

private slots:
    void init()
    {
        m_line = std::make_unique<PtyLine>();
        QVERIFY(m_line->ok());
        m_port = std::make_unique<SerialPort>();
        QVERIFY(m_port->open(m_line->slavePath()));
        m_status = std::make_unique<StatusModel>();
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_ex = std::make_unique<CommandExchange>(*m_port, *m_status, *m_prompter);
        // 3 s become 150 ms, 12 s 600 ms.
        m_ex->setTimeScale(0.05);
    }

    void cleanup()
    {
        m_ex.reset();
        m_port.reset();
        m_line.reset();
    }

    void timeOutTable_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("ms");
        QTest::newRow("sr") << "sr" << 3000;
        QTest::newRow("sw") << "sw" << 3000;
        QTest::newRow("rt") << "rt" << 3000;
        QTest::newRow("ae") << "ae" << 12000;
        QTest::newRow("be") << "be" << 12000;
        QTest::newRow("br") << "br" << 10000;
        QTest::newRow("block") << QString::fromLatin1(kBlock) << 3000;
        QTest::newRow("block starting be-like") << "BE03401F" << 3000;
        QTest::newRow("other") << "xy" << 3000;
    }

    void timeOutTable()
    {
        QFETCH(QString, command);
        QFETCH(int, ms);
        QCOMPARE(commandTimeoutMs(command), ms);
        m_ex->setTimeScale(1.0);
        QCOMPARE(m_ex->effectiveTimeoutMs(command), ms);
        m_ex->setTimeScale(0.05);
        QCOMPARE(m_ex->effectiveTimeoutMs(command), qRound(ms * 0.05));
    }

    void answerEndsTheWaitAndKeepsEverythingReceived()
    {
        m_line->respond = [](const QByteArray &) { return readReply() + "zz"; };
        m_ex->CommError = true; // an earlier failure of the same operation
        m_ex->SendCommand(QStringLiteral("sr"), kCarriageReturn);
        QCOMPARE(m_line->received, QByteArray("sr"));
        QVERIFY(!m_ex->CommTimeOut);
        QVERIFY(m_ex->CommError); // never cleared by an exchange
        QCOMPARE(m_ex->RecvBuffer, QString::fromLatin1(readReply() + "zz"));
        QCOMPARE(m_prompter->messageCount(), 0);
        QVERIFY(m_status->lampBlinking());
    }

    void echoOfTheWholeBlockEndsTheWait()
    {
        m_line->respond = [](const QByteArray &chunk) { return chunk; };
        m_ex->SendCommand(QString::fromLatin1(kBlock), QString::fromLatin1(kBlock));
        QVERIFY(!m_ex->CommError);
        QCOMPARE(m_line->received, kBlock);
    }

    void leftoversAndUnaskedCharactersNeverEndAWait()
    {
        // Sent before the exchange, and holding the very text it waits for.
        m_line->send("rt\r" + readReply());
        QVERIFY(m_line->waitUntilDelivered());
        m_ex->SendCommand(QStringLiteral("rt"), QStringLiteral("rt"));
        QVERIFY(m_ex->CommError);
        QCOMPARE(m_ex->RecvBuffer, QString());
        QCOMPARE(m_prompter->messageTexts(), QStringList{kMsgCommFault});
    }

    void failureMessages_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        QTest::newRow("silent") << QByteArray() << kMsgCommFault << int(MessageIcon::Exclamation);
        QTest::newRow("garbage") << QByteArray("?~#") << kMsgCannotSet << int(MessageIcon::Information);
        QTest::newRow("echo only") << QByteArray("sr") << kMsgCannotSet << int(MessageIcon::Information);
    }

    void failureMessages()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, text);
        QFETCH(int, icon);
        m_line->respond = [answer](const QByteArray &) { return answer; };
        // The box comes first; the red line follows once it is closed.
        QString messageWhileBoxUp = QStringLiteral("unchanged");
        m_status->ShowMessage(messageWhileBoxUp, kColourBlack);
        m_prompter->onPrompt = [&](const ScriptedPrompter::Prompt &) { messageWhileBoxUp = m_status->messageText(); };

        QVERIFY(!m_ex->SetReadData());
        QVERIFY(m_ex->CommTimeOut);
        QVERIFY(m_ex->CommError);
        QCOMPARE(m_ex->RecvBuffer, QString::fromLatin1(answer));
        QCOMPARE(m_prompter->prompts.size(), 1);
        QCOMPARE(m_prompter->prompts[0].text, text);
        QCOMPARE(int(m_prompter->prompts[0].icon), icon);
        QCOMPARE(messageWhileBoxUp, QStringLiteral("unchanged"));
        QCOMPARE(m_status->messageText(), text);
        QCOMPARE(m_status->messageColour(), kColourRed);
        QCOMPARE(m_ex->ReadBlock, QString());
        QCOMPARE(m_ex->RomVersion, qint16(-1));
    }

    void readReplies_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("boxes");
        QTest::newRow("68 characters") << readReply() << true << 0;
        QTest::newRow("lower-case block") << readReply(kBlock.toLower()) << true << 0;
        QTest::newRow("CR first of the closing two") << readReply(kBlock, "\rx") << true << 0;
        QTest::newRow("67 characters") << readReply(kBlock, "\r") << false << 0;
        QTest::newRow("69 characters") << readReply(kBlock, "\r\n\n") << false << 0;
        QByteArray spoiled = kBlock;
        spoiled[20] = 'G';
        QTest::newRow("non-hex in the block") << readReply(spoiled) << false << 0;
        spoiled = kBlock;
        spoiled[60] = ' ';
        QTest::newRow("non-hex ROM version") << readReply(spoiled) << false << 0;
        // No carriage return: the time-out's box, yet 68 characters are taken.
        QTest::newRow("68 without CR") << readReply(kBlock, "xx") << true << 1;
    }

    void readReplies()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, taken);
        QFETCH(int, boxes);

        // A good read first, so that a refused one shows what it leaves alone.
        QByteArray earlier = kBlock;
        earlier.replace(60, 2, "07");
        m_line->respond = [&](const QByteArray &) { return readReply(earlier); };
        QVERIFY(m_ex->SetReadData());
        QCOMPARE(m_ex->RomVersion, qint16(7));

        m_line->respond = [&](const QByteArray &) { return reply; };
        QCOMPARE(m_ex->SetReadData(), taken);
        QCOMPARE(m_prompter->messageCount(), boxes);
        if (taken) {
            QCOMPARE(m_ex->ReadBlock, QString::fromLatin1(reply.mid(2, 64)));
            QCOMPARE(m_ex->RomVersion, qint16(0x10));
            // Echo removed: the block first, then the closing characters.
            QCOMPARE(m_ex->RecvBuffer, QString::fromLatin1(reply.mid(2)));
        } else {
            QCOMPARE(m_ex->ReadBlock, QString::fromLatin1(earlier));
            QCOMPARE(m_ex->RomVersion, qint16(7));
            QCOMPARE(m_ex->RecvBuffer, QString::fromLatin1(reply));
        }
    }

    void expectedTextAndTimeOutTogetherCountAsTimeOut()
    {
        // A 1 ms time-out, and a window handler that keeps the thread busy
        // until the whole answer is waiting and the time-out has run out:
        // both are there when the wait next looks.
        m_ex->setTimeScale(1.0 / 3000.0);
        connect(m_ex.get(), &CommandExchange::commandSent, this, [this] {
            m_line->send(readReply());
            QVERIFY(m_line->waitUntilDelivered());
            QTimer::singleShot(0, this, [] {
                const QDeadlineTimer busy(5);
                while (!busy.hasExpired()) {
                }
            });
        });
        (void)m_ex->SetReadData();
        QVERIFY(m_ex->CommTimeOut);
        QVERIFY(m_ex->CommError);
        QCOMPARE(m_prompter->messageCount(), 1);
    }

    void lineGoingAwayEndsTheExchangeLikeATimeOut()
    {
        m_ex->setTimeScale(100.0); // the wait would take five minutes
        guard(10000);
        QSignalSpy gone(m_ex.get(), &CommandExchange::portGone);
        m_line->respond = [](const QByteArray &) { return QByteArray("sr0123"); };
        // Unplugged once the first part of the answer has been taken in.
        connect(m_port.get(), &SerialPort::dataReceived, m_line.get(), [this] {
            QTimer::singleShot(0, m_line.get(), [this] { m_line->hangUp(); });
        });
        QVERIFY(!m_ex->SetReadData());
        QVERIFY2(!m_ex->aborted(), "the exchange only ended by the test's guard");
        QVERIFY(m_ex->portLost());
        QCOMPARE(gone.count(), 1);
        QVERIFY(m_ex->CommError);
        QCOMPARE(m_prompter->messageTexts(), QStringList{kMsgCannotSet});
        QVERIFY(!m_port->isOpen());

        // A further exchange on the closed port fails at once, once.
        m_prompter->clear();
        m_ex->SendCommand(QStringLiteral("be"), kCarriageReturn);
        QVERIFY(!m_ex->aborted());
        QCOMPARE(m_prompter->messageTexts(), QStringList{kMsgCommFault});
    }

    void abortEndsTheWaitSilentlyAndStopsSending()
    {
        m_ex->setTimeScale(100.0);
        QTimer::singleShot(20, m_ex.get(), [this] { m_ex->abort(); });
        m_status->ShowMessage(QStringLiteral("Data Clear"), kColourBlack);
        m_ex->SendCommand(QStringLiteral("be"), kCarriageReturn);
        QCOMPARE(m_prompter->messageCount(), 0);
        QCOMPARE(m_status->messageText(), QStringLiteral("Data Clear"));
        QVERIFY(!m_ex->SetReadData());
        m_ex->WaitTime(100.0);
        QCOMPARE(m_line->received, QByteArray("be"));
    }

    void pausesDispatchEventsOnlyWhenTheyLast()
    {
        bool ran = false;
        QTimer::singleShot(0, this, [&] { ran = true; });
        m_ex->WaitTime(0);
        m_ex->WaitTime(-1);
        QVERIFY(!ran);
        m_ex->WaitTime(0.3); // 15 ms at this scale
        QVERIFY(ran);
    }

    void lampBlinksWhileAnExchangeWaits()
    {
        QSignalSpy lamp(m_status.get(), &StatusModel::lampColourChanged);
        QCOMPARE(m_status->lampColour(), kLampIdle);
        m_ex->setTimeScale(0.2); // 600 ms of silence: several 100 ms ticks
        m_ex->SendCommand(QStringLiteral("sr"), kCarriageReturn);
        QCOMPARE(lamp.first().at(0).value<quint32>(), kLampBusy);
        QVERIFY(lamp.count() >= 3);
        QVERIFY(m_status->lampBlinking());
        m_status->lampOff();
        QCOMPARE(m_status->lampColour(), kLampIdle);
        QVERIFY(!m_status->lampBlinking());
    }
};

QTEST_GUILESS_MAIN(TestExchange)
#include "tst_exchange.moc"
