#include "settings/editormodel.h"

#include "core/constants.h"
#include "core/conversions.h"
#include "settings/paramtable.h"
#include "settings/settingblock.h"

#include <algorithm>
#include <cmath>

namespace vq {

namespace {

constexpr int kLowBatt = LowBattProtection;
constexpr int kCurLim = CurrentLimiter;
constexpr int kCurLimTimeLimit = CurrentLimiterTimeLimit;

// The numeric reading of a field, held in single precision like the bounds.
float fieldValue(const QString &text)
{
    return float(Val(text));
}

// Spin value for a field value that passed the range check: whole units, or
// tenths of a volt for Low Batt. Protection.
int spinValueFor(int i, float v)
{
    const float scaled = i == kLowBatt ? v * 10.0f : v;
    return int(roundHalfEven(double(scaled)));
}

} // namespace

EditorModel::EditorModel(QObject *parent)
    : QObject(parent)
{
    reset();
}

void EditorModel::reset()
{
    // The start state is set directly, without the change handling: a spin
    // button placed at its lower bound must not write that bound into its
    // still empty field.
    for (int i = 0; i < kParamCount; ++i) {
        if (!m_text[size_t(i)].isEmpty()) {
            m_text[size_t(i)].clear();
            emit textChanged(i, QString());
        }
        setMark(i, false);
        const int lower = paramInfo(i).spinMin;
        if (m_spin[size_t(i)] != lower) {
            m_spin[size_t(i)] = lower;
            emit spinValueChanged(i, lower);
        }
    }
    if (m_curLimOff) {
        m_curLimOff = false;
        emit curLimOffChanged(false);
        emit curLimEnabledChanged(true);
    }
    m_curLimValue = 0.0f;
    for (int k = 0; k < int(m_mode.size()); ++k)
        setMode(k, false);
    setVqType(QString());
    setRomVersion(QString());
}

void EditorModel::ClearData()
{
    // "Off" first: clearing it writes the remembered current into field 7,
    // which is emptied right after with the others.
    setCurLimOff(false);
    for (int i = 0; i < kParamCount; ++i) {
        setText(i, QString());
        if (i < int(m_mode.size()))
            setMode(i, false);
    }
    setVqType(QString());
    setRomVersion(QString());
}

void EditorModel::show(const DecodedBlock &decoded)
{
    if (decoded.status == DecodeStatus::Deleted)
        return;
    if (decoded.status == DecodeStatus::OtherModel) {
        setVqType(QString());
        return;
    }
    if (decoded.field == kFieldBlockLength)
        return; // nothing decoded, nothing shown
    const int parts = decoded.decodedParts();
    const ControllerSettings &s = decoded.settings;
    setVqType(kVqTypeName);
    for (int i = 0; i < std::min(parts, kParamCount); ++i) {
        showValue(i, s.values[size_t(i)]);
        // "Off" follows the field: ticking it empties the field and remembers 480.
        if (i == kCurLim)
            setCurLimOff(s.curLimOff);
    }
    if (parts > kFieldRomVersion)
        setRomVersion(QString::number(s.romVersion));
    if (parts > kFieldModeFlags) {
        for (int k = 0; k < int(m_mode.size()); ++k)
            setMode(k, s.modes[size_t(k)]);
    }
}

void EditorModel::showValue(int i, double value)
{
    // What the change handling would make of the value's text, without
    // reading the text back: a decoded value is already a whole number, a
    // tenth of a volt or a current in whole tens, so neither the current
    // rounding nor the spin button changes the text.
    const QString text = valueText(value);
    QString &current = m_text.at(size_t(i));
    if (current == text)
        return;
    current = text;
    emit textChanged(i, text);
    const bool valueInRange = inRange(i, value);
    setMark(i, !valueInRange);
    if (!valueInRange)
        return;
    const float v = float(value);
    int &spin = m_spin.at(size_t(i));
    const ParamInfo &p = paramInfo(i);
    if (const int shown = std::clamp(spinValueFor(i, v), p.spinMin, p.spinMax); spin != shown) {
        spin = shown;
        emit spinValueChanged(i, shown);
    }
    if (i == kCurLim)
        m_curLimValue = v;
}

EditorSettings EditorModel::settings() const
{
    EditorSettings taken;
    ControllerSettings &s = taken.settings;
    s.curLimOff = m_curLimOff;
    for (int i = 0; i < kParamCount; ++i) {
        if (i == kCurLim && m_curLimOff)
            continue; // encoded as "Off" whatever the field holds
        const QString &text = m_text.at(size_t(i));
        const NumberScan scan = scanNumber(text);
        if (text.isEmpty() || m_marked.at(size_t(i)) || !scan.plain) {
            taken.abnormalField = i;
            return taken;
        }
        s.values[size_t(i)] = scan.value;
    }
    for (int k = 0; k < int(m_mode.size()); ++k)
        s.modes[size_t(k)] = m_mode[size_t(k)];
    s.model = m_vqType == kVqTypeName ? kModelVQ530T : -1;
    s.romVersion = m_romVersion.isEmpty() ? -1 : m_romVersion.toInt();
    return taken;
}

void EditorModel::setText(int i, const QString &text)
{
    QString &current = m_text.at(size_t(i));
    if (current == text)
        return;
    current = text;
    emit textChanged(i, text);
    TxtData_Change(i);
}

void EditorModel::setSpinValue(int i, int value)
{
    const ParamInfo &p = paramInfo(i);
    value = std::clamp(value, p.spinMin, p.spinMax);
    int &current = m_spin.at(size_t(i));
    if (current == value)
        return;
    current = value;
    emit spinValueChanged(i, value);
    UpDownData_Change(i);
}

void EditorModel::spinUp(int i)
{
    const ParamInfo &p = paramInfo(i);
    // Computed in 64 bits so that a step past the bound cannot overflow.
    setSpinValue(i, int(std::min<qint64>(qint64(spinValue(i)) + p.spinStep, p.spinMax)));
}

void EditorModel::spinDown(int i)
{
    const ParamInfo &p = paramInfo(i);
    setSpinValue(i, int(std::max<qint64>(qint64(spinValue(i)) - p.spinStep, p.spinMin)));
}

void EditorModel::setCurLimOff(bool ticked)
{
    if (m_curLimOff == ticked) {
        // Ticked while it already is: a decoded block may have put its 480 A
        // into field 7 meanwhile (two "off" blocks in a row). The field is
        // emptied as the first tick did; nothing else changes.
        if (ticked && !m_text.at(size_t(kCurLim)).isEmpty())
            emptyCurLimField();
        return;
    }
    m_curLimOff = ticked;
    emit curLimOffChanged(ticked);
    ChkCurLimOff_Click();
}

void EditorModel::setMode(int k, bool ticked)
{
    bool &current = m_mode.at(size_t(k));
    if (current == ticked)
        return;
    current = ticked;
    emit modeChanged(k, ticked);
}

void EditorModel::setVqType(const QString &text)
{
    if (m_vqType == text)
        return;
    m_vqType = text;
    emit vqTypeChanged(text);
}

void EditorModel::setRomVersion(const QString &text)
{
    if (m_romVersion == text)
        return;
    m_romVersion = text;
    emit romVersionChanged(text);
}

void EditorModel::TxtData_Change(int i)
{
    // Copy: the nested runs below may replace the field's text.
    const QString text = m_text.at(size_t(i));
    if (text.isEmpty())
        return; // the mark and the spin button keep their state
    // A decimal is typed through "3." on its way to "3.3": leave it alone
    // until the next character arrives.
    if (text.endsWith(u'.'))
        return;

    bool complete = false;
    const float v = typedValue(i, text, &complete);
    if (complete)
        setText(i, shortestText(v)); // runs this handler once more, nested

    const bool valueInRange = inRange(i, v);
    setMark(i, !valueInRange);
    if (!valueInRange)
        return; // the spin button and CurLimValue keep their values

    setSpinValue(i, spinValueFor(i, v));
    if (i == kCurLim)
        m_curLimValue = v;
}

float EditorModel::typedValue(int i, const QString &text, bool *completeCurrent)
{
    float v = fieldValue(text);
    if (i == kCurLim || i == kCurLimTimeLimit) {
        // Currents travel in 10 A steps. Two-digit texts from 50 and
        // three-digit texts up to 399 are complete values and are brought to
        // whole tens; shorter or other texts may still grow (1 -> 12 -> 120),
        // so they are left as typed.
        const float first = fieldValue(text.left(1));
        if ((text.size() == 2 && first >= 5.0f) || (text.size() == 3 && first <= 3.0f)) {
            v = roundToAmpStep(double(v));
            if (completeCurrent)
                *completeCurrent = true;
        }
    }
    return v;
}

void EditorModel::UpDownData_Change(int i)
{
    const ParamInfo &p = paramInfo(i);
    const float v = fieldValue(m_text.at(size_t(i)));
    // An empty or out-of-range field is first brought to the bound it misses;
    // only a field in range takes the spin button's value.
    if (v < p.min)
        setText(i, shortestText(p.min));
    else if (v > p.max)
        setText(i, shortestText(p.max));
    else if (i == kLowBatt)
        setText(i, shortestText(float(spinValue(i)) / 10.0f));
    else
        setText(i, QString::number(spinValue(i)));
}

void EditorModel::ChkCurLimOff_Click()
{
    if (m_curLimOff) {
        emptyCurLimField();
        emit curLimEnabledChanged(false);
    } else {
        // 480 A is what a block with the limiter switched off decodes to; the
        // upper bound is offered instead of a value that would be refused.
        if (m_curLimValue == kCurLimOffAmps)
            m_curLimValue = kMaxAmps;
        setText(kCurLim, shortestText(m_curLimValue));
        emit curLimEnabledChanged(true);
    }
}

void EditorModel::emptyCurLimField()
{
    // Remember the current to offer it again when "Off" is cleared. An empty
    // field or one that holds no number leaves nothing worth remembering; the
    // previous value is kept then.
    const QString &text = m_text.at(size_t(kCurLim));
    if (isPlainNumber(text))
        m_curLimValue = fieldValue(text);
    setText(kCurLim, QString());
}

void EditorModel::setMark(int i, bool marked)
{
    bool &current = m_marked.at(size_t(i));
    if (current == marked)
        return;
    current = marked;
    emit markChanged(i, marked);
}

} // namespace vq
