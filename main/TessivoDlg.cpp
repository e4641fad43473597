#include "main/TessivoDlg.h"

#include "app/AppState.h"
#include "glyphs/FontComboBox.h"
#include "glyphs/SysFontGlyph.h"
#include "main/DialogTexts.h"
#include "main/RowLayout.h"
#include "main/SendCommand.h"
#include "rows/InputChrWnd.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/Pictures.h"
#include "ui/ShadeButton.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace tessivo {

namespace {

/// The dialog's font: SimSun 10 point where it is installed, else DejaVu Sans 9 point,
/// whose dialog units (7 x 14 pixels) are those of SimSun 10 point.
QFont dialogFont()
{
    if (QFontDatabase::hasFamily(QStringLiteral("SimSun"))) {
        QFont font(QStringLiteral("SimSun"));
        font.setPointSize(10);
        return font;
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(9);
    return font;
}

constexpr int kTemplateWidth = 467, kTemplateHeight = 353;

/// The LED colours of the colour menu's items 8014-8017, 0x00BBGGRR.
constexpr uint32_t kLedColours[] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x0000FFFF};
constexpr int kNumberWidthUnits = 10, kEditorWidthUnits = 18;

/// Screen readers name a row's controls after the row.
QString rowName(int k)
{
    return QStringLiteral("Row %1").arg(k + 1);
}

} // namespace

