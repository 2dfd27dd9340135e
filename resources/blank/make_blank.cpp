// Draws the picture of the two open pages of the blank "Свидетельство о профессии водителя" over
// which the certificate window lays its fields: 908 x 640 pixels, 256 colours. The printed texts
// stand at the places where the window's controls sit.
//
//   make_blank <output.png>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>

namespace {

const QColor paper(0xF4, 0xF1, 0xE4);
const QColor tint(0xD9, 0xE6, 0xD2);
const QColor ink(0x20, 0x28, 0x40);
const QColor red(0xB0, 0x20, 0x20);
constexpr int pageWidth = 454;

QFont serif(int pixels, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

class Blank
{
public:
    explicit Blank(QImage &image) : FPainter(&image) { FPainter.setRenderHint(QPainter::Antialiasing); }

    void background()
    {
        FPainter.fillRect(0, 0, 908, 640, paper);
        // A fine guilloche-like pattern, as on security paper.
        FPainter.setPen(QPen(tint, 1));
        for (int page = 0; page < 2; ++page) {
            const int left = page * pageWidth;
            for (int k = 0; k < 640; k += 12) {
                QPainterPath wave;
                wave.moveTo(left + 8, k);
                for (int x = 8; x <= pageWidth - 8; x += 4)
                    wave.lineTo(left + x, k + 5 * std::sin((x + k * 0.7) / 23.0));
                FPainter.drawPath(wave);
            }
            FPainter.setPen(QPen(ink, 1));
            FPainter.drawRect(left + 12, 12, pageWidth - 24, 616);
            FPainter.setPen(QPen(tint, 1));
        }
        FPainter.setPen(QPen(QColor(0xB8, 0xB4, 0xA4), 2));
        FPainter.drawLine(pageWidth, 0, pageWidth, 640); // the fold
    }

    void text(const QRect &box, const QString &s, const QFont &font, int flags = Qt::AlignCenter | Qt::TextWordWrap,
              const QColor &colour = ink)
    {
        FPainter.setFont(font);
        FPainter.setPen(colour);
        FPainter.drawText(box, flags, s);
    }

    void rule(int x1, int x2, int y)
    {
        FPainter.setPen(QPen(ink, 1));
        FPainter.drawLine(QPointF(x1, y + 0.5), QPointF(x2, y + 0.5));
    }

    // A line to write on with its small caption below.
    void captionedRule(int x1, int x2, int y, const QString &caption)
    {
        rule(x1, x2, y);
        text(QRect(x1, y + 1, x2 - x1, 9), caption, serif(8, false, true));
    }

    void grid(const QList<int> &columns, int top, int bottom)
    {
        FPainter.setPen(QPen(ink, 1));
        for (int x : columns)
            FPainter.drawLine(QPointF(x + 0.5, top), QPointF(x + 0.5, bottom));
    }

    void leftPage();
    void rightPage();

private:
    QPainter FPainter;
};

void Blank::leftPage()
{
    const int x1 = 43, x2 = 408;
    text(QRect(x1, 50, x2 - x1, 20), QStringLiteral("РОССИЙСКАЯ ФЕДЕРАЦИЯ"), serif(13, true));
    rule(x1, x2, 97);
    captionedRule(x1, x2, 127, QStringLiteral("(наименование организации)"));
    captionedRule(x1, x2, 158, QStringLiteral("(наименование населенного пункта)"));
    text(QRect(x1, 190, x2 - x1, 28), QStringLiteral("СВИДЕТЕЛЬСТВО"), serif(24, true));
    text(QRect(x1, 220, x2 - x1, 20), QStringLiteral("О ПРОФЕССИИ ВОДИТЕЛЯ"), serif(15, true));
    text(QRect(52, 272, 46, 21), QStringLiteral("Серия"), serif(13), Qt::AlignLeft | Qt::AlignVCenter);
    text(QRect(192, 272, 120, 21), QStringLiteral("№ 000000"), serif(15, true), Qt::AlignLeft | Qt::AlignVCenter,
         red);
    text(QRect(x1, 310, x2 - x1, 18), QStringLiteral("Настоящее свидетельство выдано"), serif(12));
    captionedRule(x1, x2, 363, QStringLiteral("(Ф.И.О.)"));
    text(QRect(40, 387, 15, 21), QStringLiteral("с"), serif(12), Qt::AlignLeft | Qt::AlignVCenter);
    text(QRect(224, 387, 24, 21), QStringLiteral("по"), serif(12), Qt::AlignLeft | Qt::AlignVCenter);
    text(QRect(45, 414, 365, 46),
         QStringLiteral("Прошел(а) обучение по программе профессиональной подготовки (переподготовки) "
                        "водителей транспортных средств"),
         serif(12));
    rule(45, 410, 484);
    text(QRect(45, 495, 145, 21), QStringLiteral("Присвоена квалификация"), serif(11),
         Qt::AlignLeft | Qt::AlignVCenter);
    rule(191, 410, 516);
    text(QRect(45, 515, 150, 21), QStringLiteral("категории (подкатегории) «"), serif(11),
         Qt::AlignRight | Qt::AlignVCenter);
    text(QRect(244, 515, 10, 21), QStringLiteral("»"), serif(11), Qt::AlignLeft | Qt::AlignVCenter);
    text(QRect(45, 536, 157, 21), QStringLiteral("Дата выдачи Свидетельства"), serif(11),
         Qt::AlignLeft | Qt::AlignVCenter);
    text(QRect(45, 560, 170, 26), QStringLiteral("Руководитель образовательной организации"), serif(10),
         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
    rule(216, 410, 584);
    text(QRect(216, 585, 194, 11), QStringLiteral("(подпись)          (Ф.И.О.)"), serif(9, false, true));
    text(QRect(60, 596, 40, 18), QStringLiteral("М.П."), serif(12));
}

void Blank::rightPage()
{
    text(QRect(468, 48, 234, 21), QStringLiteral("На экзаменах согласно протоколу №"), serif(12),
         Qt::AlignLeft | Qt::AlignVCenter);
    rule(704, 862, 69);
    text(QRect(496, 67, 22, 21), QStringLiteral("от"), serif(12), Qt::AlignLeft | Qt::AlignVCenter);
    text(QRect(708, 67, 160, 21), QStringLiteral("сдал(а) экзамены:"), serif(12), Qt::AlignLeft | Qt::AlignVCenter);

    const int left = 466, hours = 734, marks = 788, right = 866;
    const int top = 106, bottom = 562;
    grid({left, hours, marks, right}, top, bottom);
    const QList<int> rows{top, 140, 160, 191, 222, 253, 284, 312, 358, 400, 445, 460, 492, 514, 536, bottom};
    for (int y : rows)
        rule(left, right, y);
    text(QRect(left, top, hours - left, 34), QStringLiteral("Наименование учебных предметов"), serif(11, true));
    text(QRect(hours, top, marks - hours, 34), QStringLiteral("Кол-во часов"), serif(10, true));
    text(QRect(marks, top, right - marks, 34), QStringLiteral("Оценка"), serif(11, true));

    const QFont small = serif(9);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter;
    auto subject = [&](int row, const QString &s) {
        text(QRect(left + 3, rows[row], hours - left - 5, rows[row + 1] - rows[row]), s, small,
             flags | Qt::TextWordWrap);
    };
    auto section = [&](int row, const QString &s) {
        text(QRect(left, rows[row], right - left, rows[row + 1] - rows[row]), s, serif(10, true, true));
    };
    section(1, QStringLiteral("Базовый цикл"));
    subject(2, QStringLiteral("Основы законодательства в сфере дорожного движения"));
    subject(3, QStringLiteral("Психофизиологические основы деятельности водителя"));
    subject(4, QStringLiteral("Основы управления транспортными средствами"));
    subject(5, QStringLiteral("Первая помощь при дорожно-транспортном происшествии"));
    section(6, QStringLiteral("Специальный цикл"));
    // Rows 5 to 7 repeat the category between quotes where the window shows it.
    text(QRect(left + 3, 314, 260, 14), QStringLiteral("Устройство и техническое обслуживание транспортных"), small,
         flags);
    text(QRect(left + 3, 329, 553 - left - 3, 14), QStringLiteral("средств категории «"), small,
         Qt::AlignRight | Qt::AlignVCenter);
    text(QRect(582, 329, 10, 14), QStringLiteral("»"), small, flags);
    text(QRect(left + 3, 343, 260, 14), QStringLiteral("как объектов управления"), small, flags);
    text(QRect(left + 3, 360, 260, 14), QStringLiteral("Основы управления транспортными"), small, flags);
    text(QRect(left + 3, 374, 599 - left - 3, 14), QStringLiteral("средствами категории «"), small,
         Qt::AlignRight | Qt::AlignVCenter);
    text(QRect(628, 374, 10, 14), QStringLiteral("»"), small, flags);
    text(QRect(left + 3, 407, 624 - left - 3, 14), QStringLiteral("Вождение ТС категории «"), small,
         Qt::AlignRight | Qt::AlignVCenter);
    text(QRect(652, 407, 10, 14), QStringLiteral("»"), small, flags);
    text(QRect(left + 3, 420, 40, 19), QStringLiteral("с"), small, Qt::AlignRight | Qt::AlignVCenter);
    text(QRect(652, 420, 80, 19), QStringLiteral("трансмиссией"), small, flags);
    section(10, QStringLiteral("Профессиональный цикл"));
    subject(11, QStringLiteral("Организация и выполнение грузовых перевозок автомобильным транспортом"));
    subject(12, QStringLiteral("Организация и выполнение пассажирских перевозок"));
    subject(13, QStringLiteral("Квалификационный экзамен"));
    text(QRect(left + 3, 536, hours - left - 8, 26), QStringLiteral("Итого"), serif(11, true),
         Qt::AlignRight | Qt::AlignVCenter);

    text(QRect(468, 580, 390, 40), QStringLiteral("Свидетельство действительно при предъявлении документа, "
                                                  "удостоверяющего личность"),
         serif(9, false, true), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_blank <output.png>\n");
        return 2;
    }
    QImage image(908, 640, QImage::Format_RGB32);
    {
        Blank blank(image);
        blank.background();
        blank.leftPage();
        blank.rightPage();
    }
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    return indexed.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
