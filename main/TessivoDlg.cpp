// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window: its creation from the dialog template, the geometry of the tool bar
// and the rows, and the mirroring of the document into the controls.

#include "main/TessivoDlg.h"

#include "document/DeviceImageBuilder.h"
#include "document/MessageDocument.h"
#include "glyphs/FontComboBox.h"
#include "main/DialogTexts.h"
#include "main/RowLayout.h"
#include "preview/DemoWnd.h"
#include "preview/KeyWnd.h"
#include "editor/MakeChrWnd.h"
#include "rows/InputChrWnd.h"
#include "settings/Settings.h"
#include "ui/Accessibility.h"
#include "ui/MessageBox.h"
#include "ui/Outline.h"
#include "ui/PictureLabel.h"
#include "ui/Pictures.h"
#include "ui/ShadeButton.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyleOptionComboBox>

namespace tessivo {

namespace {

/// The dialog's font: SimSun 10 point where it is installed, else DejaVu Sans 9 point,
/// whose dialog units (7 x 14 pixels) are those of SimSun 10 point.
QFont dialogFont()
{
    // The installed families only: asking whether a family exists resolves fontconfig's
    // aliases over every installed font, which costs more than building the window.
    static const bool simSun = QFontDatabase::families().contains(QStringLiteral("SimSun"), Qt::CaseInsensitive);
    if (simSun) {
        QFont font(QStringLiteral("SimSun"));
        font.setPointSize(10);
        return font;
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(9);
    return font;
}

constexpr int kTemplateWidth = 467, kTemplateHeight = 353;
constexpr int kNumberWidthUnits = 10, kEditorWidthUnits = 18;
/// Room an item of a drop-down list needs beside its text (its padding on both sides).
constexpr int kListTextMargin = 16;

} // namespace

/// An effect list whose drop-down shows every text whole. The drop-down is sized when
/// it opens: making it for each of the 36 lists at start-up would cost more than the
/// rest of the window.
class CEffectList : public QComboBox {
public:
    using QComboBox::QComboBox;
    void showPopup() override
    {
        const QFontMetrics metrics(view()->font());
        int widest = 0;
        for (int i = 0; i < count(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
        view()->setMinimumWidth(widest + 2 * view()->frameWidth() + kListTextMargin);
        QComboBox::showPopup();
    }
};

namespace {

/// Screen readers name a row's controls after the row.
QString rowName(int k)
{
    return QStringLiteral("Row %1").arg(k + 1);
}

} // namespace

void CTessivoDlg::installAccessibility()
{
    tessivo::installAccessibility();
    CInputChrWnd::installAccessibility();
    CKeyWnd::installAccessibility();
}

CTessivoDlg::CTessivoDlg(MessageDocument &document, Settings &settings, LinkDrivers &drivers,
                         QWidget *parent)
    : QDialog(parent), document_(document), settings_(settings), font_(dialogFont()), du_(font_)
{
    installAccessibility();
    setObjectName(QStringLiteral("id102"));
    setWindowTitle(windowTitleFor(QString::fromLatin1(kCaption), document_.projectPath()));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(pictures::programIcon());
    setFont(font_);
    // The template's size is the smallest; the window may grow wider (never higher),
    // and the rows and lists take the width.
    baseSize_ = QSize(du_.x(kTemplateWidth), du_.y(kTemplateHeight));
    setMinimumSize(baseSize_);
    setMaximumHeight(baseSize_.height());
    resize(baseSize_);

    // A project dropped on the window opens (after the save question).
    setAcceptDrops(true);

    // A new window shows a message without middle effects.
    document_.setUseMiddle(false);

    createControls();
    arrangeToolBar();
    setupRowFrame();

    // Languages.
    const LanguageTable &languages = settings_.languages;
    for (int i = 0; i < languages.count(); ++i)
        languageList_->addItem(languages.name(i));
    languageList_->setCurrentIndex(std::max(0, languages.currentIndex()));
    connect(languageList_, &QComboBox::currentIndexChanged, this, &CTessivoDlg::OnLanguageChanged);
    connect(&settings_, &Settings::languageChanged, this, [this](int index) {
        const QSignalBlocker blocker(languageList_);
        languageList_->setCurrentIndex(index);
        ApplyLanguage(true);
    });
    middleOption_->setChecked(document_.useMiddle());
    ApplyLanguage(true);

    followDocument();
    document_.ChangeLedType(document_.ledType(), true);
    recordWidthAnchors();
    fitListsToTheirTexts();
    LayoutRows();

    progress_->setRange(1, 100);
    // Idle, the bar is empty and says so: its value is its minimum, not below it.
    progress_->setValue(progress_->minimum());
    startLink(drivers);
}

CTessivoDlg::~CTessivoDlg()
{
    // The rows belong to the document, which outlives this window.
    document_.disconnect(this);
    settings_.disconnect(this);
}

// ---- creation ----

void CTessivoDlg::createControls()
{
    const auto place = [this](QWidget *w, int id, int x, int y, int width, int height) {
        w->setObjectName(QStringLiteral("id%1").arg(id));
        w->setGeometry(du_.rect(x, y, width, height));
    };
    const auto frame = [&](int id, int x, int y, int w, int h, QFrame::Shape shape) {
        auto *f = new QFrame(this);
        f->setFrameShape(shape);
        f->setFrameShadow(shape == QFrame::Box ? QFrame::Sunken : QFrame::Plain);
        place(f, id, x, y, w, h);
        return f;
    };
    const auto button = [&](int id, int x, int y, int w, int h, int shade, int pictureId) {
        auto *b = new CShadeButtonST(this);
        place(b, id, x, y, w, h);
        b->SetShade(shade);
        b->SetPicture(pictureId);
        b->setAutoDefault(false);
        return b;
    };
    const auto label = [&](int id, int x, int y, int w, int h) {
        auto *l = new QLabel(this);
        place(l, id, x, y, w, h);
        return l;
    };

    // Tool bar.
    frame(dlg::kToolBar, 0, 0, 466, 35, QFrame::Box);
    logo_ = new CPictureLabel(this);
    place(logo_, dlg::kLogo, 1, 1, 29, 33);
    logo_->setPicture(pictures::kLogo);
    logo_->setAccessibleName(QStringLiteral("Tessivo"));
    logo_->setToolTip(QStringLiteral("About Tessivo"));
    logo_->setCursor(Qt::PointingHandCursor);
    logo_->installEventFilter(this);
    open_ = button(dlg::kOpen, 38, 7, 40, 21, CShadeButtonST::kSoftBump, pictures::kOpen);
    save_ = button(dlg::kSave, 80, 7, 40, 21, CShadeButtonST::kSoftBump, pictures::kSave);
    clear_ = button(dlg::kClear, 122, 7, 40, 21, CShadeButtonST::kSoftBump, pictures::kClear);
    ledTypeButton_ = button(dlg::kLedType, 173, 7, 50, 21, CShadeButtonST::kSoftBump, pictures::kLedType);
    ledTypeMenu_ = new QMenu(ledTypeButton_);
    ledTypeMenu_->setObjectName(QStringLiteral("ledTypeMenu"));
    ledTypeMenu_->setAccessibleName(QStringLiteral("LED type"));
    for (int type = 0; type < ledtype::kCount; ++type) {
        const int command = dlg::kLedType7 + type;
        QAction *action =
            ledTypeMenu_->addAction(QStringLiteral("%1LED").arg(document_.ledTypes()[type].ledCount));
        action->setObjectName(QStringLiteral("id%1").arg(command));
        action->setData(command);
        action->setCheckable(true);
    }
    connect(ledTypeMenu_, &QMenu::aboutToShow, this, [this] {
        const auto actions = ledTypeMenu_->actions();
        for (int type = 0; type < actions.size(); ++type)
            actions[type]->setChecked(type == document_.ledType());
    });
    connect(ledTypeMenu_, &QMenu::triggered, this,
            [this](QAction *action) { OnCommand(action->data().toInt()); });
    ledTypeButton_->setMenu(ledTypeMenu_);
    frame(dlg::kSourceFrame, 225, 0, 105, 35, QFrame::Box);
    userFont_ = new QRadioButton(this);
    place(userFont_, dlg::kUserFont, 227, 2, 53, 12);
    sysFont_ = new QRadioButton(this);
    place(sysFont_, dlg::kSysFont, 278, 2, 51, 12);
    (document_.glyphSource().userFont ? userFont_ : sysFont_)->setChecked(true);
    fontList_ = new CFontComboBox(this);
    place(fontList_, dlg::kFontList, 227, 17, 102, 89);
    fontList_->setAccessibleName(QStringLiteral("Installed font"));
    fontList_->setEnabled(!document_.glyphSource().userFont);
    connect(userFont_, &QRadioButton::clicked, this, &CTessivoDlg::OnGlyphSource);
    connect(sysFont_, &QRadioButton::clicked, this, &CTessivoDlg::OnGlyphSource);
    connect(fontList_, &QComboBox::activated, this, &CTessivoDlg::OnSysFontChanged);
    QLabel *languageLabel = label(dlg::kLanguageLabel, 330, 5, 54, 10);
    languageList_ = new QComboBox(this);
    place(languageList_, dlg::kLanguageList, 330, 17, 54, 89);
    // Screen readers hear the list by its caption (its name, and the label's relation).
    languageList_->setAccessibleName(QStringLiteral("Language"));
    languageLabel->setBuddy(languageList_);
    frame(dlg::kLinkFrame, 388, 0, 72, 35, QFrame::Box);
    linkPicture_ = new CPictureLabel(this);
    place(linkPicture_, dlg::kLinkPicture, 413, 11, 53, 33);

    // Column headers and the middle-effect option.
    headers_[0] = label(dlg::kHeaderText, 6, 44, 60, 10);
    headers_[1] = label(dlg::kHeaderOpening, 100, 44, 60, 10);
    headers_[2] = label(dlg::kHeaderMiddle, 170, 44, 60, 10);
    headers_[3] = label(dlg::kHeaderClosing, 240, 44, 60, 10);
    for (QLabel *header : headers_) {
        header->setAlignment(Qt::AlignCenter);
        QFont bold = font_;
        bold.setBold(true);
        header->setFont(bold);
    }
    middleOption_ = new QCheckBox(this);
    place(middleOption_, dlg::kMiddleOption, 343, 42, 94, 13);
    middleOption_->setVisible(false);
    connect(middleOption_, &QCheckBox::clicked, this, &CTessivoDlg::OnMiddleOption);

    // The rows' frame is black in any palette.
    auto *rowFrame = new COutlineFrame(this);
    rowFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
    place(rowFrame, dlg::kRowFrame, 6, 57, 326, 157);
    createRows();
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    place(scrollBar_, dlg::kScrollBar, 290, 61, 11, 96);
    scrollBar_->setAccessibleName(QStringLiteral("Rows"));
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &CTessivoDlg::OnScroll);

    // The places of the simulation and of the character keyboard, and the windows on them.
    QFrame *demoPlace = frame(dlg::kDemoPlace, 6, 215, 113, 114, QFrame::NoFrame);
    QFrame *keyPlace = frame(dlg::kKeyboardPlace, 170, 215, 296, 114, QFrame::NoFrame);
    demoPlace->hide();
    keyPlace->hide();
    demo_ = new CDemoWnd(document_, this);
    connect(demo_, &CDemoWnd::saveAnimationAsked, this, &CTessivoDlg::OnSaveAnimation);
    demo_->move(demoPlace->pos());
    keys_ = new CKeyWnd(document_, this);
    keys_->setGeometry(keyPlace->geometry());
    connect(keys_, &CKeyWnd::keyPicked, this, [this](const ChrRecord &record) { InsertKeyboardGlyph(&record); });
    // The glyph editor: a hidden tool window of this one, as large as it was last time.
    editor_ = new CMakeChrWnd(document_, settings_.languages, QSize(settings_.MakeChrWndCx, settings_.MakeChrWndCy),
                              this);

    colour_ = button(dlg::kColour, 122, 220, 48, 19, CShadeButtonST::kHardBump, pictures::kColour);
    start_ = button(dlg::kStart, 122, 242, 48, 19, CShadeButtonST::kHardBump, pictures::kStart);
    stop_ = button(dlg::kStop, 122, 262, 48, 19, CShadeButtonST::kHardBump, pictures::kStop);
    stop_->setEnabled(false);
    send_ = button(dlg::kSend, 122, 285, 48, 19, CShadeButtonST::kHardBump, pictures::kSend);
    exit_ = button(dlg::kExit, 122, 306, 48, 19, CShadeButtonST::kHardBump, pictures::kExit);
    exit_->setDefault(true);

    colourMenu_ = new QMenu(colour_);
    colourMenu_->setObjectName(QStringLiteral("menu160"));
    colourMenu_->setAccessibleName(QStringLiteral("LED colour"));
    for (int command : {dlg::kRed, dlg::kGreen, dlg::kBlue, dlg::kYellow}) {
        QAction *action = colourMenu_->addAction(QString());
        action->setObjectName(QStringLiteral("id%1").arg(command));
        action->setData(command);
        action->setCheckable(true);
    }
    connect(colourMenu_, &QMenu::aboutToShow, this, [this] {
        const auto actions = colourMenu_->actions();
        for (int i = 0; i < actions.size() && i < 4; ++i)
            actions[i]->setChecked(document_.ledColor() == dlg::kLedColours[i]);
    });
    connect(colourMenu_, &QMenu::triggered, this,
            [this](QAction *action) { OnCommand(action->data().toInt()); });
    colour_->setMenu(colourMenu_);

    note_ = new CNoteLabel(this);
    place(note_, dlg::kNote, 340, 57, 118, 152);
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note_->setMargin(6);

    auto *noteBox = new QGroupBox(this);
    place(noteBox, dlg::kNoteBox, 458, 344, 8, 9);
    progress_ = new QProgressBar(this);
    place(progress_, dlg::kProgress, 0, 335, 386, 16);
    progress_->setTextVisible(false);
    progress_->setAccessibleName(QStringLiteral("Download progress"));
    // How much of the display's memory the rows take, beside the progress bar.
    capacity_ = label(dlg::kCapacity, 388, 335, 76, 16);
    capacity_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    capacity_->setTextFormat(Qt::PlainText);
    markAsGauge(capacity_);  // before anything asks how screen readers see it
    cancel_ = new QPushButton(this);
    place(cancel_, dlg::kCancelSend, 388, 335, 76, 16);
    cancel_->setAutoDefault(false);
    cancel_->hide();
    connect(cancel_, &QPushButton::clicked, this, &CTessivoDlg::OnCancelSend);
    capacity_->setAccessibleName(QStringLiteral("Display memory used"));
    noteBox->lower();
    // The note box sits under the progress bar's corner; it only carries its caption.
    noteBox->hide();

    connect(open_, &QPushButton::clicked, this, &CTessivoDlg::OnOpen);
    // The projects opened last, from the Open button's own menu (right button or the
    // menu key).
    open_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(open_, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("recentMenu"));
        menu.setAccessibleName(QStringLiteral("Recent projects"));
        fillRecentMenu(menu);
        menu.exec(open_->mapToGlobal(at));
    });
    connect(save_, &QPushButton::clicked, this, [this] { OnSave(); });
    connect(clear_, &QPushButton::clicked, this, &CTessivoDlg::OnClear);
    connect(send_, &QPushButton::clicked, this, [this] { OnSend(); });
    connect(start_, &QPushButton::clicked, this, &CTessivoDlg::OnStart);
    connect(stop_, &QPushButton::clicked, this, &CTessivoDlg::OnStop);
    connect(exit_, &QPushButton::clicked, this, &CTessivoDlg::OnExit);

