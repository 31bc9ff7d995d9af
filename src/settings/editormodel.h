#pragma once

// The settings editor as a model: the fourteen field texts TxtData(0..13) with
// their out-of-range marks, the spin buttons UpDownData(0..13), the current
// limiter switch "Off" with CurLimValue, the four mode flags and the two
// information fields. The main window only mirrors this model: it shows what
// the signals say and hands typing, arrow clicks and "Off" clicks back here.
//
// The three handlers (TxtData_Change, UpDownData_Change, ChkCurLimOff_Click)
// call each other synchronously and come to rest because a change
// notification runs only when a text, value or state really changes.

#include "settings/controllersettings.h"

#include <QObject>
#include <QString>
#include <QStringView>

#include <array>

namespace vq {

struct DecodedBlock;

// What the editor gives back to be encoded: its settings, or the first field
// that may not be encoded.
struct EditorSettings {
    ControllerSettings settings;
    int abnormalField = -1;
};

class EditorModel : public QObject
{
    Q_OBJECT

public:
    explicit EditorModel(QObject *parent = nullptr);

    // Start state (the editor part of MainIni): every field empty and
    // unmarked, each spin button at its lower bound, "Off" clear and the
    // current-limiter controls enabled, CurLimValue 0, flags clear, both
    // information fields empty. Emits the signals of everything that changed.
    void reset();

    // ClearData: clears "Off" (running its handler), then empties fields 0..13
    // (and clears flags 0..3 along the way), then the two information fields.
    void ClearData();

    // A decoded block shown: the type "VQ530T", then each decoded part in
    // order, each value's text with the mark and spin button the change
    // handling would give it, and "Off" through its own handling (a block that stopped decoding leaves the fields from
    // there on as they were). A deleted block changes nothing; another
    // model's empties the type only.
    void show(const DecodedBlock &decoded);

    // The settings to encode, or the first abnormal field: empty, marked out
    // of range or not a plain number (isPlainNumber), checked in index order;
    // Current Limiter is exempt while "Off" is ticked. Marks are only as good
    // as the change handling that set them, so a text that isn't a plain
    // number is refused even when unmarked ("5x" reads as 5, letters as 0).
    [[nodiscard]] EditorSettings settings() const;

    // The value field i's text stands for when typed: its number, a complete
    // current brought to whole tens (then *completeCurrent is set). The field
    // is marked when it lies outside the range (inRange).
    [[nodiscard]] static float typedValue(int i, const QString &text, bool *completeCurrent = nullptr);

    [[nodiscard]] QString text(int i) const { return m_text.at(size_t(i)); }
    [[nodiscard]] bool marked(int i) const { return m_marked.at(size_t(i)); }
    [[nodiscard]] int spinValue(int i) const { return m_spin.at(size_t(i)); }
    [[nodiscard]] bool curLimOff() const { return m_curLimOff; }
    [[nodiscard]] float curLimValue() const { return m_curLimValue; }
    // Field 7, spin button 7 and the unit label LblCurLim: enabled while "Off" is clear.
    [[nodiscard]] bool curLimEnabled() const { return !m_curLimOff; }
    [[nodiscard]] bool mode(int k) const { return m_mode.at(size_t(k)); }
    [[nodiscard]] QString vqType() const { return m_vqType; }
    [[nodiscard]] QString romVersion() const { return m_romVersion; }

    // Field i's text is set, by typing or by the program. Runs the field
    // change handling only when the text differs from what the field holds.
    // The length limit of a field applies to typing only (the window's job).
    void setText(int i, const QString &text);

    // Spin button i's value is set by the program; runs the spin change
    // handling only when the value differs.
    void setSpinValue(int i, int value);

    // A click on spin button i's up or down arrow: the value moves by the
    // button's step, not beyond its bounds; at a bound nothing changes.
    void spinUp(int i);
    void spinDown(int i);

    // "Off" ticked or cleared, by a click or by the program; runs the switch
    // handling only when the state changes. Ticked again while ticked, it
    // empties field 7 if the program has given it a text since.
    void setCurLimOff(bool ticked);

    // Display-only parts: mode flags and the locked information fields.
    void setMode(int k, bool ticked);
    void setVqType(const QString &text);
    void setRomVersion(const QString &text);

signals:
    void textChanged(int index, const QString &text);
    void markChanged(int index, bool marked);
    void spinValueChanged(int index, int value);
    void curLimOffChanged(bool ticked);
    void curLimEnabledChanged(bool enabled);
    void modeChanged(int index, bool ticked);
    void vqTypeChanged(const QString &text);
    void romVersionChanged(const QString &text);

private:
    void showValue(int i, double value);
    void TxtData_Change(int i);
    void UpDownData_Change(int i);
    void ChkCurLimOff_Click();
    void emptyCurLimField();
    void setMark(int i, bool marked);

    std::array<QString, kParamCount> m_text;
    std::array<bool, kParamCount> m_marked{};
    std::array<int, kParamCount> m_spin{};
    std::array<bool, kModeFlags> m_mode{};
    bool m_curLimOff = false;
    float m_curLimValue = 0.0f;
    QString m_vqType;
    QString m_romVersion;
};

} // namespace vq
