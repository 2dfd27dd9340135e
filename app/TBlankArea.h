#pragma once

#include "CertificateRecord.h"
#include "HoursTable.h"

#include <QImage>
#include <QWidget>

#include <array>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;

// The picture of the blank's two open pages with the certificate's field controls laid over it,
// each at its place in the picture's pixel coordinates. The controls are the certificate: the
// record is read from and written into them.
class TBlankArea : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize pictureSize{908, 640};
    // The blank's picture, covering the whole paper of the certificate.
    const QImage &picture() const { return FPicture; }

    explicit TBlankArea(QWidget *parent = nullptr);

    CertificateRecord record() const;
    // Sets every control; a choice index outside its list leaves the list without a choice.
    void setRecord(const CertificateRecord &record);

    HoursTable::Cells hoursCells() const;
    void setHoursCells(const HoursTable::Cells &cells);
    void setTotal(const QString &text);

    // The field controls in the order the Tab key visits them.
    QList<QWidget *> tabChain() const;

signals:
    // Focus moved from one of the ten hours cells to another control of the window.
    void hoursCellLeft();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createTextFields();
    void createDatePickers();
    void createCategoryLabels();
    void createHoursTable();
    void createGearboxList();
    void mirrorCategory(const QString &text);

    QImage FPicture;
    std::array<QLineEdit *, CertificateRecord::textCount> FEdits{};
    std::array<QDateEdit *, CertificateRecord::dateCount> FDates{};
    std::array<QLineEdit *, HoursTable::rowCount> FHours{};
    QLineEdit *FTotal = nullptr;
    std::array<QComboBox *, CertificateRecord::rowCount> FMarks{};
    QComboBox *FGearbox = nullptr;
    std::array<QLabel *, 3> FCategoryLabels{};
};