    // F1 shows the About box wherever the focus is, a row included; so do the standard
    // keys of Open, Save and Exit, which a row then never types as symbols.
    // Ctrl+O, Ctrl+S and Ctrl+Q on every desktop, and whatever else the desktop binds.
    const auto shortcut = [this](QList<QKeySequence> keys, void (CTessivoDlg::*command)()) {
        auto *key = new QShortcut(this);
        key->setKeys(keys);
        key->setContext(Qt::WindowShortcut);
        connect(key, &QShortcut::activated, this, [this, command] {
            // A key pressed in the glyph editor: once the command's dialogs are gone the
            // focus goes back there, not to this window.
            const QPointer<QWidget> from = QApplication::focusWidget();
            (this->*command)();
            if (from && from->window() != this && from->isVisible()) {
                from->window()->activateWindow();
                from->setFocus(Qt::OtherFocusReason);
            }
        });
        shortcuts_.push_back(key);
    };
    const auto standard = [](QKeySequence::StandardKey which, QKeyCombination fallback) {
        QList<QKeySequence> keys = QKeySequence::keyBindings(which);
        if (!keys.contains(QKeySequence(fallback)))
            keys.prepend(QKeySequence(fallback));
        return keys;
    };
    shortcut({QKeySequence(Qt::Key_F1)}, &CTessivoDlg::OnAbout);
    shortcut(standard(QKeySequence::Open, Qt::CTRL | Qt::Key_O), &CTessivoDlg::OnOpen);
    shortcut(standard(QKeySequence::Save, Qt::CTRL | Qt::Key_S), &CTessivoDlg::saveCommand);
    shortcut(standard(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q), &CTessivoDlg::OnExit);
    quitKey_ = shortcuts_.back();
    // While Send runs Escape stops it, also when a row has the focus (which would
    // otherwise take the key as a character).
    cancelKey_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    cancelKey_->setContext(Qt::WindowShortcut);
    cancelKey_->setEnabled(false);
    connect(cancelKey_, &QShortcut::activated, this, &CTessivoDlg::OnCancelSend);
}

void CTessivoDlg::createRows()
{
    const auto place = [this](QWidget *w, int id, int x, int y, int width, int height) {
        w->setObjectName(QStringLiteral("id%1").arg(id));
        w->setGeometry(du_.rect(x, y, width, height));
    };
    const QPixmap txt = pictures::picture(pictures::kTxt, QSize(du_.x(kEditorWidthUnits) - 6, 12));
    for (int k = 0; k < kMessageRows; ++k) {
        RowControls &row = rows_[size_t(k)];
        row.number = new QLabel(this);
        place(row.number, dlg::kRowNumber + k, 9, 60, kNumberWidthUnits, 12);
        row.number->setText(QString::number(k + 1));
        row.number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row.number->setAccessibleName(rowName(k));

        row.input = new CInputChrWnd(dlg::kRowInput + k, document_.row(k), settings_.languages, this);
        row.input->setGeometry(du_.x(20), du_.y(60), 156, 26);
        row.input->setAccessibleName(rowName(k));
        connect(row.input, &CInputChrWnd::focused, this, &CTessivoDlg::OnCurrentRow);
        connect(row.input, &CInputChrWnd::insertPictureAsked, this, [this, k] { OnInsertPicture(k, QString()); });
        connect(row.input, &CInputChrWnd::pictureDropped, this,
                [this, k](int, const QString &path) { OnInsertPicture(k, path); });

        row.editor = new QPushButton(this);
        place(row.editor, dlg::kEditorButton + k, 108, 60, kEditorWidthUnits, 12);
        row.editor->setIcon(QIcon(txt));
        row.editor->setIconSize(txt.deviceIndependentSize().toSize());  // logical pixels at any scale
        row.editor->setAutoDefault(false);
        connect(row.editor, &QPushButton::clicked, this, [this, k] { OnEditorButton(k); });

        const auto list = [&](int id, const QString &what) {
            auto *box = new CEffectList(this);
            place(box, id, 150, 60, 60, 89);
            box->setAccessibleName(rowName(k) + what);
            connect(box, &QComboBox::currentIndexChanged, this, [this, k] { takeEffects(k); });
            return box;
        };
        row.opening = list(dlg::kOpeningList + k, QStringLiteral(" opening effect"));
        row.middle = list(dlg::kMiddleList + k, QStringLiteral(" middle effect"));
        row.closing = list(dlg::kClosingList + k, QStringLiteral(" closing effect"));
    }
}

void CTessivoDlg::arrangeToolBar()
{
    QWidget *bar = control(dlg::kToolBar);
    QWidget *source = control(dlg::kSourceFrame);
    QWidget *linkFrame = control(dlg::kLinkFrame);
    const int barHeight = logo_->height() + 4;
    bar->setGeometry(0, 0, width(), barHeight);
    logo_->setGeometry(2, 2, logo_->width(), barHeight - 4);
    source->setGeometry(source->x(), 0, source->width(), barHeight);
    linkPicture_->setGeometry(width() - 2 - linkPicture_->width(), 2, linkPicture_->width(), barHeight - 4);
    linkFrame->setGeometry(linkPicture_->x() - 2, 0, width() - (linkPicture_->x() - 2), barHeight);
    const int left = source->geometry().right() + 1 + 8;
    const int right = linkFrame->x() - 8;
    for (QWidget *w : {control(dlg::kLanguageLabel), static_cast<QWidget *>(languageList_)})
        w->setGeometry(left, w->y(), right - left, w->height());
    // Lists are as high as their text needs; the template's height is the drop-down's.
    for (QComboBox *box : {static_cast<QComboBox *>(fontList_), languageList_})
        box->resize(box->width(), box->sizeHint().height());
}

QRect CTessivoDlg::rowFrame() const
{
    QRect f = control(dlg::kRowFrame)->geometry().adjusted(1, 1, -1, -1);
    return f.adjusted(0, 4, 0, -4);
}

void CTessivoDlg::setupRowFrame()
{
    const QRect inner = control(dlg::kRowFrame)->geometry().adjusted(1, 1, -1, -1);
    scrollBar_->setGeometry(inner.right() + 1 - scrollBar_->width(), inner.top(), scrollBar_->width(),
                            inner.height());
    rowHeight_ = rows_[0].opening->sizeHint().height();
    rowsPerPage_ = tessivo::rowsPerPage(rowFrame().height(), rowHeight_);
    firstRow_ = 0;
    scrollBar_->setRange(0, std::max(0, kMessageRows - rowsPerPage_));
    scrollBar_->setPageStep(std::max(1, rowsPerPage_));
    scrollBar_->setSingleStep(1);
    scrollBar_->setValue(0);
}

QWidget *CTessivoDlg::control(int id) const
{
    return findChild<QWidget *>(QStringLiteral("id%1").arg(id), Qt::FindDirectChildrenOnly);
}

CInputChrWnd *CTessivoDlg::rowWindow(int k) const
{
    return k >= 0 && k < kMessageRows ? rows_[size_t(k)].input : nullptr;
}

RowLayoutInput CTessivoDlg::rowLayoutInput() const
{
    RowLayoutInput in;
    in.frame = rowFrame();
    in.rowHeight = rowHeight_;
    in.scrollBarLeft = scrollBar_->x();
    in.useMiddle = document_.useMiddle();
    in.numberWidth = rows_[0].number->width();
    in.editorWidth = rows_[0].editor->width();
    in.firstRow = firstRow_;
    in.rowsPerPage = rowsPerPage_;
    for (int k = 0; k < kMessageRows; ++k) {
        in.inputWidth[size_t(k)] = rowInputWidth(document_.row(k).typeInfo());
        in.inputHeight[size_t(k)] = rows_[size_t(k)].input->height();
    }
    return in;
}

void CTessivoDlg::recordWidthAnchors()
{
    // What takes the extra width of a wider window, and what moves right with it.
    for (const int id : {dlg::kToolBar, dlg::kRowFrame, dlg::kProgress, dlg::kKeyboardPlace})
        stretched_.push_back({control(id), control(id)->geometry()});
    stretched_.push_back({keys_, keys_->geometry()});
    for (const int id : {dlg::kLinkFrame, dlg::kLinkPicture, dlg::kScrollBar, dlg::kNote, dlg::kMiddleOption,
                         dlg::kCapacity, dlg::kCancelSend})
        moved_.push_back({control(id), control(id)->geometry()});
}

void CTessivoDlg::fitListsToTheirTexts()
{
    if (stretched_.empty())
        return;
    // The longest text of each kind of list, whole, with the list's frame and arrow
    // (measured anew: a list's own size hint keeps the texts it was first shown with).
    const auto widthFor = [](const QComboBox *list) {
        const QFontMetrics metrics(list->font());
        int text = 0;
        for (int i = 0; i < list->count(); ++i)
            text = std::max(text, metrics.horizontalAdvance(list->itemText(i)));
        QStyleOptionComboBox option;
        option.initFrom(list);
        return list->style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(text, metrics.height()), list).width();
    };
    int needed = std::max(widthFor(rows_[0].opening), widthFor(rows_[0].closing));
    if (document_.useMiddle())
        needed = std::max(needed, widthFor(rows_[0].middle));
    RowLayoutInput in = rowLayoutInput();
    // Measured at the template's width: what the window needs beyond it.
    const int extra = width() - baseSize_.width();
    in.scrollBarLeft -= extra;
    const int wanted = baseSize_.width() + extraWidthForLists(in, needed);
    setMinimumWidth(wanted);
    if (width() < wanted)
        resize(wanted, height());
}

