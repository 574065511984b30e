#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QToolBar>
#include <QWidget>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/QtTestApp.h"
#include "zu/menus/Toolbars.h"

namespace zu {
namespace {

// Toolbar pictures are drawn on demand; every size and mode must look as the
// same pictures handed whole to Qt's own icon engine (16, 20 and 24 pixels).
TEST(ToolIcon, EverySizeAndModeIsTheDrawnSetsPicture) {
    platform::EnsureQtApp();
    QWidget parent;
    Toolbars bars(parent, [](ToolbarId, const std::string&) {});
    std::set<std::string> keys = {"fovwide", "fovnarrow", "no such picture"};
    for (ToolbarId id : {ToolbarId::Main, ToolbarId::View, ToolbarId::Move}) {
        for (const std::string& key : bars.Keys(id)) keys.insert(key);
    }
    ASSERT_GT(keys.size(), 20u);
    for (const std::string& key : keys) {
        QIcon whole;
        for (int s : {16, 20, 24}) whole.addPixmap(ToolPixmap(key, s));
        const QIcon drawn = ToolIcon(key, 16);
        for (int s : {8, 12, 16, 18, 20, 22, 24, 32, 48}) {
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
                SCOPED_TRACE(key + " " + std::to_string(s) + " mode " + std::to_string(mode));
                EXPECT_EQ(drawn.actualSize(QSize(s, s), mode), whole.actualSize(QSize(s, s), mode));
                const QImage expected = whole.pixmap(QSize(s, s), mode).toImage();
                const QImage got = drawn.pixmap(QSize(s, s), mode).toImage();
                ASSERT_EQ(got.size(), expected.size());
                EXPECT_TRUE(got.convertToFormat(QImage::Format_ARGB32) == expected.convertToFormat(QImage::Format_ARGB32));
            }
        }
        EXPECT_EQ(drawn.availableSizes(), whole.availableSizes());
    }
}

}  // namespace
}  // namespace zu
