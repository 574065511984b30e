#pragma once
// Text that stays inside the screen however long its words are: a name
// written without blanks (Hangul often is) wraps anywhere once it no longer
// fits a line, where Qt's own word wrap would keep it whole and widen the
// window or the tip to its length.
#include <QLabel>
#include <QScrollArea>
#include <QSize>
#include <QString>
#include <QStringList>

class QFont;

namespace ui {

// The lines of `text` in `font` no wider than width_px: broken at blanks
// where the line allows it, anywhere within a word too wide for a line, and
// at every line break of the text. Blanks at a break are dropped, so the
// lines joined again give back the words in their order.
QStringList WrapAnywhere(const QString& text, const QFont& font, int width_px);

// A tool tip text for `text` that fits a box of `area` pixels in `font`: the
// wrapped lines joined by line breaks, as many as the height holds; when the
// text is longer, the last line shown ends with "…".
QString TipWithin(const QString& text, const QFont& font, QSize area);

// A label whose plain text wraps as WrapAnywhere: its height follows its
// width, and its narrowest width is a few characters whatever the text.
class WrappedLabel final : public QLabel {
public:
    WrappedLabel(const QString& text, QWidget* parent);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The lines the text is drawn in at the label's present width.
    QStringList Lines() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The lines at a width of the text's room (without margins), kept for
    // the last text, font and width asked.
    const QStringList& LinesAt(int text_width) const;
    int ExtraWidth() const;
    int ExtraHeight() const;

    mutable QString cached_text_;
    mutable QFont cached_font_;
    mutable int cached_width_ = -1;
    mutable QStringList cached_lines_;
};

// A frameless vertical scroller around a WrappedLabel: as tall as the
// label's text up to `most_lines` lines, scrolling beyond them, and never
// scrolling sideways. Call updateGeometry() after changing the label's text.
class WrappedLabelScroller final : public QScrollArea {
public:
    WrappedLabelScroller(WrappedLabel* label, int most_lines, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    WrappedLabel* label_;
    int most_lines_;
};

}  // namespace ui