void CTessivoDlg::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    const int extra = std::max(0, width() - baseSize_.width());
    for (const auto &[widget, base] : stretched_)
        widget->setGeometry(base.adjusted(0, 0, extra, 0));
    for (const auto &[widget, base] : moved_)
        widget->setGeometry(base.translated(extra, 0));
    LayoutRows();
}

void CTessivoDlg::LayoutRows()
{
    if (rowsPerPage_ <= 0)
        return;
    const bool useMiddle = document_.useMiddle();
    const RowLayoutInput in = rowLayoutInput();
    const RowLayoutResult out = tessivo::LayoutRows(in);
    for (int k = 0; k < kMessageRows; ++k) {
        RowControls &row = rows_[size_t(k)];
        const RowPlacement &place = out.rows[size_t(k)];
        QWidget *all[] = {row.number, row.input, row.editor, row.opening, row.middle, row.closing};
        if (!place.visible) {
            for (QWidget *w : all)
                w->hide();
            continue;
        }
        row.number->setGeometry(place.number);
        row.input->setGeometry(place.input);
        row.input->syncLayout();
        row.editor->setGeometry(place.editor);
        row.opening->setGeometry(place.opening);
        row.closing->setGeometry(place.closing);
        if (useMiddle)
            row.middle->setGeometry(place.middle);
        for (QWidget *w : all)
            w->setVisible(w != row.middle || useMiddle);
    }
    if (!out.placed)
        return;
    const auto header = [](QLabel *label, int left, int right) {
        if (label->x() != left || label->geometry().right() + 1 != right)
            label->setGeometry(left, label->y(), right - left, label->height());
    };
    header(headers_[0], out.textLeft, out.textRight);
    header(headers_[1], out.textRight, out.openingRight);
    if (useMiddle)
        header(headers_[2], out.openingRight, out.middleRight);
    header(headers_[3], useMiddle ? out.middleRight : out.openingRight, out.closingRight);
    headers_[2]->setVisible(useMiddle);
}

