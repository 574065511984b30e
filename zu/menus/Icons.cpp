// The pictures of the toolbar buttons and of the zoom indicator's ends: simple
// line drawings on a 16-unit grid, scaled to the requested size, so they stay
// legible from 16 to 24 pixels.
#include <QApplication>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "zu/menus/Toolbars.h"

namespace zu {
namespace {

const QColor kInk(30, 40, 70);
const QColor kSky(40, 70, 150);
const QColor kStar(230, 170, 0);
const QColor kRed(200, 40, 40);
const QColor kGreen(30, 130, 60);

void Text(QPainter& p, const QString& text, const QColor& colour, double size = 9, QRectF box = {0, 0, 16, 16}) {
    QFont font = p.font();
    font.setPixelSize(static_cast<int>(size));
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

void StarShape(QPainter& p, double cx, double cy, double r, const QColor& colour) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = i % 2 ? r * 0.45 : r;
        star << QPointF(cx + rr * std::cos(a), cy + rr * std::sin(a));
    }
    p.setPen(QPen(colour.darker(140), 0.7));
    p.setBrush(colour);
    p.drawPolygon(star);
}

void Arrow(QPainter& p, double angle_deg, const QColor& colour) {
    p.save();
    p.translate(8, 8);
    p.rotate(angle_deg);
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 6), QPointF(0, -5));
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(0, -7), QPointF(-4.5, -1.5), QPointF(4.5, -1.5)}));
    p.restore();
}

void Globe(QPainter& p, const QColor& colour) {
    p.setPen(QPen(colour, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
}

void Page(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 10, 13));
}

void Magnifier(QPainter& p, const QString& sign) {
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
    Text(p, sign, kInk, 10, QRectF(1.5, 0.5, 9, 10));
}

