#pragma once

// What the main window shows about the link, as a model the window mirrors:
// the one-line message area TxtMsg, the five device buttons CmdVqCom(0..4),
// the busy lamp ShpLED with its blink timer TmrLed, and whether an operation
// is running (then the ComPort menu and the two Open commands are disabled;
// Exit stays usable).

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>

namespace vq {

inline constexpr quint32 kColourBlack = 0;      // progress and success
inline constexpr quint32 kColourRed = 255;      // faults (0x00BBGGRR)
inline constexpr quint32 kLampIdle = 0x004000;  // dark green
inline constexpr quint32 kLampBusy = 0x00FF00;  // bright green
inline constexpr int kLampBlinkMs = 100;
inline constexpr int kDeviceButtons = 5;

// Captions of CmdVqCom(0..4), also shown in the message area when clicked.
inline const std::array<QString, kDeviceButtons> kDeviceButtonCaptions{
    QStringLiteral("Setting Data Read"), QStringLiteral("Setting Data Write"),
    QStringLiteral("Default Data Write"), QStringLiteral("Data Get"), QStringLiteral("Data Clear")};

class StatusModel : public QObject
{
    Q_OBJECT

public:
    explicit StatusModel(QObject *parent = nullptr);

    // Replaces the message area's text; the colour is set before the text.
    void ShowMessage(const QString &text, quint32 colour);
    [[nodiscard]] QString messageText() const { return m_messageText; }
    [[nodiscard]] quint32 messageColour() const { return m_messageColour; }

    void setButtonEnabled(int index, bool enabled);
    void setAllButtonsEnabled(bool enabled);
    [[nodiscard]] bool buttonEnabled(int index) const { return m_buttons.at(size_t(index)); }

    // The lamp. Before the first operation it shows the idle colour.
    [[nodiscard]] quint32 lampColour() const { return m_lamp; }
    // TmrLed enabled and the lamp bright green (every exchange does this).
    void lampOn();
    // TmrLed disabled and the lamp dark green (the end of every operation).
    void lampOff();
    [[nodiscard]] bool lampBlinking() const { return m_tmrLed.isActive(); }

    void setBusy(bool busy);
    [[nodiscard]] bool busy() const { return m_busy; }
    [[nodiscard]] bool comPortMenuEnabled() const { return !m_busy; }
    [[nodiscard]] bool openMenusEnabled() const { return !m_busy; }

    // The device button that should get the keyboard focus back (-1: none yet).
    void requestFocus(int index);
    [[nodiscard]] int focusRequest() const { return m_focusRequest; }

signals:
    void messageChanged(const QString &text, quint32 colour);
    void buttonEnabledChanged(int index, bool enabled);
    void lampColourChanged(quint32 colour);
    void busyChanged(bool busy);
    void focusRequested(int index);

private:
    void setLamp(quint32 colour);
    void TmrLed_Timer();

    QString m_messageText;
    quint32 m_messageColour = kColourBlack;
    std::array<bool, kDeviceButtons> m_buttons{};
    quint32 m_lamp = kLampIdle;
    QTimer m_tmrLed;
    bool m_busy = false;
    int m_focusRequest = -1;
};

} // namespace vq