void CTessivoDlg::OnScroll(int action)
{
    using rowlayout::Scroll;
    Scroll what = Scroll::Other;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: what = Scroll::LineUp; break;
    case QAbstractSlider::SliderSingleStepAdd: what = Scroll::LineDown; break;
    case QAbstractSlider::SliderPageStepSub: what = Scroll::PageUp; break;
    case QAbstractSlider::SliderPageStepAdd: what = Scroll::PageDown; break;
    case QAbstractSlider::SliderMove: what = Scroll::ThumbTrack; break;
    default: break;
    }
    const int first = scrolledFirstRow(what, firstRow_, rowsPerPage_, scrollBar_->sliderPosition());
    scrollBar_->setSliderPosition(first);
    if (first == firstRow_)
        return;
    firstRow_ = first;
    LayoutRows();
}

// ---- mirroring the document ----

void CTessivoDlg::followDocument()
{
    // The title names the project and shows whether it has unsaved changes.
    connect(&document_, &MessageDocument::projectPathChanged, this, [this](const QString &path) {
        setWindowTitle(windowTitleFor(QString::fromLatin1(kCaption), path));
    });
    connect(&document_, &MessageDocument::modifiedChanged, this, &QWidget::setWindowModified);
    setWindowModified(document_.modified());
    connect(&document_, &MessageDocument::enabledRowsChanged, this, &CTessivoDlg::showEnabledRows);
    connect(&document_, &MessageDocument::effectsChanged, this, &CTessivoDlg::showEffects);
    connect(&document_, &MessageDocument::ledTypeChanged, this, &CTessivoDlg::showLedType);
    connect(&document_, &MessageDocument::useMiddleChanged, this, &CTessivoDlg::showUseMiddle);
    // Every change that can change the device image's length renews the gauge, once
    // for all the changes of one turn of the event loop (a project changes twelve rows).
    capacityTimer_.setSingleShot(true);
    capacityTimer_.setInterval(0);
    connect(&capacityTimer_, &QTimer::timeout, this, &CTessivoDlg::showCapacity);
    const auto renew = [this] { capacityTimer_.start(); };
    for (const auto signal : {&MessageDocument::rowChanged, &MessageDocument::rowPixelsChanged})
        connect(&document_, signal, this, renew);
    connect(&document_, &MessageDocument::enabledRowsChanged, this, renew);
    connect(&document_, &MessageDocument::ledTypeChanged, this, renew);
    showCapacity();
    showEnabledRows();
    for (int k = 0; k < kMessageRows; ++k)
        showEffects(k);
}