void Rotation(QPainter& p, bool clockwise) {
    p.setPen(QPen(kSky, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 30 * 16, 270 * 16);
    const QPointF tip = clockwise ? QPointF(12.8, 5) : QPointF(12.8, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(kSky);
    if (clockwise) {
        p.drawPolygon(QPolygonF({tip + QPointF(-3, -3), tip + QPointF(2.5, -1.5), tip + QPointF(-0.5, 3)}));
    } else {
        p.drawPolygon(QPolygonF({tip + QPointF(-3, 3), tip + QPointF(2.5, 1.5), tip + QPointF(-0.5, -3)}));
    }
}

void Lines(QPainter& p, const QColor& colour, bool with_names, bool bold = false) {
    p.setPen(QPen(colour, bold ? 1.6 : 1));
    const QPointF pts[] = {{2, 12}, {6, 8}, {10, 10}, {14, 4}};
    for (int i = 0; i < 3; ++i) p.drawLine(pts[i], pts[i + 1]);
    for (const QPointF& pt : pts) {
        p.setBrush(kStar);
        p.setPen(Qt::NoPen);
        p.drawEllipse(pt, 1.4, 1.4);
        p.setPen(QPen(colour, bold ? 1.6 : 1));
    }
    if (with_names) Text(p, "A", kRed, 8, QRectF(0, 0, 8, 8));
}

using Drawer = std::function<void(QPainter&)>;

const std::map<std::string, Drawer>& Drawers() {
    static const std::map<std::string, Drawer> drawers = {
        // TbMain
        {"copen", [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(240, 200, 90));
             p.drawPolygon(QPolygonF({QPointF(1.5, 4), QPointF(6, 4), QPointF(7.5, 5.5), QPointF(14.5, 5.5),
                                      QPointF(14.5, 13.5), QPointF(1.5, 13.5)}));
         }},
        {"csave", [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kSky);
             p.drawRect(QRectF(1.5, 1.5, 13, 13));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(4, 1.5, 8, 5));
             p.drawRect(QRectF(4, 9, 8, 5.5));
         }},
        {"psave", [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(20, 30, 70));
             p.drawRect(QRectF(1.5, 2.5, 13, 11));
             StarShape(p, 8, 8, 4, kStar);
         }},
        {"cprint", [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(4.5, 1.5, 7, 5));
             p.setBrush(QColor(170, 170, 180));
             p.drawRect(QRectF(1.5, 6.5, 13, 6));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(4.5, 10.5, 7, 4));
         }},
        {"find", [](QPainter& p) { Magnifier(p, ""); }},
        {"planet", [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(220, 150, 60));
             p.drawEllipse(QRectF(4, 4, 8, 8));
             p.setPen(QPen(kInk, 1));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(0.5, 6, 15, 4));
         }},
        {"dcal", [](QPainter& p) {
             Page(p);
             p.fillRect(QRectF(3, 2, 9, 3), kRed);
             Text(p, "1", kInk, 8, QRectF(2.5, 5, 10, 9));
         }},
        {"24julgi", [](QPainter& p) { Text(p, "24", kGreen, 9); }},
        {"moon", [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kStar);
             p.drawEllipse(QRectF(2, 2, 12, 12));
             p.setBrush(QColor(250, 250, 250));
             p.drawEllipse(QRectF(5.5, 1, 11, 11));
         }},
        {"today", [](QPainter& p) {
             Page(p);
             StarShape(p, 7.5, 9, 3.5, kStar);
         }},
        {"pclose", [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(220, 150, 60));
             p.drawEllipse(QRectF(2, 5, 6, 6));
             p.setBrush(kSky);
             p.drawEllipse(QRectF(8, 5, 6, 6));
         }},
        {"trail", [](QPainter& p) {
             p.setPen(QPen(kSky, 1, Qt::DotLine));
             p.drawArc(QRectF(1.5, 3, 13, 16), 40 * 16, 100 * 16);
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(220, 150, 60));
             for (double x : {3.0, 8.0, 13.0}) p.drawEllipse(QPointF(x, x == 8.0 ? 3.5 : 6.0), 1.8, 1.8);
         }},
        {"point", [](QPainter& p) {
             p.setPen(QPen(kRed, 1.5));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QRectF(3, 3, 10, 10));
             p.drawLine(QPointF(8, 0.5), QPointF(8, 15.5));
             p.drawLine(QPointF(0.5, 8), QPointF(15.5, 8));
         }},
        {"tbInfo", [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(1.5, 1.5, 13, 13));
             for (double y : {5.0, 8.0, 11.0}) p.drawLine(QPointF(4, y), QPointF(12, y));
         }},
        {"coninfo", [](QPainter& p) {
             Lines(p, kSky, false);
             Text(p, "i", kRed, 9, QRectF(0, 0, 8, 9));
         }},
        {"info", [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kSky);
             p.drawEllipse(QRectF(1, 1, 14, 14));
             Text(p, "i", Qt::white, 11);
         }},
        // TbView
        {"alt", [](QPainter& p) {
             Globe(p, kGreen);
             p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
             p.drawArc(QRectF(1.5, 4.5, 13, 7), 0, 180 * 16);
         }},
        {"equ", [](QPainter& p) {
             Globe(p, kSky);
             p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
             p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
         }},
        {"ecl", [](QPainter& p) {
             p.setPen(QPen(QColor(200, 140, 0), 1.6));
             p.drawLine(QPointF(1, 13), QPointF(15, 3));
             p.setPen(Qt::NoPen);
             p.setBrush(kStar);
             p.drawEllipse(QPointF(8, 8), 2.5, 2.5);
         }},
        {"gal", [](QPainter& p) {
             p.setPen(QPen(QColor(150, 60, 170), 1.6));
             p.drawLine(QPointF(1, 3), QPointF(15, 13));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(150, 60, 170));
             p.drawEllipse(QPointF(8, 8), 3, 1.5);
         }},
        {"milky", [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(150, 160, 200));
             QPainterPath band;
             band.moveTo(0, 12);
             band.cubicTo(5, 6, 10, 9, 16, 2);
             band.lineTo(16, 7);
             band.cubicTo(10, 13, 5, 11, 0, 16);
             band.closeSubpath();
             p.drawPath(band);
         }},
        {"atmoeff", [](QPainter& p) {
             QLinearGradient g(0, 0, 0, 16);
             g.setColorAt(0, QColor(20, 40, 110));
             g.setColorAt(1, QColor(240, 160, 80));
             p.fillRect(QRectF(1, 1, 14, 14), g);
         }},
        {"star", [](QPainter& p) { StarShape(p, 8, 8, 7, kStar); }},
        {"label", [](QPainter& p) {
             StarShape(p, 5, 10, 4, kStar);
             Text(p, "α", kRed, 10, QRectF(8, 0, 8, 10));
         }},
        {"magplus", [](QPainter& p) {
             StarShape(p, 6, 10, 4.5, kStar);
             Text(p, "+", kGreen, 11, QRectF(8, 0, 8, 9));
         }},
        {"magminus", [](QPainter& p) {
             StarShape(p, 6, 10, 4.5, kStar);
             Text(p, "−", kRed, 11, QRectF(8, 0, 8, 9));
         }},
        {"deepsky", [](QPainter& p) {
             p.setPen(QPen(kSky, 1.2));
             p.setBrush(QColor(180, 200, 240));
             p.drawEllipse(QRectF(1.5, 4.5, 13, 7));
         }},
        {"dsn", [](QPainter& p) {
             p.setPen(QPen(kSky, 1.2));
             p.setBrush(QColor(180, 200, 240));
             p.drawEllipse(QRectF(1, 8, 9, 6));
             Text(p, "M", kRed, 8, QRectF(7, 0, 9, 9));
         }},
        {"ast", [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(QColor(150, 130, 110));
             p.drawPolygon(QPolygonF({QPointF(4, 4), QPointF(10, 2.5), QPointF(13.5, 7), QPointF(11, 13),
                                      QPointF(5, 12.5), QPointF(2.5, 8)}));
         }},
        {"comet", [](QPainter& p) {
             p.setPen(QPen(QColor(120, 160, 220), 2));
             p.drawLine(QPointF(5, 11), QPointF(15, 1));
             p.drawLine(QPointF(5, 11), QPointF(12, 1));
             p.setPen(Qt::NoPen);
             p.setBrush(kSky);
             p.drawEllipse(QPointF(4.5, 11.5), 3, 3);
         }},
        {"wcon", [](QPainter& p) { Lines(p, kSky, false); }},
        {"wcname", [](QPainter& p) { Lines(p, kSky, true); }},
        {"bnd", [](QPainter& p) {
             p.setPen(QPen(kInk, 1, Qt::DashLine));
             p.setBrush(Qt::NoBrush);
             p.drawPolygon(QPolygonF({QPointF(2, 2), QPointF(9, 2), QPointF(9, 7), QPointF(14, 7), QPointF(14, 14),
                                      QPointF(2, 14)}));
         }},
        {"econ", [](QPainter& p) { Lines(p, kRed, false); }},
        {"ecname", [](QPainter& p) {
             Lines(p, kRed, false);
             Text(p, "가", kInk, 8, QRectF(0, 0, 9, 9));
         }},
        {"econold", [](QPainter& p) { Lines(p, kGreen, false, true); }},
        {"ecnameold", [](QPainter& p) {
             Lines(p, kGreen, false, true);
             Text(p, "天", kInk, 8, QRectF(0, 0, 9, 9));
         }},
        {"eclang", [](QPainter& p) { Text(p, "가A", kInk, 8); }},
        {"ecconfig", [](QPainter& p) {
             Lines(p, kSky, false);
             p.setPen(QPen(kInk, 1));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(9.5, 9.5, 5, 5));
             p.drawLine(QPointF(10.5, 12), QPointF(12, 13.5));
             p.drawLine(QPointF(12, 13.5), QPointF(14, 10.5));
         }},
        // TbMove
        {"north", [](QPainter& p) { Text(p, QString::fromUtf8("북"), kInk, 11); }},
        {"south", [](QPainter& p) { Text(p, QString::fromUtf8("남"), kInk, 11); }},
        {"east", [](QPainter& p) { Text(p, QString::fromUtf8("동"), kInk, 11); }},
        {"west", [](QPainter& p) { Text(p, QString::fromUtf8("서"), kInk, 11); }},
        {"zenith", [](QPainter& p) {
             p.setPen(QPen(kGreen, 1.2));
             p.drawLine(QPointF(1, 14), QPointF(15, 14));
             Arrow(p, 0, kSky);
         }},
        {"all", [](QPainter& p) {
             Globe(p, kSky);
             StarShape(p, 5.5, 6, 2.2, kStar);
             StarShape(p, 10.5, 10, 2.2, kStar);
         }},
        {"enlarge", [](QPainter& p) { Magnifier(p, "+"); }},
        {"reduce", [](QPainter& p) { Magnifier(p, "−"); }},
        {"rotate_r", [](QPainter& p) { Rotation(p, true); }},
        {"rotate_l", [](QPainter& p) { Rotation(p, false); }},
        {"timecontrol", [](QPainter& p) {
             p.setPen(QPen(kInk, 1.2));
             p.setBrush(Qt::white);
             p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
             p.drawLine(QPointF(8, 8), QPointF(8, 3.5));
             p.drawLine(QPointF(8, 8), QPointF(11.5, 9.5));
         }},
        {"minush", [](QPainter& p) { Arrow(p, -90, kSky); }},
        {"plush", [](QPainter& p) { Arrow(p, 90, kSky); }},
        {"anim", [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kGreen);
             p.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(14, 8), QPointF(4, 14)}));
         }},
        {"up", [](QPainter& p) { Arrow(p, 0, kInk); }},
        {"down", [](QPainter& p) { Arrow(p, 180, kInk); }},
        {"left", [](QPainter& p) { Arrow(p, -90, kInk); }},
        {"right", [](QPainter& p) { Arrow(p, 90, kInk); }},
        {"observery", [](QPainter& p) {
             p.setPen(QPen(kInk, 1));
             p.setBrush(kRed);
             QPainterPath pin;
             pin.addEllipse(QRectF(4, 1.5, 8, 8));
             p.drawPath(pin);
             p.drawLine(QPointF(8, 9.5), QPointF(8, 15));
             p.setBrush(Qt::white);
             p.drawEllipse(QPointF(8, 5.5), 1.5, 1.5);
         }},
        {"config", [](QPainter& p) {
             p.setPen(QPen(kInk, 1.2));
             for (double y : {4.0, 8.0, 12.0}) p.drawLine(QPointF(2, y), QPointF(14, y));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(4, 2.5, 3, 3));
             p.drawRect(QRectF(9, 6.5, 3, 3));
             p.drawRect(QRectF(5.5, 10.5, 3, 3));
         }},
        // The two ends of the zoom indicator: a wide and a narrow field.
        {"fovwide", [](QPainter& p) {
             p.setPen(QPen(kSky, 1.2));
             p.drawLine(QPointF(8, 14), QPointF(0.5, 3));
             p.drawLine(QPointF(8, 14), QPointF(15.5, 3));
         }},
        {"fovnarrow", [](QPainter& p) {
             p.setPen(QPen(kSky, 1.2));
             p.drawLine(QPointF(8, 14), QPointF(6.5, 3));
             p.drawLine(QPointF(8, 14), QPointF(9.5, 3));
         }},
    };
    return drawers;
}

}  // namespace

