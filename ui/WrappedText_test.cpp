// Text that wraps anywhere: lines within the width for names with and
// without blanks, tips cut to a box, and the label's sizes.
#include "ui/WrappedText.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/QtTestApp.h"

namespace ui {
namespace {

// n Hangul syllables without a blank, as a special-day name may be.
QString Syllables(int n) {
    QString name;
    for (int i = 0; i < n; ++i) name += QChar(0xAC00 + (i * 37) % 11172);
    return name;
}

QString WithoutBlanks(QString text) { return text.remove(QLatin1Char(' ')); }

TEST(WrapAnywhere, LinesFitTheWidthAndKeepTheText) {
    platform::EnsureQtApp();
    const QFont font;
    const QFontMetrics metrics(font);
    struct Case {
        const char* name;
        QString text;
        int width;
        int least_lines;
    } cases[] = {
        {"one long word", Syllables(100), 300, 3},
        {"the longest name a file holds", Syllables(32767), 800, 100},
        {"a long word between short ones", "설날 " + Syllables(60) + " 추석", 200, 3},
        {"short", QString::fromUtf8("신정"), 300, 1},
        {"narrower than a letter", Syllables(5), 1, 5},
    };
    for (const Case& c : cases) {
        const QStringList lines = WrapAnywhere(c.text, font, c.width);
        EXPECT_GE(lines.size(), c.least_lines) << c.name;
        for (const QString& line : lines) {
            if (line.size() > 1) {
                EXPECT_LE(metrics.horizontalAdvance(line), c.width) << c.name;
            }
        }
        EXPECT_EQ(WithoutBlanks(lines.join(QString())), WithoutBlanks(c.text)) << c.name;
    }
}

TEST(WrapAnywhere, BreaksAtBlanksWhereTheyAreAndAtLineBreaks) {
    platform::EnsureQtApp();
    const QFont font;
    const QFontMetrics metrics(font);
    const QString words = QString::fromUtf8("설날 추석 한글날");
    // Room for the first two words only.
    const int width = metrics.horizontalAdvance(QString::fromUtf8("설날 추석")) + 1;
    EXPECT_EQ(WrapAnywhere(words, font, width), QStringList({QString::fromUtf8("설날 추석"), QString::fromUtf8("한글날")}));
    EXPECT_EQ(WrapAnywhere(QString::fromUtf8("설날\r\n\r\n추석"), font, 500),
              QStringList({QString::fromUtf8("설날"), QString(), QString::fromUtf8("추석")}));
}

TEST(TipWithin, CutToTheBoxWithAMark) {
    platform::EnsureQtApp();
    const QFont font;
    const QFontMetrics metrics(font);
    const QSize box(400, 10 * metrics.lineSpacing() + 3);
    const QString name = Syllables(32767);
    const QStringList lines = TipWithin(name, font, box).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 10);
    for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), box.width());
    EXPECT_TRUE(lines.back().endsWith(QString::fromUtf8("…")));
    QString shown = lines.join(QString());
    shown.chop(1);
    EXPECT_TRUE(name.startsWith(shown));
    // What fits stays as it is.
    EXPECT_EQ(TipWithin(QString::fromUtf8("3월 1일/삼일절/음력: 1. 21/甲子"), font, box),
              QString::fromUtf8("3월 1일/삼일절/음력: 1. 21/甲子"));
}

TEST(WrappedLabel, NarrowWhateverTheTextAndAsTallAsItsLines) {
    platform::EnsureQtApp();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* label = new WrappedLabel(Syllables(32767), &window);
    layout->addWidget(label);
    const QFontMetrics metrics(label->font());
    EXPECT_LT(label->minimumSizeHint().width(), 10 * metrics.height());
    EXPECT_LE(label->sizeHint().width(), 31 * metrics.height());
    EXPECT_LT(window.minimumSizeHint().width(), 12 * metrics.height());
    const int lines = static_cast<int>(WrapAnywhere(label->text(), label->font(), 300).size());
    EXPECT_EQ(label->heightForWidth(300), lines * metrics.lineSpacing());
    label->setText(QString::fromUtf8("신정"));
    EXPECT_EQ(label->heightForWidth(300), metrics.lineSpacing());
    EXPECT_EQ(label->sizeHint().width(), metrics.horizontalAdvance(QString::fromUtf8("신정")));
}

TEST(WrappedLabelScroller, ScrollsBeyondItsLines) {
    platform::EnsureQtApp();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* label = new WrappedLabel(QString::fromUtf8("신정"), nullptr);
    auto* scroller = new WrappedLabelScroller(label, 5, &window);
    layout->addWidget(scroller);
    const int step = label->fontMetrics().lineSpacing();
    EXPECT_EQ(scroller->sizeHint().height(), step);
    label->setText(Syllables(32767));
    scroller->updateGeometry();
    EXPECT_EQ(scroller->sizeHint().height(), 5 * step);
    window.resize(400, window.sizeHint().height());
    window.show();
    platform::RunEventsFor(50);
    EXPECT_LE(label->width(), scroller->viewport()->width());
    EXPECT_GT(label->height(), 100 * step);
    EXPECT_GT(scroller->verticalScrollBar()->maximum(), 0);
    const QFontMetrics metrics(label->font());
    for (const QString& line : label->Lines()) EXPECT_LE(metrics.horizontalAdvance(line), label->width());
}

}  // namespace
}  // namespace ui