void CTessivoDlg::showCapacity()
{
    // Most keys change the count; the colour changes only at the limit, and a style
    // sheet costs a new polish of the label.
    const int bytes = DeviceImageLength(document_);
    if (bytes == shownCapacity_)
        return;
    const bool wasOver = shownCapacity_ >= 0 && overCapacity(shownCapacity_);
    shownCapacity_ = bytes;
    capacity_->setText(capacityText(bytes));
    capacity_->setToolTip(capacityToolTip(bytes));
    if (const bool over = overCapacity(bytes); over != wasOver)
        capacity_->setStyleSheet(over ? QStringLiteral("QLabel { color: #c62828; font-weight: bold; }") : QString());
}

void CTessivoDlg::showEnabledRows()
{
    for (int k = 0; k < kMessageRows; ++k) {
        // A row's six controls, always switched together.
        const int ids[6] = {dlg::kRowNumber + k,   dlg::kRowInput + k,    dlg::kEditorButton + k,
                            dlg::kOpeningList + k, dlg::kClosingList + k, dlg::kMiddleList + k};
        EnableControls(this, ids, document_.isRowEnabled(k));
    }
}

void CTessivoDlg::showEffects(int k)
{
    const RowEffects effects = document_.effects(k);
    RowControls &row = rows_[size_t(k)];
    const std::pair<QComboBox *, int> lists[] = {
        {row.opening, effects.opening}, {row.middle, effects.middle}, {row.closing, effects.closing}};
    for (const auto &[list, index] : lists) {
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(index);
    }
}