CTessivoDlg::CTessivoDlg(LinkDrivers *drivers, QWidget *parent)
    : QDialog(parent), font_(dialogFont()), du_(font_)
{
    AppState &app = appState();
    link_ = std::make_unique<DeviceLink>(drivers ? *drivers : systemLinkDrivers(),
                                         static_cast<LinkView &>(*this));
    setObjectName(QStringLiteral("id102"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(pictures::programIcon());
    setFont(font_);
    setFixedSize(du_.x(kTemplateWidth), du_.y(kTemplateHeight));

    ledType_ = clampLedType(app.LedType);
    app.useMiddle = 0;

    createControls();
    arrangeToolBar();

    // The rows 2 to 12 wait until the row before them holds something.
    for (int k = 1; k < kRows; ++k)
        EnableRow(k, false);
    setupRowFrame();

    // Languages.
    for (int i = 0; i < app.languages.count(); ++i)
        languageList_->addItem(app.languages.name(i));
    languageList_->setCurrentIndex(std::max(0, app.languages.currentIndex()));
    connect(languageList_, &QComboBox::currentIndexChanged, this, &CTessivoDlg::OnLanguageChanged);
    middleOption_->setChecked(app.useMiddle != 0);
    ApplyLanguage(true);

    ChangeLedType(ledType_, true);
    LayoutRows();

    progress_->setRange(1, 100);
    linkPictures_[0] = pictures::picture(pictures::kNotConnected, linkPicture_->size());
    linkPictures_[1] = pictures::picture(pictures::kConnected, linkPicture_->size());
    showLinkState(false, QString());

    detectTimer_.setInterval(link::kDetectPeriodMs);
    connect(&detectTimer_, &QTimer::timeout, this, [this] { link_->OnTimer(link::kDetectTimer); });
    resetTimer_.setInterval(link::kResetPeriodMs);
    connect(&resetTimer_, &QTimer::timeout, this, [this] { link_->OnTimer(link::kResetTimer); });
    detectTimer_.start();
    connect(this, &CTessivoDlg::keyboardGlyph, this,
            [this](const ChrRecord &record) { InsertKeyboardGlyph(&record); });
}

CTessivoDlg::~CTessivoDlg() = default;

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
    logo_ = label(dlg::kLogo, 1, 1, 29, 33);
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
    for (int type = 0; type < ledtype::kCount; ++type) {
        const int command = dlg::kLedType7 + type;
        QAction *action = ledTypeMenu_->addAction(QStringLiteral("%1LED").arg(ledTypeInfo(type).ledCount));
        action->setObjectName(QStringLiteral("id%1").arg(command));
        action->setData(command);
        action->setCheckable(true);
    }
    connect(ledTypeMenu_, &QMenu::aboutToShow, this, [this] {
        const auto actions = ledTypeMenu_->actions();
        for (int type = 0; type < actions.size(); ++type)
            actions[type]->setChecked(type == ledType_);
    });
    connect(ledTypeMenu_, &QMenu::triggered, this,
            [this](QAction *action) { OnCommand(action->data().toInt()); });
    ledTypeButton_->setMenu(ledTypeMenu_);
    frame(dlg::kSourceFrame, 225, 0, 105, 35, QFrame::Box);
    userFont_ = new QRadioButton(this);
    place(userFont_, dlg::kUserFont, 227, 2, 53, 12);
    sysFont_ = new QRadioButton(this);
    place(sysFont_, dlg::kSysFont, 278, 2, 51, 12);
    (appState().bUserFont != 0 ? userFont_ : sysFont_)->setChecked(true);
    fontList_ = new CFontComboBox(this);
    place(fontList_, dlg::kFontList, 227, 17, 102, 89);
    fontList_->setAccessibleName(QStringLiteral("Installed font"));
    fontList_->setEnabled(appState().bUserFont == 0);
    connect(userFont_, &QRadioButton::clicked, this, &CTessivoDlg::OnGlyphSource);
    connect(sysFont_, &QRadioButton::clicked, this, &CTessivoDlg::OnGlyphSource);
    connect(fontList_, &QComboBox::activated, this, &CTessivoDlg::OnSysFontChanged);
    label(dlg::kLanguageLabel, 330, 5, 54, 10);
    languageList_ = new QComboBox(this);
    place(languageList_, dlg::kLanguageList, 330, 17, 54, 89);
    frame(dlg::kLinkFrame, 388, 0, 72, 35, QFrame::Box);
    linkPicture_ = label(dlg::kLinkPicture, 413, 11, 53, 33);

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

    // The rows.
    auto *rowFrame = frame(dlg::kRowFrame, 6, 57, 326, 157, QFrame::Box);
    rowFrame->setFrameShadow(QFrame::Plain);
    rowFrame->setStyleSheet(QStringLiteral("QFrame#id2000 { border: 1px solid black; }"));
    const QPixmap txt = pictures::picture(pictures::kTxt, QSize(du_.x(kEditorWidthUnits) - 6, 12));
    for (int k = 0; k < kRows; ++k) {
        RowControls &row = rows_[size_t(k)];
        row.number = label(dlg::kRowNumber + k, 9, 60, kNumberWidthUnits, 12);
        row.number->setText(QString::number(k + 1));
        row.number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row.number->setAccessibleName(rowName(k));

        row.input = new CInputChrWnd(dlg::kRowInput + k, this);
        row.input->setGeometry(du_.x(20), du_.y(60), 156, 26);
        row.input->setAccessibleName(rowName(k));
        connect(row.input, &CInputChrWnd::changed, this,
                [this](int id) { OnRowChanged(id - dlg::kRowInput); });
        connect(row.input, &CInputChrWnd::focused, this, &CTessivoDlg::OnCurrentRow);

        row.editor = new QPushButton(this);
        place(row.editor, dlg::kEditorButton + k, 108, 60, kEditorWidthUnits, 12);
        row.editor->setIcon(QIcon(txt));
        row.editor->setIconSize(txt.size());
        row.editor->setAutoDefault(false);
        row.editor->setAccessibleName(QStringLiteral("TXT"));
        row.editor->setAccessibleDescription(QStringLiteral("Glyph editor for row %1").arg(k + 1));
        row.editor->setToolTip(row.editor->accessibleDescription());
        connect(row.editor, &QPushButton::clicked, this, [this, k] { OnEditorButton(k); });

        const auto list = [&](int id, const QString &what) {
            auto *box = new QComboBox(this);
            place(box, id, 150, 60, 60, 89);
            box->setAccessibleName(rowName(k) + what);
            return box;
        };
        row.opening = list(dlg::kOpeningList + k, QStringLiteral(" opening effect"));
        row.middle = list(dlg::kMiddleList + k, QStringLiteral(" middle effect"));
        row.closing = list(dlg::kClosingList + k, QStringLiteral(" closing effect"));
    }
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    place(scrollBar_, dlg::kScrollBar, 290, 61, 11, 96);
    scrollBar_->setAccessibleName(QStringLiteral("Rows"));
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &CTessivoDlg::OnScroll);

    // The places of the simulation and of the character keyboard.
    frame(dlg::kDemoPlace, 6, 215, 113, 114, QFrame::NoFrame);
    frame(dlg::kKeyboardPlace, 170, 215, 296, 114, QFrame::NoFrame);

    colour_ = button(dlg::kColour, 122, 220, 48, 19, CShadeButtonST::kHardBump, pictures::kColour);
    start_ = button(dlg::kStart, 122, 242, 48, 19, CShadeButtonST::kHardBump, pictures::kStart);
    stop_ = button(dlg::kStop, 122, 262, 48, 19, CShadeButtonST::kHardBump, pictures::kStop);
    stop_->setEnabled(false);
    send_ = button(dlg::kSend, 122, 285, 48, 19, CShadeButtonST::kHardBump, pictures::kSend);
    exit_ = button(dlg::kExit, 122, 306, 48, 19, CShadeButtonST::kHardBump, pictures::kExit);
    exit_->setDefault(true);

    colourMenu_ = new QMenu(colour_);
    colourMenu_->setObjectName(QStringLiteral("menu160"));
    for (int command : {dlg::kRed, dlg::kGreen, dlg::kBlue, dlg::kYellow}) {
        QAction *action = colourMenu_->addAction(QString());
        action->setObjectName(QStringLiteral("id%1").arg(command));
        action->setData(command);
        action->setCheckable(true);
    }
    connect(colourMenu_, &QMenu::aboutToShow, this, [this] {
        const auto actions = colourMenu_->actions();
        for (int i = 0; i < actions.size() && i < 4; ++i)
            actions[i]->setChecked(appState().LedColor == kLedColours[i]);
    });
    connect(colourMenu_, &QMenu::triggered, this,
            [this](QAction *action) { OnCommand(action->data().toInt()); });
    colour_->setMenu(colourMenu_);

    note_ = label(dlg::kNote, 340, 57, 118, 152);
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note_->setFrameShape(QFrame::StyledPanel);
    note_->setMargin(6);
    note_->setStyleSheet(QStringLiteral("QLabel#id1046 { background: #fffdf2; border: 1px solid #d8cfa8;"
                                        " border-radius: 4px; color: #3a3424; }"));

    auto *noteBox = new QGroupBox(this);
    place(noteBox, dlg::kNoteBox, 458, 344, 8, 9);
    progress_ = new QProgressBar(this);
    place(progress_, dlg::kProgress, 0, 335, 466, 16);
    progress_->setTextVisible(false);
    progress_->setAccessibleName(QStringLiteral("Download progress"));
    noteBox->lower();
    // The note box sits under the progress bar's corner; it only carries its caption.
    noteBox->hide();

    connect(open_, &QPushButton::clicked, this, &CTessivoDlg::OnOpen);
    connect(save_, &QPushButton::clicked, this, [this] { OnSave(); });
    connect(clear_, &QPushButton::clicked, this, &CTessivoDlg::OnClear);
    connect(send_, &QPushButton::clicked, this, [this] { OnSend(); });
    connect(exit_, &QPushButton::clicked, this, &CTessivoDlg::OnExit);
}

