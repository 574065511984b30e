#pragma once
// The constellation filter window opened on the real constellation tables,
// shared by its own tests and the main window's test of applying it.
#include <QListWidget>
#include <QTreeWidget>

#include <algorithm>
#include <memory>
#include <vector>

#include "zu/core/ProgramLoad.h"
#include "zu/core/TestSupport.h"
#include "zu/core/ToolWindows.h"
#include "zu/search/ConstFilterWindow.h"

namespace zu::test {

class ConstFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteSettingsFile(p.user.path() / "Default.cfg", {{"synctime", "false"}, {"jd", " 2460390.375"}});
        LoadProgramState(p.env.folders.program);
        owner = std::make_unique<QWidget>();
    }
    void TearDown() override {
        ResetToolWindows();
        owner.reset();
    }
    FrmCFilter& Open() { return static_cast<FrmCFilter&>(ShowToolWindow(ToolWindowId::FrmCFilter, owner.get())); }
    static void Click(FrmCFilter& w, const char* key) {
        QTreeWidgetItem* node = w.Node(key);
        ASSERT_NE(node, nullptr) << key;
        w.TreeView1_NodeClick(node);
    }
    static std::vector<bool> Ticks(const FrmCFilter& w) {
        std::vector<bool> ticks;
        for (int i = 0; i < w.List1->count(); ++i) ticks.push_back(w.List1->item(i)->checkState() == Qt::Checked);
        return ticks;
    }
    static int Count(const std::vector<bool>& flags) { return static_cast<int>(std::count(flags.begin(), flags.end(), true)); }

    ProgramEnv p;
    std::unique_ptr<QWidget> owner;
};

}  // namespace zu::test