void CTessivoDlg::takeEffects(int k)
{
    const RowControls &row = rows_[size_t(k)];
    document_.setEffects(k, {std::max(0, row.opening->currentIndex()), std::max(0, row.middle->currentIndex()),
                             std::max(0, row.closing->currentIndex())});
}

void CTessivoDlg::showLedType(int type)
{
    editor_->hide();
    {
        const QSignalBlocker blocker(fontList_);
        // A face that is not installed is named in grey; the system substitutes another.
        if (!fontList_->SelectFont(document_.glyphSource().face)) {
            fontList_->setCurrentIndex(-1);
            fontList_->setPlaceholderText(document_.glyphSource().face);
        }
    }
    note_->setText(noteText(settings_.languages.current(), type));
    renewLedTypeCaption();
    const int height = rowWindowHeight(document_.ledTypeInfo());
    for (RowControls &row : rows_) {
        row.input->resize(row.input->width(), height);
        row.input->syncLayout();
    }
}

void CTessivoDlg::showUseMiddle(bool useMiddle)
{
    middleOption_->setChecked(useMiddle);
    ApplyLanguage(false);
    LayoutRows();
}

void CTessivoDlg::fillList(QComboBox *list, const char16_t (*texts)[80], int count)
{
    const int selected = std::max(0, list->currentIndex());
    list->setUpdatesEnabled(false);
    const QSignalBlocker blocker(list);
    list->clear();
    for (int i = 0; i < count; ++i)
        list->addItem(fieldText(texts[i]));
    list->setCurrentIndex(std::min(selected, count - 1));
    list->setUpdatesEnabled(true);
}