void CTessivoDlg::arrangeToolBar()
{
    QWidget *bar = control(dlg::kToolBar);
    QWidget *source = control(dlg::kSourceFrame);
    QWidget *linkFrame = control(dlg::kLinkFrame);
    const int barHeight = logo_->height() + 4;
    bar->setGeometry(0, 0, width(), barHeight);
    logo_->setGeometry(2, 2, logo_->width(), barHeight - 4);
    logo_->setPixmap(pictures::picture(pictures::kLogo, logo_->size()));
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
    scrollBar_->setRange(0, std::max(0, kRows - rowsPerPage_));
    scrollBar_->setPageStep(std::max(1, rowsPerPage_));
    scrollBar_->setSingleStep(1);
    scrollBar_->setValue(0);
}

QWidget *CTessivoDlg::control(int id) const
{
    return findChild<QWidget *>(QStringLiteral("id%1").arg(id), Qt::FindDirectChildrenOnly);
}

// ---- the rows ----

bool CTessivoDlg::isRowEnabled(int k) const
{
    return k >= 0 && k < kRows && rows_[size_t(k)].input->isEnabled();
}

const RowModel &CTessivoDlg::row(int k) const
{
    return rows_[size_t(k)].input->row();
}

CInputChrWnd *CTessivoDlg::rowWindow(int k) const
{
    return k >= 0 && k < kRows ? rows_[size_t(k)].input : nullptr;
}

