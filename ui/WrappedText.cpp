#include "ui/WrappedText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

namespace ui {
namespace {

const QString kMoreMark = QString::fromUtf8("…");
// A label's preferred width stops at this many line heights, so that a long
// text makes the window taller (within its scroller), not wider.
constexpr int kReadingWidthLines = 30;
// Its narrowest width: a few characters.
constexpr int kNarrowestLines = 4;

void DropTrailingBlanks(QString& line) {
    while (!line.isEmpty() && line.back().isSpace()) line.chop(1);
}

// The line without its last character (a surrogate pair stays whole).
void DropLastCharacter(QString& line) {
    const bool pair = line.size() >= 2 && line.back().isLowSurrogate();
    line.chop(pair ? 2 : 1);
}

}  // namespace

QStringList WrapAnywhere(const QString& text, const QFont& font, int width_px) {
    QStringList lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const qreal width = std::max(1, width_px);
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    for (const QString& paragraph : plain.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            DropTrailingBlanks(piece);
            lines << piece;
        }
        layout.endLayout();
    }
    return lines;
}

QString TipWithin(const QString& text, const QFont& font, QSize area) {
    const QFontMetrics metrics(font);
    const int most = std::max(1, area.height() / std::max(1, metrics.lineSpacing()));
    QStringList lines = WrapAnywhere(text, font, area.width());
    if (lines.size() > most) {
        lines.erase(lines.begin() + most, lines.end());
        QString& last = lines.back();
        while (!last.isEmpty() && metrics.horizontalAdvance(last + kMoreMark) > area.width()) DropLastCharacter(last);
        last += kMoreMark;
    }
    return lines.join(QLatin1Char('\n'));
}

WrappedLabel::WrappedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    // QLabel keeps its height-for-width policy only with its word wrap on;
    // the wrapping and drawing are this class's.
    setWordWrap(true);
}

int WrappedLabel::ExtraWidth() const {
    const QMargins m = contentsMargins();
    return m.left() + m.right() + 2 * margin();
}

int WrappedLabel::ExtraHeight() const {
    const QMargins m = contentsMargins();
    return m.top() + m.bottom() + 2 * margin();
}

const QStringList& WrappedLabel::LinesAt(int text_width) const {
    if (text_width != cached_width_ || text() != cached_text_ || font() != cached_font_) {
        cached_text_ = text();
        cached_font_ = font();
        cached_width_ = text_width;
        cached_lines_ = WrapAnywhere(cached_text_, cached_font_, text_width);
    }
    return cached_lines_;
}

int WrappedLabel::heightForWidth(int width) const {
    const auto lines = static_cast<int>(std::max<qsizetype>(1, LinesAt(width - ExtraWidth()).size()));
    return lines * fontMetrics().lineSpacing() + ExtraHeight();
}

QSize WrappedLabel::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int reading = kReadingWidthLines * metrics.height();
    // Measured up to the reading width only: a text of any length costs the
    // same.
    int natural = 0;
    for (const QString& paragraph : text().split(QLatin1Char('\n'))) {
        natural = std::max(natural, metrics.horizontalAdvance(paragraph.left(2 * reading / std::max(1, metrics.averageCharWidth()))));
        if (natural >= reading) break;
    }
    const int width = std::min(natural, reading) + ExtraWidth();
    return QSize(width, heightForWidth(width));
}

QSize WrappedLabel::minimumSizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return QSize(kNarrowestLines * metrics.height() + ExtraWidth(), metrics.lineSpacing() + ExtraHeight());
}

QStringList WrappedLabel::Lines() const { return LinesAt(contentsRect().width() - 2 * margin()); }

void WrappedLabel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QFontMetrics metrics = fontMetrics();
    const int step = metrics.lineSpacing();
    const QRect dirty = event->rect();
    painter.setPen(palette().color(foregroundRole()));
    int top = room.top();
    for (const QString& line : LinesAt(room.width())) {
        if (top > dirty.bottom()) break;
        if (top + step >= dirty.top()) painter.drawText(room.left(), top + metrics.ascent(), line);
        top += step;
    }
}

WrappedLabelScroller::WrappedLabelScroller(WrappedLabel* label, int most_lines, QWidget* parent)
    : QScrollArea(parent), label_(label), most_lines_(std::max(1, most_lines)) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setWidget(label);
}

QSize WrappedLabelScroller::sizeHint() const {
    const QSize label = label_->sizeHint();
    const int most = most_lines_ * label_->fontMetrics().lineSpacing();
    const int frame = 2 * frameWidth();
    if (label.height() <= most) return QSize(label.width() + frame, label.height() + frame);
    return QSize(label.width() + verticalScrollBar()->sizeHint().width() + frame, most + frame);
}

QSize WrappedLabelScroller::minimumSizeHint() const {
    const QSize label = label_->minimumSizeHint();
    const int frame = 2 * frameWidth();
    return QSize(label.width() + verticalScrollBar()->sizeHint().width() + frame, label.height() + frame);
}

}  // namespace ui
