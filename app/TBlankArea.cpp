#include "TBlankArea.h"

#include "CertificateChoices.h"
#include "TahomaFont.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpression>
#include <QValidator>

namespace {

// Stops typing beyond a length, like a control's length limit, but never cuts a text that the
// program sets (QLineEdit::setMaxLength would): a longer text may still be shortened or edited.
class TLengthLimit final : public QValidator
{
public:
    TLengthLimit(int limit, QLineEdit *edit) : QValidator(edit), FLimit(limit)
    {
        // The edit's text has already changed when it asks; remember the length before the change.
        connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) { FLength = text.size(); });
    }

    State validate(QString &input, int &) const override
    {
        return input.size() <= FLimit || input.size() <= FLength ? Acceptable : Invalid;
    }

private:
    int FLimit;
    qsizetype FLength = 0;
};

QLineEdit *lineEdit(QWidget *parent, const QString &name, QRect geometry, const QFont &font,
                    Qt::Alignment alignment, int limit)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    edit->setFont(font);
    edit->setAlignment(alignment | Qt::AlignVCenter);
    if (limit > 0)
        edit->setValidator(new TLengthLimit(limit, edit));
    return edit;
}

// A date picker that Tab leaves at once, like every other field, instead of stepping through the
// day, month and year first.
class TDatePicker final : public QDateEdit
{
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

QComboBox *choiceList(QWidget *parent, const QString &name, QRect geometry, const QFont &font,
                      const QStringList &items)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    list->setFont(font);
    list->addItems(items);
    list->setCurrentIndex(-1);
    return list;
}

void choose(QComboBox *list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

// The locale's long date form without the day of the week, which would not fit the pickers.
QString longDateFormat()
{
    static const QRegularExpression weekday(QStringLiteral("d{4}[,\\s]*|[,\\s]*d{4}"));
    return QLocale().dateFormat(QLocale::LongFormat).remove(weekday).trimmed();
}

struct TextFieldPlace
{
    QRect geometry;
    int pixels;
    bool bold;
    Qt::Alignment alignment;
    int limit; // 0: no limit
};

const TextFieldPlace textFieldPlaces[] = {
    {{43, 75, 365, 22}, 12, false, Qt::AlignHCenter, 58},  // Edit_1: organisation, first line
    {{43, 105, 365, 22}, 12, false, Qt::AlignHCenter, 58}, // Edit_2: organisation, second line
    {{43, 136, 365, 22}, 12, false, Qt::AlignHCenter, 50}, // Edit_3: settlement
    {{100, 272, 81, 21}, 11, true, Qt::AlignLeft, 4},      // Edit_4: series
    {{43, 339, 365, 24}, 13, false, Qt::AlignHCenter, 44}, // Edit_5: student
    {{45, 462, 365, 22}, 12, false, Qt::AlignHCenter, 44}, // Edit_6: programme
    {{191, 495, 219, 21}, 11, false, Qt::AlignHCenter, 0}, // Edit_7: qualification
    {{197, 515, 45, 21}, 11, true, Qt::AlignHCenter, 0},   // Edit_8: category
    {{216, 563, 194, 21}, 11, false, Qt::AlignHCenter, 25}, // Edit_9: head of the organisation
    {{704, 48, 158, 21}, 11, false, Qt::AlignLeft, 25},    // Edit_10: protocol number
};

const QRect datePlaces[] = {
    {56, 387, 161, 21},  // start of training
    {249, 387, 161, 21}, // end of training
    {203, 536, 205, 21}, // date of issue
    {519, 67, 186, 21},  // protocol date
};

const QPoint categoryLabelPlaces[] = {{555, 329}, {601, 374}, {626, 407}};

struct RowPlace
{
    QPoint hours;
    QPoint mark;
};

const RowPlace rowPlaces[] = {
    {{736, 162}, {791, 164}}, {{736, 193}, {790, 195}}, {{737, 225}, {790, 227}},
    {{736, 255}, {790, 258}}, {{736, 315}, {790, 317}}, {{736, 362}, {790, 364}},
    {{737, 405}, {790, 407}}, {{737, 463}, {790, 465}}, {{736, 495}, {790, 497}},
    {{736, 517}, {790, 521}},
};
const QPoint totalPlace{736, 538};
const QSize hoursCellSize{51, 21};
const QSize markListSize{72, 19};
constexpr int hoursLimit = 5;
constexpr int totalLimit = 6;

QString numbered(const char *prefix, int number) { return QLatin1String(prefix) + QString::number(number); }

} // namespace

// The picture lives in a static library's resources, which the linker keeps only when asked to.
static QImage blankPicture()
{
    Q_INIT_RESOURCE(blank);
    return QImage(QStringLiteral(":/blank/blank.png"));
}

TBlankArea::TBlankArea(QWidget *parent) : QWidget(parent), FPicture(blankPicture())
{
    createTextFields();
    createDatePickers();
    createCategoryLabels();
    createHoursTable();
    createGearboxList();
    // The area scrolls only when the window is too small for the controls; the picture's margins
    // beyond them are simply cut off.
    const QRect extent = childrenRect();
    setMinimumSize(extent.right() + 1, extent.bottom() + 1);
}