void CTessivoDlg::ApplyLanguage(bool full)
{
    const LanguageRecord &language = settings_.languages.current();
    if (full) {
        for (int i = 0; i < 18; ++i) {
            QWidget *w = control(kCaptionControls[i]);
            const QString text = fieldText(language.C[i]);
            if (auto *button = qobject_cast<QAbstractButton *>(w))
                button->setText(text);
            else if (auto *label = qobject_cast<QLabel *>(w))
                label->setText(text);
            else if (auto *box = qobject_cast<QGroupBox *>(w))
                box->setTitle(text);
            if (w)
                w->setAccessibleName(text);
        }
        languageList_->setAccessibleName(fieldText(language.C[6]));
        // Twelve buttons that all read "TXT" are told apart by their rows.
        for (int k = 0; k < kMessageRows; ++k) {
            QPushButton *editor = rows_[size_t(k)].editor;
            editor->setAccessibleName(ownText(language, "Edit row %1", u"编辑第 %1 行").arg(k + 1));
            editor->setAccessibleDescription(
                ownText(language, "Glyph editor for row %1", u"第 %1 行的字模编辑器").arg(k + 1));
            editor->setToolTip(editor->accessibleDescription());
        }
        note_->setText(noteText(language, document_.ledType()));
        renewLedTypeCaption();
        if (editor_)
            editor_->RetranslateToolBar();
        open_->setToolTip(ownText(language, "Open a project; the right button offers the recent ones",
                                  u"打开项目；右键单击可选最近的项目"));
        cancel_->setText(ownText(language, "Cancel", u"取消"));
        demo_->setProperty("chinese", speaksChinese(language));
        cancel_->setToolTip(ownText(language, "Stop sending after the packet in flight (Esc)",
                                    u"发完当前数据包后停止发送（Esc）"));
    }
    for (RowControls &row : rows_) {
        fillList(row.opening, language.B, effect::kOpenings);
        if (full) {
            if (!document_.useMiddle())
                row.middle->hide();
            fillList(row.middle, language.D, effect::kMiddles);
            fillList(row.closing, language.E, effect::kClosings);
        }
    }
    if (full) {
        const auto actions = colourMenu_->actions();
        for (int i = 0; i < actions.size() && i < 4; ++i)
            actions[i]->setText(fieldText(language.M[17 + i]));
    }
    // Other texts may need wider lists (opening effects are refilled for the middle
    // option, which changes how many lists share a row).
    fitListsToTheirTexts();
}

void CTessivoDlg::renewLedTypeCaption()
{
    const QString caption = ledTypeCaption(ledTypeButton_->text(), document_.ledTypeInfo().ledCount);
    ledTypeButton_->setText(caption);
    ledTypeButton_->setAccessibleName(QString(caption).replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

} // namespace tessivo