int CTessivoDlg::openingEffect(int k) const
{
    return std::max(0, rows_[size_t(k)].opening->currentIndex());
}

int CTessivoDlg::middleEffect(int k) const
{
    return std::max(0, rows_[size_t(k)].middle->currentIndex());
}

int CTessivoDlg::closingEffect(int k) const
{
    return std::max(0, rows_[size_t(k)].closing->currentIndex());
}

void CTessivoDlg::EnableRow(int k, bool enable)
{
    if (k < 0 || k >= kRows)
        return;
    // A row's six controls, always switched together.
    const int ids[6] = {dlg::kRowNumber + k,   dlg::kRowInput + k,    dlg::kEditorButton + k,
                        dlg::kOpeningList + k, dlg::kClosingList + k, dlg::kMiddleList + k};
    EnableControls(this, ids, enable);
}

void CTessivoDlg::setRowEffects(int k, int opening, int middle, int closing)
{
    RowControls &row = rows_[size_t(k)];
    row.opening->setCurrentIndex(opening);
    row.middle->setCurrentIndex(middle);
    row.closing->setCurrentIndex(closing);
}

void CTessivoDlg::ChangeLedType(int type, bool enableRows)
{
    type = clampLedType(type);
    ledType_ = type;
    appState().LedType = type;
    {
        const QSignalBlocker blocker(fontList_);
        // A face that is not installed is named in grey; the system substitutes another.
        if (!fontList_->SelectFont(appState().SysFont)) {
            fontList_->setCurrentIndex(-1);
            fontList_->setPlaceholderText(appState().SysFont);
        }
    }
    note_->setText(noteText(appState().languages.current(), type));
    renewLedTypeCaption();
    const int height = RowModel::GetRowWindowHeight(type);
    for (int k = 0; k < kRows; ++k) {
        CInputChrWnd *input = rows_[size_t(k)].input;
        input->row().SetLedType(type, true);
        input->resize(input->width(), height);
        input->syncLayout();
    }
    if (enableRows) {
        EnableRow(0, true);
        for (int k = 1; k < kRows; ++k)
            EnableRow(k, false);
    }
    emit keysNeedRefill(type);
}

void CTessivoDlg::LayoutRows()
{
    if (rowsPerPage_ <= 0)
        return;
    const bool useMiddle = appState().useMiddle != 0;
    RowLayoutInput in;
    in.frame = rowFrame();
    in.rowHeight = rowHeight_;
    in.scrollBarLeft = scrollBar_->x();
    in.useMiddle = useMiddle;
    in.numberWidth = rows_[0].number->width();
    in.editorWidth = rows_[0].editor->width();
    in.firstRow = firstRow_;
    in.rowsPerPage = rowsPerPage_;
    for (int k = 0; k < kRows; ++k) {
        const RowModel &model = rows_[size_t(k)].input->row();
        in.inputWidth[size_t(k)] = rowInputWidth(model.typeInfo());
        in.inputHeight[size_t(k)] = rows_[size_t(k)].input->height();
    }
    const RowLayoutResult out = tessivo::LayoutRows(in);
    for (int k = 0; k < kRows; ++k) {
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

// ---- languages ----

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
    const LanguageRecord &language = appState().languages.current();
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
        note_->setText(noteText(language, ledType_));
        renewLedTypeCaption();
    }
    for (RowControls &row : rows_) {
        fillList(row.opening, language.B, 7);
        if (full) {
            if (appState().useMiddle == 0)
                row.middle->hide();
            fillList(row.middle, language.D, 4);
            fillList(row.closing, language.E, 7);
        }
    }
    if (full) {
        const auto actions = colourMenu_->actions();
        for (int i = 0; i < actions.size() && i < 4; ++i)
            actions[i]->setText(fieldText(language.M[17 + i]));
    }
}