void TBlankArea::createTextFields()
{
    for (int i = 0; i < CertificateRecord::textCount; ++i) {
        const TextFieldPlace &place = textFieldPlaces[i];
        FEdits[i] = lineEdit(this, numbered("Edit_", i + 1), place.geometry, tahoma(place.pixels, place.bold),
                             place.alignment, place.limit);
    }
    connect(FEdits[7], &QLineEdit::textChanged, this, &TBlankArea::mirrorCategory);
}

void TBlankArea::createDatePickers()
{
    const QString format = longDateFormat();
    const QDate today = QDate::currentDate();
    for (int i = 0; i < CertificateRecord::dateCount; ++i) {
        auto *picker = new TDatePicker(today, this);
        picker->setObjectName(numbered("DateTimePicker", i + 1));
        picker->setGeometry(datePlaces[i]);
        picker->setCalendarPopup(true);
        picker->setDisplayFormat(format);
        FDates[i] = picker;
    }
}

void TBlankArea::createCategoryLabels()
{
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(numbered("Label", i + 1));
        label->setFont(tahoma(12, true));
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(QRect(categoryLabelPlaces[i], QSize(0, 14)));
        FCategoryLabels[i] = label;
    }
}

void TBlankArea::createHoursTable()
{
    for (int i = 0; i < HoursTable::rowCount; ++i) {
        FHours[i] = lineEdit(this, numbered("edt_", i + 1), QRect(rowPlaces[i].hours, hoursCellSize), tahoma(11),
                             Qt::AlignHCenter, hoursLimit);
        FHours[i]->setText(QStringLiteral("0"));
        FHours[i]->installEventFilter(this);
        FMarks[i] = choiceList(this, numbered("cmb_", i + 1), QRect(rowPlaces[i].mark, markListSize), tahoma(9),
                               i + 1 < HoursTable::rowCount ? CertificateChoices::subjectMarks()
                                                               : CertificateChoices::examinationMarks());
    }
    FTotal = lineEdit(this, QStringLiteral("edt_11"), QRect(totalPlace, hoursCellSize), tahoma(11),
                      Qt::AlignHCenter, totalLimit);
    FTotal->setText(QStringLiteral("0"));
    FTotal->setEnabled(false);
}

void TBlankArea::createGearboxList()
{
    FGearbox = choiceList(this, QStringLiteral("cmb_kpp"), QRect(511, 420, 139, 19), tahoma(9, true),
                          CertificateChoices::gearboxes());
}

void TBlankArea::mirrorCategory(const QString &text)
{
    for (QLabel *label : FCategoryLabels) {
        label->setText(text);
        label->resize(label->sizeHint().width(), label->height());
    }
}

CertificateRecord TBlankArea::record() const
{
    CertificateRecord record;
    for (int i = 0; i < CertificateRecord::textCount; ++i)
        record.texts[i] = FEdits[i]->text();
    for (int i = 0; i < CertificateRecord::dateCount; ++i)
        record.dates[i] = FDates[i]->date();
    record.hours = hoursCells();
    record.total = FTotal->text();
    for (int i = 0; i < CertificateRecord::rowCount; ++i)
        record.marks[i] = FMarks[i]->currentIndex();
    record.gearbox = FGearbox->currentIndex();
    return record;
}

void TBlankArea::setRecord(const CertificateRecord &record)
{
    for (int i = 0; i < CertificateRecord::textCount; ++i)
        FEdits[i]->setText(record.texts[i]);
    for (int i = 0; i < CertificateRecord::dateCount; ++i)
        FDates[i]->setDate(record.dates[i]);
    setHoursCells(record.hours);
    setTotal(record.total);
    for (int i = 0; i < CertificateRecord::rowCount; ++i)
        choose(FMarks[i], record.marks[i]);
    choose(FGearbox, record.gearbox);
}

HoursTable::Cells TBlankArea::hoursCells() const
{
    HoursTable::Cells cells;
    for (int i = 0; i < HoursTable::rowCount; ++i)
        cells[i] = FHours[i]->text();
    return cells;
}

void TBlankArea::setHoursCells(const HoursTable::Cells &cells)
{
    for (int i = 0; i < HoursTable::rowCount; ++i)
        FHours[i]->setText(cells[i]);
}

void TBlankArea::setTotal(const QString &text) { FTotal->setText(text); }

QList<QWidget *> TBlankArea::tabChain() const
{
    // The order of the controls' names: "cmb_1", "cmb_10", "cmb_2", ...
    auto tenth = [](const auto &controls) {
        QList<QWidget *> ordered{controls[0], controls[9]};
        for (int i = 1; i < 9; ++i)
            ordered << controls[i];
        return ordered;
    };
    QList<QWidget *> chain = tenth(FMarks);
    chain << FGearbox;
    for (QDateEdit *picker : FDates)
        chain << picker;
    chain << tenth(FEdits) << tenth(FHours);
    return chain;
}

void TBlankArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, FPicture);
}

bool TBlankArea::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        // Only a move to another control counts; a menu, a message box or another window taking
        // the focus does not leave the cell.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            emit hoursCellLeft();
    }
    return QWidget::eventFilter(watched, event);
}