QPixmap ToolPixmap(const std::string& key, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    const auto& drawers = Drawers();
    const auto found = drawers.find(key);
    if (found != drawers.end()) {
        found->second(painter);
    } else {
        Text(painter, QString::fromStdString(key.substr(0, 2)), kInk, 8);
    }
    return pixmap;
}

namespace {

// A toolbar picture drawn when a size of it is first asked for, at the size
// of the drawn set (the base size, 20 and 24 pixels) that Qt's own icon
// engine would pick and scale, and kept: only the sizes the screen uses are
// ever drawn. Disabled and selected pictures come from the style, as Qt's
// engine makes them from the normal one.
class ToolIconEngine final : public QIconEngine {
public:
    ToolIconEngine(std::string key, int base_size) : key_(std::move(key)), sizes_{base_size, 20, 24} {}

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        return FittedSize(DrawnSize(size), size);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const int drawn = DrawnSize(size);
        const QSize fitted = FittedSize(drawn, size);
        const auto key = std::make_tuple(drawn, fitted.width(), fitted.height(), static_cast<int>(mode));
        if (const auto found = made_.find(key); found != made_.end()) return found->second;
        QPixmap picture = ToolPixmap(key_, drawn);
        if (picture.size() != fitted) picture = picture.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (mode != QIcon::Normal) {
            QStyleOption option(0);
            option.palette = QGuiApplication::palette();
            const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, picture, &option);
            if (!generated.isNull()) picture = generated;
        }
        made_.emplace(key, picture);
        return picture;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const QSize size = actualSize(rect.size(), mode, state);
        const QPixmap picture = pixmap(size, mode, state);
        painter->drawPixmap(QRect(rect.topLeft() + QPoint((rect.width() - size.width()) / 2,
                                                          (rect.height() - size.height()) / 2),
                                  size),
                            picture);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int s : sizes_) {
            if (!sizes.contains(QSize(s, s))) sizes.append(QSize(s, s));
        }
        return sizes;
    }

    QIconEngine* clone() const override { return new ToolIconEngine(*this); }

private:
    // The smallest drawn size covering the request, else the largest.
    int DrawnSize(const QSize& size) const {
        const long asked = static_cast<long>(size.width()) * size.height();
        int covering = 0, largest = 0;
        for (int s : sizes_) {
            if (static_cast<long>(s) * s >= asked && (covering == 0 || s < covering)) covering = s;
            largest = std::max(largest, s);
        }
        return covering != 0 ? covering : largest;
    }

    static QSize FittedSize(int drawn, const QSize& size) {
        QSize fitted(drawn, drawn);
        if (fitted.width() > size.width() || fitted.height() > size.height()) fitted.scale(size, Qt::KeepAspectRatio);
        return fitted;
    }

    std::string key_;
    int sizes_[3];
    std::map<std::tuple<int, int, int, int>, QPixmap> made_;
};

}  // namespace

QIcon ToolIcon(const std::string& key, int size) { return QIcon(new ToolIconEngine(key, size)); }

}  // namespace zu
