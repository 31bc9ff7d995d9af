#pragma once

// The main window: five device buttons on the left, the settings editor on
// the right, the message line, the busy lamp, logo, title and version below,
// and the menu bar. The window owns no logic: the editor it shows is an
// EditorModel, and clicks and menu commands leave as signals for the
// program's device operations and file commands.

#include "core/colours.h"
#include "core/twips.h"
#include "link/statusmodel.h"
#include "settings/paramtable.h"

#include <QMainWindow>

#include <array>

class QAction;
class QActionGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vq {

class EditorModel;
class UpDownButton;

class Lamp : public QWidget
{
    Q_OBJECT
public:
    explicit Lamp(QWidget *parent = nullptr) : QWidget(parent) {}
    void setColour(quint32 bgr);
    [[nodiscard]] quint32 colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    quint32 m_colour = kLampIdle;
};

class FrmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit FrmMain(EditorModel &editor, QWidget *parent = nullptr);

    // The message line TxtMsg: the colour first, then the whole text. The
    // text comes in English from the message catalogue and is shown in the
    // user's language (again after every change of language).
    void ShowMessage(const QString &text, quint32 colour);
    // The message line's tool tip: why the message came (empty: none).
    void setMessageDetail(const QString &detail);
    // The language the "Language" menu marks as chosen ("de"; "en" for English).
    void setLanguage(const QString &code);
    void setDeviceButtonEnabled(int index, bool enabled);
    void setLampColour(quint32 bgr);
    // While a device operation runs, ComPort and the two Open commands are
    // disabled: they would close the port or replace the receive buffer under
    // the running exchange. Exit stays usable.
    void setBusy(bool busy);
    void setProductName(const QString &text);
    void setVersionText(const QString &text);

    [[nodiscard]] QPushButton *CmdVqCom(int i) const { return m_cmdVqCom.at(size_t(i)); }
    [[nodiscard]] QLineEdit *TxtData(int i) const { return m_txtData.at(size_t(i)); }
    [[nodiscard]] UpDownButton *UpDownData(int i) const { return m_upDownData.at(size_t(i)); }
    [[nodiscard]] QCheckBox *ChkCurLimOff() const { return m_chkCurLimOff; }
    [[nodiscard]] QCheckBox *ChkMode(int k) const { return m_chkMode.at(size_t(k)); }
    [[nodiscard]] QLineEdit *TxtMsg() const { return m_txtMsg; }
    [[nodiscard]] Lamp *ShpLED() const { return m_lamp; }
    [[nodiscard]] QFrame *FraTmp() const { return m_fraTmp; }

    QAction *mnuOpen = nullptr;
    QAction *mnuSave = nullptr;
    QAction *munOpenLog = nullptr;
    QAction *mnuSaveLog = nullptr;
    QAction *mnuCom = nullptr;
    QAction *mnuEnd = nullptr;
    // The context menu's "Language" entry; its menu names each language in itself.
    QAction *mnuLanguage = nullptr;

signals:
    void deviceButtonClicked(int index);
    // A language was picked in the context menu ("de", ..., "en").
    void languageChosen(const QString &code);
    void unloading(); // Form_Unload: the window is closing and the program ends

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildMenus();
    void buildLanguageMenu();
    // Every text of the window in the language of the moment; the captions
    // are fitted again from the window's caption font.
    void retranslate();
    void buildButtons(QWidget *area);
    void buildEditor(QWidget *area);
    void buildStatusArea(QWidget *area);
    void mirrorEditor();
    void fitCaptions();
    void showMark(int i, bool marked);

    EditorModel &m_editor;
    std::array<QPushButton *, kDeviceButtons> m_cmdVqCom{};
    std::array<QLineEdit *, kParamCount> m_txtData{};
    std::array<UpDownButton *, kParamCount> m_upDownData{};
    std::array<QCheckBox *, kModeFlags> m_chkMode{};
    QCheckBox *m_chkCurLimOff = nullptr;
    QLabel *m_lblCurLim = nullptr;
    std::array<QLabel *, kParamCount> m_lblCaption{};
    std::array<QLabel *, kParamCount> m_lblUnit{};
    QLabel *m_lblVqType = nullptr;
    QLabel *m_lblVer = nullptr;
    QLabel *m_lblMessage = nullptr;
    QLabel *m_lblBusy = nullptr;
    QMenu *m_mnuFile = nullptr;
    QMenu *m_mnuSet = nullptr;
    QMenu *m_mnuLog = nullptr;
    QActionGroup *m_languages = nullptr;
    QString m_messageText; // as it came, in English
    QString m_messageDetail;
    bool m_busy = false;
    QLineEdit *m_txtVqType = nullptr;
    QLineEdit *m_txtVer = nullptr;
    QLineEdit *m_txtMsg = nullptr;
    Lamp *m_lamp = nullptr;
    QLabel *m_lblProductName = nullptr;
    QLabel *m_lblVersion = nullptr;
    QFrame *m_fraTmp = nullptr;
    bool m_placed = false; // centred on its first showing
    int m_designHeight = 0; // the window's height with the menu bar of the moment
};

} // namespace vq
