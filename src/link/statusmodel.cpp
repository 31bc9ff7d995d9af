#include "link/statusmodel.h"

#include "core/messages.h"

namespace vq {

StatusModel::StatusModel(QObject *parent)
    : QObject(parent)
{
    m_tmrLed.setInterval(kLampBlinkMs);
    connect(&m_tmrLed, &QTimer::timeout, this, &StatusModel::TmrLed_Timer);
}

void StatusModel::ShowMessage(const QString &text, quint32 colour, const QString &detail)
{
    m_messageColour = colour;
    m_messageText = text;
    const bool detailChanged = m_messageDetail != detail;
    m_messageDetail = detail;
    emit messageChanged(m_messageText, m_messageColour);
    if (detailChanged)
        emit messageDetailChanged(m_messageDetail);
}

void StatusModel::setMessageDetail(const QString &detail)
{
    if (m_messageDetail == detail)
        return;
    m_messageDetail = detail;
    emit messageDetailChanged(m_messageDetail);
}

QString deviceButtonCaption(DeviceButton button)
{
    switch (button) {
    case DeviceButton::Read: return kCaptionRead;
    case DeviceButton::Write: return kCaptionWrite;
    case DeviceButton::Defaults: return kCaptionDefaults;
    case DeviceButton::DataGet: return kCaptionDataGet;
    case DeviceButton::DataClear: return kCaptionDataClear;
    }
    return {};
}

void StatusModel::setButtonEnabled(DeviceButton button, bool enabled)
{
    const int index = int(button);
    if (index < 0 || index >= kDeviceButtons || m_buttons[size_t(index)] == enabled)
        return;
    m_buttons[size_t(index)] = enabled;
    emit buttonEnabledChanged(index, enabled);
}

void StatusModel::setAllButtonsEnabled(bool enabled)
{
    for (int i = 0; i < kDeviceButtons; ++i)
        setButtonEnabled(DeviceButton(i), enabled);
}

void StatusModel::lampOn()
{
    m_tmrLed.start();
    setLamp(kLampBusy);
}

void StatusModel::lampOff()
{
    m_tmrLed.stop();
    setLamp(kLampIdle);
}

void StatusModel::setBusy(bool busy)
{
    if (m_busy == busy)
        return;
    m_busy = busy;
    emit busyChanged(m_busy);
}

void StatusModel::requestFocus(DeviceButton button)
{
    m_focusRequest = int(button);
    emit focusRequested(m_focusRequest);
}

void StatusModel::setLamp(quint32 colour)
{
    if (m_lamp == colour)
        return;
    m_lamp = colour;
    emit lampColourChanged(m_lamp);
}

void StatusModel::TmrLed_Timer()
{
    setLamp(m_lamp == kLampIdle ? kLampBusy : kLampIdle);
}

} // namespace vq
