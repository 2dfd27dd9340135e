// Draws the preview's and the print dialog's pictures into PNG files, so that they are our own and
// need no drawing program. Build and run by hand when a picture changes:
//   g++ -std=c++20 -fPIC IconGenerator.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/icongen
//   QT_QPA_PLATFORM=offscreen /tmp/icongen <this folder>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <map>

namespace {

const QColor ink(0x37, 0x47, 0x4f);
const QColor accent(0x1e, 0x88, 0xe5);
const QColor paper(0xfa, 0xfa, 0xfa);
const QColor warm(0xe5, 0x39, 0x35);

using Drawing = std::function<void(QPainter &)>;

void sheet(QPainter &p, QRectF r)
{
    p.setPen(QPen(ink, 1.2));
    p.setBrush(paper);
    p.drawRect(r);
}

void lines(QPainter &p, QRectF r, int count)
{
    p.setPen(QPen(ink.lighter(160), 1));
    for (int i = 0; i < count; ++i) {
        const double y = r.top() + 3 + i * 3;
        if (y < r.bottom() - 1)
            p.drawLine(QPointF(r.left() + 2.5, y), QPointF(r.right() - 2.5, y));
    }
}

void arrow(QPainter &p, bool left, bool bar)
{
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    QPainterPath path;
    if (left) {
        path.moveTo(16, 5);
        path.lineTo(7, 12);
        path.lineTo(16, 19);
    } else {
        path.moveTo(8, 5);
        path.lineTo(17, 12);
        path.lineTo(8, 19);
    }
    path.closeSubpath();
    p.drawPath(path);
    if (bar)
        p.fillRect(left ? QRectF(4.5, 5, 2.5, 14) : QRectF(17, 5, 2.5, 14), accent);
}

void magnifier(QPainter &p, const QString &sign)
{
    p.setPen(QPen(ink, 2));
    p.setBrush(paper);
    p.drawEllipse(QPointF(10, 10), 6, 6);
    p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.5, 14.5), QPointF(20, 20));
    p.setPen(QPen(accent, 2));
    if (sign.contains(u'-') || sign.contains(u'+'))
        p.drawLine(QPointF(7, 10), QPointF(13, 10));
    if (sign.contains(u'+'))
        p.drawLine(QPointF(10, 7), QPointF(10, 13));
}

void printer(QPainter &p)
{
    sheet(p, QRectF(7, 3, 10, 7));
    p.setPen(QPen(ink, 1.2));
    p.setBrush(ink.lighter(200));
    p.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
    sheet(p, QRectF(7, 14, 10, 7));
    lines(p, QRectF(7, 14, 10, 7), 2);
    p.fillRect(QRectF(17, 11, 2, 1.5), accent);
}

void pages(QPainter &p, int across, int down, QRectF area)
{
    const double w = area.width() / across;
    const double h = area.height() / down;
    for (int i = 0; i < across; ++i)
        for (int j = 0; j < down; ++j)
            sheet(p, QRectF(area.left() + i * w + 1, area.top() + j * h + 1, w - 2, h - 2));
}

void collation(QPainter &p, bool collated)
{
    // Three stacks of sheets numbered in the order they come out.
    const QString order[2] = {collated ? QStringLiteral("123") : QStringLiteral("112"),
                              collated ? QStringLiteral("123") : QStringLiteral("233")};
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(8);
    font.setBold(true);
    p.setFont(font);
    for (int stack = 0; stack < 2; ++stack) {
        for (int k = 2; k >= 0; --k) {
            const QRectF r(2 + stack * 24 + k * 3, 2 + k * 3, 14, 18);
            sheet(p, r);
            p.setPen(accent);
            p.drawText(r, Qt::AlignCenter, QString(order[stack].at(2 - k)));
        }
    }
}

