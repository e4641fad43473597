#pragma once
// The program's main window: twelve message rows with their effects, the tool bar, the
// command buttons, the link picture and the progress bar. It answers the device image
// and the project file for its rows and shows what detection and download report.

#include "link/DeviceLink.h"
#include "main/DeviceImage.h"
#include "main/DialogRows.h"
#include "main/ProjectFile.h"
#include "ui/DialogUnits.h"

#include <QDialog>
#include <QPixmap>
#include <QTimer>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QProgressBar;
class QRadioButton;
class QScrollBar;

namespace tessivo {

class CFontComboBox;
class CInputChrWnd;
class CShadeButtonST;

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
constexpr int kNote = 1046, kNoteBox = 1043, kProgress = 1044;
// Commands of menus.
constexpr int kLedType7 = 8010, kLedType11 = 8011, kLedType16 = 8012;
constexpr int kRed = 8014, kGreen = 8015, kBlue = 8016, kYellow = 8017;
constexpr int kAbout = 16;
}

class CTessivoDlg : public QDialog, public DialogRows, private LinkView {
    Q_OBJECT
public:
    static constexpr const char *kCaption = "USB DATA DOWNLOAD SYSTEM ";

    /// Without drivers the dialog talks to the real links.
    explicit CTessivoDlg(LinkDrivers *drivers = nullptr, QWidget *parent = nullptr);
    ~CTessivoDlg() override;

    // The rows, as the device image and the project file read them.
    bool isRowEnabled(int k) const override;
    const RowModel &row(int k) const override;
    int openingEffect(int k) const override;
    int middleEffect(int k) const override;
    int closingEffect(int k) const override;

    CInputChrWnd *rowWindow(int k) const;
    int ledType() const { return ledType_; }
    int firstRow() const { return firstRow_; }
    int rowsPerPage() const { return rowsPerPage_; }
    int currentRow() const { return currentRow_; }
    bool modified() const { return modified_; }
    const QString &projectPath() const { return projectPath_; }
    DeviceLink &deviceLink() { return *link_; }
    const DeviceImage &deviceImage() const { return image_; }

    void ChangeLedType(int type, bool enableRows);
    void LayoutRows();
    void EnableRow(int k, bool enable);
    void ApplyLanguage(bool full);

    // Commands.
    bool ConfirmSave();
    void OnOpen();
    enum class SaveOutcome { Saved, Cancelled, Failed };
    SaveOutcome OnSave();
    void OnClear();
    bool OnSend();
    void OnCommand(int command);
    void OnLanguageChanged(int index);
    /// Either glyph-source radio button was clicked.
    void OnGlyphSource();
    /// The user picked another face in the font list.
    void OnSysFontChanged();
    void OnMiddleOption(bool checked);
    void OnRowChanged(int k);
    void OnEditorButton(int k);
    void OnCurrentRow(int controlId);
    void OnScroll(int action);
    void OnExit();
    void OnAbout();
    /// A glyph picked on the character keyboard: goes into the current row.
    void InsertKeyboardGlyph(const ChrRecord *record);

    /// Applies a project that was read; the rows change only here.
    void ApplyProject(const Project &project);

signals:
    /// The character keyboard's pick (the keyboard arrives with its own window).
    void keyboardGlyph(const tessivo::ChrRecord &record);
    /// The character keyboard must be filled anew for the LED type (its glyph source,
    /// font or type changed).
    void keysNeedRefill(int ledType);

protected:
    void reject() override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // LinkView: what detection and download show.
    void setProgressRange(int minimum, int maximum) override;
    void setProgressPosition(int position) override;
    void showLinkState(bool connected, const QString &toolTip) override;
    void setSendEnabled(bool enabled) override;
    void startProgressReset() override;
    void stopProgressReset() override;
    void showError(const QString &text) override;

    void createControls();
    void arrangeToolBar();
    void setupRowFrame();
    QWidget *control(int id) const;
    QRect rowFrame() const;
    void fillList(QComboBox *list, const char16_t (*texts)[80], int count);
    /// The LED type button's caption (and accessible name) for the current type.
    void renewLedTypeCaption();
    void setRowEffects(int k, int opening, int middle, int closing);

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
    std::array<RowControls, kRows> rows_{};

    CShadeButtonST *open_ = nullptr, *save_ = nullptr, *clear_ = nullptr, *ledTypeButton_ = nullptr;
    CShadeButtonST *colour_ = nullptr, *start_ = nullptr, *stop_ = nullptr, *send_ = nullptr,
                   *exit_ = nullptr;
    QMenu *colourMenu_ = nullptr;
    QRadioButton *userFont_ = nullptr, *sysFont_ = nullptr;
    CFontComboBox *fontList_ = nullptr;
    QComboBox *languageList_ = nullptr;
    QMenu *ledTypeMenu_ = nullptr;
    QLabel *logo_ = nullptr, *linkPicture_ = nullptr, *note_ = nullptr;
    QCheckBox *middleOption_ = nullptr;
    QScrollBar *scrollBar_ = nullptr;
    QProgressBar *progress_ = nullptr;
    std::array<QLabel *, 4> headers_{};

    int ledType_ = 0;
    int firstRow_ = 0;
    int rowsPerPage_ = 0;
    int rowHeight_ = 0;  // h, the height of an effect list
    int currentRow_ = 0;
    bool modified_ = false;
    QString projectPath_;
    QPixmap linkPictures_[2];
    QTimer detectTimer_;
    QTimer resetTimer_;
    bool inExit_ = false;
};

} // namespace tessivo