void CTessivoDlg::renewLedTypeCaption()
{
    const QString caption = ledTypeCaption(ledTypeButton_->text(), ledTypeInfo(ledType_).ledCount);
    ledTypeButton_->setText(caption);
    ledTypeButton_->setAccessibleName(QString(caption).replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

void CTessivoDlg::OnLanguageChanged(int index)
{
    if (index < 0)
        return;
    appState().languages.setCurrentIndex(index);
    ApplyLanguage(true);
}

void CTessivoDlg::OnGlyphSource()
{
    // Rows keep the glyphs they hold; only what is typed from now on comes from the
    // other source.
    appState().bUserFont = userFont_->isChecked() ? 1 : 0;
    fontList_->setEnabled(appState().bUserFont == 0);
    emit keysNeedRefill(ledType_);
}

void CTessivoDlg::OnSysFontChanged()
{
    if (fontList_->currentIndex() < 0)
        return;
    SetSysFontFace(fontList_->currentText());
    emit keysNeedRefill(ledType_);
}

void CTessivoDlg::OnMiddleOption(bool checked)
{
    appState().useMiddle = checked ? 1 : 0;
    ApplyLanguage(false);
    LayoutRows();
}

// ---- notifications ----

void CTessivoDlg::OnRowChanged(int k)
{
    if (k < 0 || k >= kRows)
        return;
    EnableRow(k + 1, true);
    modified_ = true;
}

void CTessivoDlg::OnEditorButton(int k)
{
    // The glyph editor takes the row here once it exists; the row opens the next one.
    OnRowChanged(k);
}

void CTessivoDlg::OnCurrentRow(int controlId)
{
    const int k = controlId - dlg::kRowInput;
    if (k >= 0 && k < kRows)
        currentRow_ = k;
}

void CTessivoDlg::InsertKeyboardGlyph(const ChrRecord *record)
{
    if (!record)
        return;
    const ChrRecord copy = *record;
    if (currentRow_ < 0 || currentRow_ >= kRows)
        currentRow_ = 0;
    CInputChrWnd *input = rows_[size_t(currentRow_)].input;
    input->setFocus(Qt::OtherFocusReason);
    input->row().InsertRecords(&copy, 1);
}

void CTessivoDlg::OnCommand(int command)
{
    switch (command) {
    case dlg::kLedType7:
    case dlg::kLedType11:
    case dlg::kLedType16:
        if (!ConfirmSave())
            return;
        ChangeLedType(command - dlg::kLedType7, true);
        LayoutRows();
        return;
    case dlg::kRed:
    case dlg::kGreen:
    case dlg::kBlue:
    case dlg::kYellow:
        appState().LedColor = kLedColours[command - dlg::kRed];
        return;
    default:
        if (command >= dlg::kAbout && command <= 31)
            OnAbout();
        return;
    }
}

// ---- projects ----

bool CTessivoDlg::ConfirmSave()
{
    bool content = false;
    for (int k = 0; k < kRows; ++k)
        content = content || (isRowEnabled(k) && row(k).n() > 0);
    if (!modified_ || !content)
        return true;
    const int answer = ShowMessage(QStringLiteral("Do you want to save the data(Y/N)?"), this,
                                   mb::kYesNoCancel | mb::kIconQuestion);
    if (answer == mb::kIdCancel)
        return false;
    // A save that failed keeps the rows: the command that asked stops.
    if (answer == mb::kIdYes)
        return OnSave() != SaveOutcome::Failed;
    return true;
}

void CTessivoDlg::OnOpen()
{
    if (!ConfirmSave())
        return;
    if (projectPath_.isEmpty())
        projectPath_ = QStringLiteral("*.LDAT");
    const QString path = askFilePath(this, {false, QStringLiteral("Open Led Data File"), projectPath_});
    if (path.isEmpty())
        return;
    const std::optional<Project> project = ReadProject(path);
    if (!project) {
        ShowError("Open file error!");
        return;
    }
    ApplyProject(*project);
    projectPath_ = path;
    modified_ = false;
}

void CTessivoDlg::ApplyProject(const Project &project)
{
    AppState &app = appState();
    const int useMiddle = project.useMiddle() ? 1 : 0;
    if (useMiddle != app.useMiddle) {
        app.useMiddle = useMiddle;
        ApplyLanguage(false);
        middleOption_->setChecked(useMiddle != 0);
    }
    ChangeLedType(project.header.ledType, false);
    for (int k = 0; k < kRows; ++k) {
        if (k < project.rowCount()) {
            const int count = project.count(k);
            if (count > 0)
                rows_[size_t(k)].input->row().InsertRecords(
                    project.records.data() + project.firstRecord[size_t(k)], count);
            EnableRow(k, true);
            const RowEffects effects = project.effects(k);
            setRowEffects(k, std::min(effects.opening, 6), std::min(effects.middle, 3),
                          std::min(effects.closing, 6));
        } else {
            setRowEffects(k, 0, 0, 0);
            EnableRow(k, false);
        }
    }
    LayoutRows();
}

CTessivoDlg::SaveOutcome CTessivoDlg::OnSave()
{
    if (projectPath_.isEmpty())
        projectPath_ = QStringLiteral("*.LDAT");
    const QString path = askFilePath(this, {true, QStringLiteral("Save Led Data File"), projectPath_});
    if (path.isEmpty())
        return SaveOutcome::Cancelled;
    if (!WriteProject(path, *this, ledType_, appState().useMiddle != 0)) {
        ShowError("Write file error!");
        return SaveOutcome::Failed;
    }
    projectPath_ = path;
    modified_ = false;
    return SaveOutcome::Saved;
}

void CTessivoDlg::OnClear()
{
    if (!ConfirmSave())
        return;
    for (int k = 0; k < kRows; ++k) {
        if (!isRowEnabled(k))
            continue;
        rows_[size_t(k)].input->row().ClearRow();
        setRowEffects(k, 0, 0, 0);
        EnableRow(k, k == 0);
    }
    currentRow_ = 0;
}

// ---- send and the link ----

bool CTessivoDlg::OnSend()
{
    return SendRowsToDisplay(*this, ledType_, image_, *link_, *this);
}

void CTessivoDlg::setProgressRange(int minimum, int maximum)
{
    progress_->setRange(minimum, maximum);
}

void CTessivoDlg::setProgressPosition(int position)
{
    progress_->setValue(position);
    if (progress_->isVisible())
        progress_->repaint();
}

void CTessivoDlg::showLinkState(bool connected, const QString &toolTip)
{
    linkPicture_->setPixmap(linkPictures_[connected ? 1 : 0]);
    const QString state = connected ? QStringLiteral("Display connected")
                                    : QStringLiteral("No display connected");
    linkPicture_->setAccessibleName(state);
    linkPicture_->setToolTip(toolTip.isEmpty() ? state : toolTip);
    if (QAccessible::isActive()) {
        QAccessibleEvent event(linkPicture_, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void CTessivoDlg::setSendEnabled(bool enabled)
{
    send_->setEnabled(enabled);
}

void CTessivoDlg::startProgressReset()
{
    resetTimer_.start();
}

void CTessivoDlg::stopProgressReset()
{
    resetTimer_.stop();
}

void CTessivoDlg::showError(const QString &text)
{
    ShowMessage(text, this, mb::kOk | mb::kIconStop);
}

// ---- exit, About, keys ----

void CTessivoDlg::OnExit()
{
    if (inExit_)
        return;
    inExit_ = true;
    const bool leave = ConfirmSave();
    inExit_ = false;
    if (!leave)
        return;
    detectTimer_.stop();
    resetTimer_.stop();
    QDialog::done(QDialog::Accepted);
}

void CTessivoDlg::reject()
{
    OnExit();
}

void CTessivoDlg::closeEvent(QCloseEvent *event)
{
    event->ignore();
    OnExit();
}

void CTessivoDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        OnAbout();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CTessivoDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == logo_ && event->type() == QEvent::MouseButtonRelease) {
        OnAbout();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CTessivoDlg::OnAbout()
{
    QDialog about(this);
    about.setObjectName(QStringLiteral("id100"));
    about.setWindowTitle(QStringLiteral("关于 Tessivo"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(9);
    about.setFont(font);
    const DialogUnits du(font);
    about.setFixedSize(du.x(163), du.y(67));
    auto *icon = new QLabel(&about);
    icon->setGeometry(du.rect(11, 17, 21, 20));
    icon->setPixmap(pictures::picture(pictures::kIcon, icon->size()));
    auto *text = new QLabel(QStringLiteral("Tessivo，V2.0"), &about);
    text->setGeometry(du.rect(40, 25, 119, 8));
    auto *ok = new QPushButton(QStringLiteral("确定"), &about);
    ok->setObjectName(QStringLiteral("id1"));
    ok->setGeometry(du.rect(113, 41, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, &about, &QDialog::accept);
    about.exec();
}

void CTessivoDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // For measuring start-up: the window closes itself as soon as it is up.
    if (qEnvironmentVariableIsSet("TESSIVO_EXIT_WHEN_SHOWN"))
        QTimer::singleShot(0, this, [this] { QDialog::done(QDialog::Accepted); });
}

} // namespace tessivo
