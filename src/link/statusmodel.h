#pragma once

// What the main window shows about the link, as a model the window mirrors:
// the one-line message area TxtMsg, the five device buttons CmdVqCom(0..4),
// the busy lamp ShpLED with its blink timer TmrLed, and whether an operation
// is running (then the ComPort menu and the two Open commands are disabled;
// Exit stays usable).

#include "core/colours.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>

namespace vq {

inline constexpr int kLampBlinkMs = 100;

// The five device buttons CmdVqCom(0..4), in the order of the control array.
enum class DeviceButton { Read, Write, Defaults, DataGet, DataClear };
inline constexpr int kDeviceButtons = 5;

// A button's caption, also shown in the message area when it is clicked.
[[nodiscard]] QString deviceButtonCaption(DeviceButton button);

class StatusModel : public QObject
{
    Q_OBJECT

public:
    explicit StatusModel(QObject *parent = nullptr);

    // Replaces the message area's text; the colour is set before the text.
    // `detail` (why, in more words: the tool tip of the line) goes with this
    // message only and is cleared by the next one that brings none.
    void ShowMessage(const QString &text, quint32 colour, const QString &detail = {});
    // The line's tool tip alone, the text staying: where and why a file
    // the user chose was refused.
    void setMessageDetail(const QString &detail);
    [[nodiscard]] QString messageText() const { return m_messageText; }
    [[nodiscard]] QString messageDetail() const { return m_messageDetail; }
    [[nodiscard]] quint32 messageColour() const { return m_messageColour; }

    void setButtonEnabled(DeviceButton button, bool enabled);
    void setAllButtonsEnabled(bool enabled);
    [[nodiscard]] bool buttonEnabled(DeviceButton button) const { return m_buttons.at(size_t(button)); }

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
    void requestFocus(DeviceButton button);
    [[nodiscard]] int focusRequest() const { return m_focusRequest; }

signals:
    void messageChanged(const QString &text, quint32 colour);
    void messageDetailChanged(const QString &detail);
    // `index` is the button's place in the control array.
    void buttonEnabledChanged(int index, bool enabled);
    void lampColourChanged(quint32 colour);
    void busyChanged(bool busy);
    void focusRequested(int index);

private:
    void setLamp(quint32 colour);
    void TmrLed_Timer();

    QString m_messageText;
    QString m_messageDetail;
    quint32 m_messageColour = kColourBlack;
    std::array<bool, kDeviceButtons> m_buttons{};
    quint32 m_lamp = kLampIdle;
    QTimer m_tmrLed;
    bool m_busy = false;
    int m_focusRequest = -1;
};

} // namespace vq
