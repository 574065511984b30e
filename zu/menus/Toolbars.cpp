#include "zu/menus/Toolbars.h"

#include <QAction>
#include <QIcon>
#include <QSignalBlocker>
#include <QToolBar>

namespace zu {

namespace {
constexpr int kIconSize_px = 16;
}

Toolbars::Toolbars(QWidget& parent, Click click) : click_(std::move(click)) {
    TbMain = Make(parent, "TbMain", Qt::Horizontal);
    TbView = Make(parent, "TbView", Qt::Horizontal);
    TbMove = Make(parent, "TbMove", Qt::Vertical);

    Fill(ToolbarId::Main, TbMain,
         {{"copen", "zu 열기"},
          {"csave", "zu 저장"},
          {"psave", "그림으로 저장"},
          {"cprint", "zu 인쇄"},
          {"-", ""},
          {"find", "찾기"},
          {"planet", "행성 정보 보기"},
          {"dcal", "일력"},
          {"24julgi", "24절기 입기 시각과 주요 천문 현상"},
          {"moon", "월삭망 시각/식 현상"},
          {"today", "오늘의 천문현상"},
          {"pclose", "행성 접근 탐색기"},
          {"trail", "태양계 천체의 궤적"},
          {"-", ""},
          {"point", "표지 관리"},
          {"tbInfo", "zu 정보창 보기"},
          {"coninfo", "별자리 정보창 보기"},
          {"-", ""},
          {"info", "프로그램 정보"}},
         false);
    Fill(ToolbarId::View, TbView,
         {{"alt", "지평 좌표 그리기"},
          {"equ", "적도 좌표 그리기"},
          {"ecl", "황도 그리기"},
          {"gal", "은하의 적도 그리기"},
          {"milky", "은하수 그리기"},
          {"-", ""},
          {"atmoeff", "대기 효과 설정"},
          {"star", "별 그리기"},
          {"label", "별 이름표"},
          {"-", ""},
          {"magplus", "더 많은 별 표시"},
          {"magminus", "더 적은 별 표시"},
          {"-", ""},
          {"deepsky", "성운, 성단, 은하 그리기"},
          {"dsn", "성운, 성단, 은하 이름표"},
          {"-", ""},
          {"planet", "행성 그리기"},
          {"ast", "소행성 그리기"},
          {"comet", "혜성 그리기"},
          {"-", ""},
          {"wcon", "서양 별자리 그리기"},
          {"wcname", "서양 별자리 이름 표시"},
          {"bnd", "서양 별자리 경계선"},
          {"econ", "한국 별자리 그리기"},
          {"ecname", "한국 별자리 이름 표시"},
          {"econold", "천상열차분야지도 별자리 그리기"},
          {"ecnameold", "천상열차분야지도 별자리 이름 표시"},
          {"eclang", "한국 별자리 이름 언어"},
          {"-", ""},
          {"ecconfig", "별자리 설정"}},
         true);
    Fill(ToolbarId::Move, TbMove,
         {{"north", "북쪽 하늘"},
          {"south", "남쪽 하늘"},
          {"east", "동쪽 하늘"},
          {"west", "서쪽 하늘"},
          {"zenith", "천정"},
          {"all", "온하늘 zu 보기"},
          {"-", ""},
          {"enlarge", "확대"},
          {"reduce", "축소"},
          {"rotate_r", "시계방향으로 회전"},
          {"rotate_l", "반시계방향으로 회전"},
          {"-", ""},
          {"timecontrol", "시각 조절"},
          {"minush", "-1 시간 구간"},
          {"anim", "주마등 설정"},
          {"plush", "+1 시간 구간"},
          {"-", ""},
          {"up", "위로 옮기기"},
          {"down", "아래로 옮기기"},
          {"left", "왼쪽으로 옮기기"},
          {"right", "오른쪽으로 옮기기"},
          {"-", ""},
          {"observery", "관측 위치 설정"},
          {"config", "zu 표시 설정"}},
         false);
}

QToolBar* Toolbars::Make(QWidget& parent, const char* name, Qt::Orientation orientation) {
    auto* bar = new QToolBar(&parent);
    bar->setObjectName(name);
    bar->setOrientation(orientation);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(kIconSize_px, kIconSize_px));
    bar->setFocusPolicy(Qt::NoFocus);
    return bar;
}

void Toolbars::Fill(ToolbarId id, QToolBar* bar, std::initializer_list<std::pair<const char*, const char*>> buttons,
                    bool checkable_items) {
    for (const auto& [key_text, tooltip] : buttons) {
        const std::string key = key_text;
        keys_[id].push_back(key);
        if (key == "-") {
            bar->addSeparator();
            if (id == ToolbarId::View) view_items_.push_back(nullptr);
            continue;
        }
        QAction* action = bar->addAction(ToolIcon(key, kIconSize_px), QString::fromUtf8(tooltip));
        action->setObjectName(QString::fromStdString(key));
        action->setToolTip(QString::fromUtf8(tooltip));
        action->setCheckable(checkable_items);
        QObject::connect(action, &QAction::triggered, action, [this, action, id, key](bool checked) {
            // A pressed button shows a setting; only FormSet changes it.
            if (action->isCheckable()) {
                const QSignalBlocker block(action);
                action->setChecked(!checked);
            }
            if (click_) click_(id, key);
        });
        buttons_[{id, key}] = action;
        if (id == ToolbarId::View) view_items_.push_back(action);
    }
    for (QAction* action : bar->actions()) {
        if (QWidget* widget = bar->widgetForAction(action)) widget->setFocusPolicy(Qt::NoFocus);
    }
}

QAction* Toolbars::Button(ToolbarId toolbar, const std::string& key) const {
    const auto found = buttons_.find({toolbar, key});
    return found == buttons_.end() ? nullptr : found->second;
}

QAction* Toolbars::ViewItem(int number) const {
    if (number < 1 || number > ViewItemCount()) return nullptr;
    return view_items_[static_cast<std::size_t>(number - 1)];
}

std::vector<std::string> Toolbars::Keys(ToolbarId toolbar) const {
    const auto found = keys_.find(toolbar);
    return found == keys_.end() ? std::vector<std::string>{} : found->second;
}

}  // namespace zu
