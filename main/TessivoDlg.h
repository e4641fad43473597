// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program's main window: a view of the message document (twelve rows with their
// effects, the LED type, the middle option) with the tool bar, the command buttons,
// the link picture and the progress bar. It builds the controls, mirrors the document
// into them, and turns clicks into calls on the document.
//
// Its code is split by subject: creation, geometry and mirroring (TessivoDlg.cpp), the
// commands of the tool bar, the rows and the keys (TessivoDlgCommands.cpp), projects
// (TessivoDlgProject.cpp), Send and the link display (TessivoDlgLink.cpp).

#include "link/DeviceImage.h"
#include "link/DeviceLink.h"
#include "main/RowLayout.h"
#include "rows/ChrRecord.h"
#include "ui/DialogUnits.h"

#include <QDialog>
#include <QPixmap>
#include <QTimer>
#include <array>
#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QShortcut;

namespace tessivo {

class CDemoWnd;
class CFontComboBox;
class CInputChrWnd;
class CKeyWnd;
class CMakeChrWnd;
class CPictureLabel;
class CShadeButtonST;
class MessageDocument;
class Settings;

namespace dlg {
constexpr int kExit = 1;
constexpr int kToolBar = 1027, kLogo = 1025, kOpen = 1028, kSave = 1029, kClear = 1032,
              kLedType = 1030, kSourceFrame = 1031, kUserFont = 1034, kSysFont = 1035,
              kFontList = 1039, kLanguageLabel = 1040, kLanguageList = 1033, kLinkFrame = 1041,
              kLinkPicture = 1026;
constexpr int kHeaderText = 1056, kHeaderOpening = 1057, kHeaderMiddle = 1058,
              kHeaderClosing = 1059, kMiddleOption = 1047;
constexpr int kRowFrame = 2000, kRowNumber = 2001, kRowInput = 3001, kEditorButton = 3212,
              kOpeningList = 4001, kMiddleList = 4101, kClosingList = 5001, kScrollBar = 1999;
constexpr int kDemoPlace = 1006, kKeyboardPlace = 1005;
constexpr int kColour = 1013, kStart = 1010, kStop = 1011, kSend = 1012;
constexpr int kNote = 1046, kNoteBox = 1043, kProgress = 1044, kCapacity = 1045, kCancelSend = 1061;
// Commands of menus.
constexpr int kLedType7 = 8010, kLedType11 = 8011, kLedType16 = 8012;
constexpr int kRed = 8014, kGreen = 8015, kBlue = 8016, kYellow = 8017;
constexpr int kAbout = 16, kLastAbout = 31;
/// The LED colours of the colour menu's items 8014-8017, 0x00BBGGRR.
constexpr uint32_t kLedColours[] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x0000FFFF};
}

class CTessivoDlg : public QDialog, private LinkView {
    Q_OBJECT
public:
    static constexpr const char *kCaption = "USB DATA DOWNLOAD SYSTEM ";

    /// A view of `document`; languages and the editor's window size come from
    /// `settings`; the display is reached through `drivers`.
    CTessivoDlg(MessageDocument &document, Settings &settings, LinkDrivers &drivers,
                QWidget *parent = nullptr);
    ~CTessivoDlg() override;

    /// Makes screen readers see the program's controls through the program's own
    /// interfaces; start-up calls it before the first widget is made.
    static void installAccessibility();

    MessageDocument &document() { return document_; }
    const MessageDocument &document() const { return document_; }
    CInputChrWnd *rowWindow(int k) const;
    CDemoWnd *demoWindow() const { return demo_; }
    CKeyWnd *keyWindow() const { return keys_; }
    CMakeChrWnd *editorWindow() const { return editor_; }
    int firstRow() const { return firstRow_; }
    int rowsPerPage() const { return rowsPerPage_; }
    DeviceLink &deviceLink() { return *link_; }
    const DeviceImage &deviceImage() const { return image_; }

    void LayoutRows();
    void ApplyLanguage(bool full);
    /// The capacity gauge beside the progress bar, for the rows as they are now (changes
    /// renew it at the next turn of the event loop).
    void showCapacity();