std::map<QString, std::pair<QSize, Drawing>> drawings()
{
    const QSize tool(24, 24);
    const QSize picture(48, 32);
    return {
        {QStringLiteral("print"), {tool, printer}},
        {QStringLiteral("printer"), {QSize(16, 16), [](QPainter &p) { p.scale(16.0 / 24, 16.0 / 24); printer(p); }}},
        {QStringLiteral("open"), {tool, [](QPainter &p) {
             p.setPen(QPen(ink, 1.2));
             p.setBrush(QColor(0xff, 0xca, 0x28));
             QPainterPath back;
             back.moveTo(3, 6); back.lineTo(9, 6); back.lineTo(11, 8); back.lineTo(19, 8); back.lineTo(19, 19);
             back.lineTo(3, 19); back.closeSubpath();
             p.drawPath(back);
             p.setBrush(QColor(0xff, 0xe0, 0x82));
             QPainterPath front;
             front.moveTo(3, 19); front.lineTo(6, 11); front.lineTo(22, 11); front.lineTo(19, 19); front.closeSubpath();
             p.drawPath(front);
         }}},
        {QStringLiteral("save"), {tool, [](QPainter &p) {
             p.setPen(QPen(ink, 1.2));
             p.setBrush(accent);
             p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 2, 2);
             p.setBrush(paper);
             p.drawRect(QRectF(7, 3.5, 10, 6));
             p.drawRect(QRectF(6.5, 13, 11, 7.5));
             p.fillRect(QRectF(13.5, 4.5, 2, 4), ink);
         }}},
        {QStringLiteral("pdf"), {tool, [](QPainter &p) {
             sheet(p, QRectF(4.5, 2.5, 15, 19));
             p.fillRect(QRectF(2, 10, 20, 8), warm);
             QFont font(QStringLiteral("Liberation Sans"));
             font.setPixelSize(7);
             font.setBold(true);
             p.setFont(font);
             p.setPen(Qt::white);
             p.drawText(QRectF(2, 10, 20, 8), Qt::AlignCenter, QStringLiteral("PDF"));
         }}},
        {QStringLiteral("find"), {tool, [](QPainter &p) { magnifier(p, QString()); }}},
        {QStringLiteral("zoom-in"), {tool, [](QPainter &p) { magnifier(p, QStringLiteral("+")); }}},
        {QStringLiteral("zoom-out"), {tool, [](QPainter &p) { magnifier(p, QStringLiteral("-")); }}},
        {QStringLiteral("fullscreen"), {tool, [](QPainter &p) {
             p.setPen(QPen(ink, 2));
             for (const QPointF &c : {QPointF(4, 4), QPointF(20, 4), QPointF(4, 20), QPointF(20, 20)}) {
                 const double dx = c.x() < 12 ? 5 : -5;
                 const double dy = c.y() < 12 ? 5 : -5;
                 p.drawLine(c, c + QPointF(dx, 0));
                 p.drawLine(c, c + QPointF(0, dy));
             }
             p.setPen(QPen(accent, 1.2));
             p.setBrush(paper);
             p.drawRect(QRectF(8, 8, 8, 8));
         }}},
        {QStringLiteral("outline"), {tool, [](QPainter &p) {
             p.setPen(QPen(ink, 1.5));
             p.drawLine(QPointF(6, 5), QPointF(6, 19));
             p.drawLine(QPointF(6, 9), QPointF(10, 9));
             p.drawLine(QPointF(6, 17), QPointF(10, 17));
             p.fillRect(QRectF(3, 3, 6, 4), accent);
             p.fillRect(QRectF(11, 7, 10, 4), accent.lighter(130));
             p.fillRect(QRectF(11, 15, 10, 4), accent.lighter(130));
         }}},
        {QStringLiteral("thumbnails"), {tool, [](QPainter &p) { pages(p, 2, 2, QRectF(3, 2, 18, 20)); }}},
        {QStringLiteral("page-setup"), {tool, [](QPainter &p) {
             sheet(p, QRectF(4.5, 2.5, 15, 19));
             p.setPen(QPen(accent, 1, Qt::DashLine));
             p.drawRect(QRectF(7.5, 5.5, 9, 13));
         }}},
        {QStringLiteral("edit"), {tool, [](QPainter &p) {
             sheet(p, QRectF(3.5, 2.5, 13, 17));
             lines(p, QRectF(3.5, 2.5, 13, 17), 4);
             p.setPen(QPen(ink, 1));
             p.setBrush(QColor(0xff, 0xb3, 0x00));
             QPainterPath pencil;
             pencil.moveTo(20, 8); pencil.lineTo(22, 10); pencil.lineTo(13, 19); pencil.lineTo(10, 20);
             pencil.lineTo(11, 17); pencil.closeSubpath();
             p.drawPath(pencil);
         }}},
        {QStringLiteral("first"), {tool, [](QPainter &p) { arrow(p, true, true); }}},
        {QStringLiteral("prior"), {tool, [](QPainter &p) { arrow(p, true, false); }}},
        {QStringLiteral("next"), {tool, [](QPainter &p) { arrow(p, false, false); }}},
        {QStringLiteral("last"), {tool, [](QPainter &p) { arrow(p, false, true); }}},
        {QStringLiteral("close"), {tool, [](QPainter &p) {
             p.setPen(QPen(warm, 3, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(6, 6), QPointF(18, 18));
             p.drawLine(QPointF(18, 6), QPointF(6, 18));
         }}},
        {QStringLiteral("collate"), {picture, [](QPainter &p) { collation(p, true); }}},
        {QStringLiteral("uncollate"), {picture, [](QPainter &p) { collation(p, false); }}},
        {QStringLiteral("mode-default"), {tool, [](QPainter &p) { pages(p, 1, 1, QRectF(4, 2, 16, 20)); }}},
        {QStringLiteral("mode-split"), {tool, [](QPainter &p) {
             pages(p, 2, 2, QRectF(2, 2, 20, 20));
             p.setPen(QPen(accent, 1.5));
             p.drawRect(QRectF(4, 4, 16, 16));
         }}},
        {QStringLiteral("mode-join"), {tool, [](QPainter &p) {
             sheet(p, QRectF(2.5, 2.5, 19, 19));
             p.setPen(QPen(accent, 1));
             p.setBrush(accent.lighter(170));
             for (int i = 0; i < 2; ++i)
                 for (int j = 0; j < 2; ++j)
                     p.drawRect(QRectF(4.5 + i * 8, 4.5 + j * 8, 7, 7));
         }}},
        {QStringLiteral("mode-scale"), {tool, [](QPainter &p) {
             sheet(p, QRectF(2.5, 2.5, 19, 19));
             p.setPen(QPen(accent, 1));
             p.setBrush(accent.lighter(170));
             p.drawRect(QRectF(5, 7, 9, 9));
             p.setPen(QPen(accent, 1.5));
             p.drawLine(QPointF(14, 16), QPointF(19, 20));
             p.drawLine(QPointF(19, 20), QPointF(19, 16.5));
             p.drawLine(QPointF(19, 20), QPointF(15.5, 20));
         }}},
    };
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    for (const auto &[name, drawing] : drawings()) {
        QImage image(drawing.first, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        drawing.second(painter);
        painter.end();
        if (!image.save(folder + u'/' + name + QStringLiteral(".png")))
            return 1;
    }
    return 0;
}