    // Commands.
    bool ConfirmSave();
    void OnOpen();
    /// Opens a project without asking for it (Open after its dialog, and a project
    /// named on the command line); false after the error message.
    bool OpenProjectFile(const QString &path);
    /// Opens a project after the save question (a drop, a recent project).
    void OpenAfterAsking(const QString &path);
    /// The Open button's menu of recent projects.
    void fillRecentMenu(QMenu &menu);
    enum class SaveOutcome { Saved, Cancelled, Failed };
    SaveOutcome OnSave();
    /// Save as a command of a button or key, its outcome told by the dialogs.
    void saveCommand() { OnSave(); }
    void OnClear();
    /// Send: the download runs on a thread of its own while the window stays alive;
    /// answers whether the image reached the display.
    bool OnSend();
    /// Stops a running Send after the packet in flight (the Cancel button, Escape).
    void OnCancelSend();
    /// While Send runs, the close box and Ctrl+Q ask whether to stop it; on Yes it stops
    /// after the packet in flight and the window then leaves as it would when idle.
    void askStopSending();
    /// Tells screen readers how a Send ended (success shows no message of its own).
    void announceSendOutcome(const QString &outcome);
    bool sending() const { return sending_; }
    /// Start plays the rows on the simulation; Stop ends it.
    void OnStart();
    void OnStop();
    void OnCommand(int command);
    void OnLanguageChanged(int index);
    /// Either glyph-source radio button was clicked.
    void OnGlyphSource();
    /// The user picked another face in the font list.
    void OnSysFontChanged();
    void OnMiddleOption(bool checked);
    void OnEditorButton(int k);
    void OnCurrentRow(int controlId);
    void OnScroll(int action);
    void OnExit();
    void OnAbout();
    /// A picture into row k at its caret, from `path` or (empty) a file the user picks;
    /// the user hears what did not fit. Answers the columns inserted, -1 for none.
    int OnInsertPicture(int k, const QString &path);
    /// The simulation's "Save animation…": the rows played once, as an animated GIF.
    bool OnSaveAnimation();
    /// A glyph picked on the character keyboard: goes into the current row.
    void InsertKeyboardGlyph(const ChrRecord *record);

signals:
    /// The user leaves: the question is answered, the window is about to close.
    void exiting();

protected:
    void reject() override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // LinkView: what detection and download show.
    void setProgressRange(int minimum, int maximum) override;
    void setProgressPosition(int position) override;
    void showLinkState(bool connected, const QString &toolTip) override;
    void setSendEnabled(bool enabled) override;
    void startProgressReset() override;
    void stopProgressReset() override;
    void showError(const QString &text) override;

    // Creation and geometry.
    void resizeEvent(QResizeEvent *event) override;
    /// The commands a Send disables while it runs.
    void setCommandsEnabled(bool enabled);
    RowLayoutInput rowLayoutInput() const;
    void recordWidthAnchors();
    /// The window is at least as wide as the effect lists need for their longest texts.
    void fitListsToTheirTexts();
    void createControls();
    void createRows();
    void arrangeToolBar();
    void setupRowFrame();
    void startLink(LinkDrivers &drivers);
    QWidget *control(int id) const;
    QRect rowFrame() const;

    // Mirroring the document into the controls.
    void followDocument();
    void showEnabledRows();
    void showEffects(int k);
    void showLedType(int type);
    void showUseMiddle(bool useMiddle);
    void fillList(QComboBox *list, const char16_t (*texts)[80], int count);
    /// The LED type button's caption (and accessible name) for the current type.
    void renewLedTypeCaption();
    /// The user picked an effect in one of row k's lists.
    void takeEffects(int k);

    MessageDocument &document_;
    Settings &settings_;
    QFont font_;
    DialogUnits du_;
    std::unique_ptr<DeviceLink> link_;
    DeviceImage image_;

    struct RowControls {
        QLabel *number = nullptr;
        CInputChrWnd *input = nullptr;
        QPushButton *editor = nullptr;
        QComboBox *opening = nullptr;
        QComboBox *middle = nullptr;
        QComboBox *closing = nullptr;
    };
    std::array<RowControls, kMessageRows> rows_{};

    CShadeButtonST *open_ = nullptr, *save_ = nullptr, *clear_ = nullptr, *ledTypeButton_ = nullptr;
    CShadeButtonST *colour_ = nullptr, *start_ = nullptr, *stop_ = nullptr, *send_ = nullptr,
                   *exit_ = nullptr;
    QMenu *colourMenu_ = nullptr;
    QRadioButton *userFont_ = nullptr, *sysFont_ = nullptr;
    CFontComboBox *fontList_ = nullptr;
    QComboBox *languageList_ = nullptr;
    QMenu *ledTypeMenu_ = nullptr;
    CPictureLabel *logo_ = nullptr, *linkPicture_ = nullptr;
    QLabel *note_ = nullptr;
    QCheckBox *middleOption_ = nullptr;
    QScrollBar *scrollBar_ = nullptr;
    QProgressBar *progress_ = nullptr;
    QLabel *capacity_ = nullptr;
    QPushButton *cancel_ = nullptr;  // in the gauge's place while Send runs
    std::vector<QShortcut *> shortcuts_;
    QShortcut *quitKey_ = nullptr;    // stays on while Send runs: it asks to stop first
    QShortcut *cancelKey_ = nullptr;  // Escape while Send runs, wherever the focus is
    int shownCapacity_ = -1;  // the byte count the gauge shows, -1 before the first
    std::array<QLabel *, 4> headers_{};
    CDemoWnd *demo_ = nullptr;
    CKeyWnd *keys_ = nullptr;
    CMakeChrWnd *editor_ = nullptr;

    int firstRow_ = 0;
    int rowsPerPage_ = 0;
    int rowHeight_ = 0;  // h, the height of an effect list
    QTimer detectTimer_;
    QTimer resetTimer_;
    QTimer capacityTimer_;  // renews the gauge after the changes of one event-loop turn
    bool inExit_ = false;
    bool shownOnce_ = false;
    bool sending_ = false;
    bool leaveAfterSend_ = false;  // the user chose to leave while Send ran
    QSize baseSize_;  // the template's size, the smallest the window gets
    std::vector<std::pair<QWidget *, QRect>> stretched_, moved_;  // at the template's width
};

} // namespace tessivo
