#include "zu/menus/MainMenus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace zu {

MainMenus::MainMenus(QMenuBar& bar, QWidget& owner, Trigger trigger) : owner_(owner), trigger_(std::move(trigger)) {
    Build(bar);
}

QAction* MainMenus::Action(const std::string& name, int index) const {
    const auto found = actions_.find({name, index});
    return found == actions_.end() ? nullptr : found->second;
}

QMenu* MainMenus::Menu(const std::string& name) const {
    const auto found = menus_.find(name);
    return found == menus_.end() ? nullptr : found->second;
}

QMenu* MainMenus::AddMenu(QMenu* parent, QMenuBar* bar, const std::string& name, const QString& caption) {
    QMenu* menu = parent ? parent->addMenu(caption) : bar ? bar->addMenu(caption) : new QMenu(caption, &owner_);
    const std::string key = name.empty() ? "menu" + std::to_string(next_anonymous_++) : name;
    menu->setObjectName(QString::fromStdString(key));
    menus_[key] = menu;
    return menu;
}

QAction* MainMenus::AddItem(QMenu* menu, const std::string& name, int index, const QString& caption,
                            const QString& shortcut, bool checkable) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromStdString(name));
    action->setData(index);
    if (!shortcut.isEmpty()) {
        action->setShortcut(QKeySequence(shortcut));
        action->setShortcutContext(Qt::WindowShortcut);
    }
    action->setCheckable(checkable);
    QObject::connect(action, &QAction::triggered, action, [this, action, name, index](bool checked) {
        // Qt has already moved the mark; put it back, the command decides.
        if (action->isCheckable()) {
            const QSignalBlocker block(action);
            action->setChecked(!checked);
        }
        if (trigger_) trigger_(name, index);
    });
    actions_[{name, index}] = action;
    return action;
}

void MainMenus::AddItems(QMenu* menu, const std::string& name, std::initializer_list<const char*> captions,
                         bool checkable) {
    int index = 0;
    for (const char* caption : captions) AddItem(menu, name, index++, QString::fromUtf8(caption), {}, checkable);
}

void MainMenus::Build(QMenuBar& bar) {
    const bool check = true;
    auto U = [](const char* s) { return QString::fromUtf8(s); };

    // 프로그램
    QMenu* pro = AddMenu(nullptr, &bar, "mnupro", U("프로그램(&P)"));
    AddItem(pro, "mnuOpen", 0, U("zu 열기(&L)"), "Ctrl+L");
    AddItem(pro, "mnuSave", 0, U("zu 저장(&C)"), "Ctrl+R");
    pro->addSeparator();
    QMenu* out = AddMenu(pro, nullptr, "mnuOut", U("zu 출력"));
    AddItem(out, "mnuClip", 0, U("클립보드에 복사"));
    AddItem(out, "mnuPSave", 0, U("그림으로 저장(&S)"), "Ctrl+Y");
    AddItem(pro, "mnyPrint", 0, U("zu 인쇄(&P)"), "Ctrl+P");
    pro->addSeparator();
    AddItem(pro, "mnuObs", 0, U("관측지 설정(&O)"), "Ctrl+B");
    AddItem(pro, "mnuSet", 0, U("설정(&F)"), "Ctrl+G");
    pro->addSeparator();
    AddItem(pro, "mnuInfo", 0, U("정보(&A)"), "F1");
    AddItem(pro, "mnuHome", 0, U("프로그램 홈페이지(&H)"));
    AddItem(pro, "mnuexit", 0, U("끝내기(&X)"));

    // 보기
    QMenu* look = AddMenu(nullptr, &bar, "mnuLook", U("보기(&V)"));
    QMenu* fov = AddMenu(look, nullptr, "", U("시야"));
    AddItems(fov, "mnuFOV", {"1&20°", "&90°", "&60°", "&30°", "&15°", "&5°"});
    AddItem(look, "mnuZooms", 0, U("확대(&P)"), "Del");
    AddItem(look, "mnuZooms", 1, U("축소(&U)"), "Shift+Del");
    look->addSeparator();
    AddItem(look, "mnuRot", 0, U("시계 방향으로 회전"));
    AddItem(look, "mnuRot", 1, U("반시계 방향으로 회전"));
    AddItem(look, "mnuNotRot", 0, U("zu 회전 취소"), "Alt+Backspace");
    look->addSeparator();
    QMenu* cood = AddMenu(look, nullptr, "", U("기준 좌표계"));
    AddItems(cood, "mnuCood", {"지평 좌표계(&A)", "적도 좌표계(&Q)"}, check);
    look->addSeparator();
    const char* directions[] = {"동(&E)", "서(&W)", "남(&S)", "북(&N)", "천정(&Z)"};
    const char* direction_keys[] = {"Ctrl+E", "Ctrl+W", "Ctrl+S", "Ctrl+N", "Ctrl+Z"};
    for (int i = 0; i < 5; ++i) AddItem(look, "mnuDirect", i, U(directions[i]), direction_keys[i]);
    AddItem(look, "mnuReset", 0, U("온하늘 zu(&D)"), "Ctrl+M");
    look->addSeparator();
    AddItem(look, "mnuMapInfo", 0, U("zu 정보 표시"));
    AddItem(look, "mnuToolBar", 0, U("도구 상자 표시"), {}, check);

    // zu: display switches
    QMenu* zu = AddMenu(nullptr, &bar, "mnuZu", U("zu(&C)"));
    QMenu* atmo = AddMenu(zu, nullptr, "mnuAtmo", U("대기 효과"));
    AddItem(atmo, "mnuAirEx", 0, U("대기 소광 효과"), {}, check);
    AddItem(atmo, "mnuRefract", 0, U("대기 굴절 효과"), {}, check);
    atmo->addSeparator();
    AddItem(atmo, "mnuLiveSky", 0, U("하늘빛을 자동으로 조절"), {}, check);
    AddItem(atmo, "mnuMoon", 0, U("달빛의 영향도 고려"), {}, check);
    AddItem(atmo, "mnuAtmoEff", 0, U("지평선 부근을 밝게"), {}, check);
    AddItem(atmo, "mnuAutoMag", 0, U("극한등급 자동 조절"), {}, check);
    AddItem(zu, "mnuUnderHor", 0, U("지평선 아래도 그리기"), {}, check);
    AddItem(zu, "mnuGround", 0, U("지면 그리기"), {}, check);
    AddItem(zu, "mnuHorizon", 0, U("지평선"), {}, check);
    zu->addSeparator();
    AddItem(zu, "mnuAlt", 0, U("지평좌표계"), "Ctrl+F1", check);
    AddItem(zu, "mnuEqu", 0, U("적도좌표계"), "Ctrl+F2", check);
    AddItem(zu, "mnuEcl", 0, U("황도"), {}, check);
    AddItem(zu, "mnuGalEqu", 0, U("은하 적도"), {}, check);
    AddItem(zu, "mnuMilky", 0, U("은하수"), {}, check);
    QMenu* tools = AddMenu(zu, nullptr, "", U("도구"));
    AddItem(tools, "mnuCenterMark", 0, U("가운데 표시 화살표"), {}, check);
    AddItem(tools, "mnuCenterCross", 0, U("가운데 표시 십자표"), {}, check);
    AddItem(tools, "mnuFindCircle", 0, U("탐색원 보기"), {}, check);
    zu->addSeparator();
    QMenu* stars = AddMenu(zu, nullptr, "mnuSt", U("별"));
    AddItem(stars, "mnuStar", 0, U("별 그리기"), "Ctrl+F11", check);
    AddItem(stars, "mnuCircle", 0, U("별을 원으로 그리기"), "Ctrl+F4", check);
    AddItem(stars, "mnuSpType", 0, U("분광형 표현"), "Ctrl+F5", check);
    AddItem(stars, "mnuInConst", 0, U("별자리(星鏡)에 포함된 별만 그리기"), {}, check);
    QMenu* label = AddMenu(zu, nullptr, "mnuLabel", U("별 이름표(BSC 목록)"));
    AddItem(label, "mnuKSNumber", 0, U("한국 별(星鏡) 번호"), {}, check);
    AddItem(label, "mnuBayer", 0, U("베이어 기호"), {}, check);
    AddItem(label, "mnuFlam", 0, U("플램스티드 번호"), {}, check);
    AddItems(label, "mnuStarName", {"한국 별 이름", "서양 별 이름"}, check);
    label->addSeparator();
    AddItems(label, "mnuSN", {"한글 이름 표시", "한자 또는 영어 이름 표시"}, check);
    QMenu* s2k = AddMenu(zu, nullptr, "mnuS2kLabels", U("별 이름표(Sky 2000 목록)"));
    AddItems(s2k, "mnuS2kLabel", {"Sky 2000 목록 번호", "HD 목록 번호", "SAO 목록 번호", "없음"}, check);
    zu->addSeparator();
    AddItem(zu, "mnuNonstellar", 0, U("기(氣-성운, 성단, 은하) 그리기"), {}, check);
    QMenu* dso = AddMenu(zu, nullptr, "mnuDSOLabel", U("성운, 성단, 은하 이름표"));
    AddItems(dso, "mnuDSOName", {"기본 기호", "보조 기호", "일반 이름(기본 기호)", "없음"}, check);
    zu->addSeparator();
    AddItem(zu, "mnuPlanet", 0, U("행성 그리기"), {}, check);
    QMenu* planetNames = AddMenu(zu, nullptr, "mnuPlaLabel", U("행성 이름표"));
    AddItems(planetNames, "mnuPlaName", {"이름표 없음", "현대식 이름", "한국식 이름", "중국명 한글", "중국명 한자"},
             check);
    AddItem(zu, "mnuEarthShadow", 0, U("지구 그림자 그리기"), {}, check);
    AddItem(zu, "mnuComet", 0, U("혜성 그리기"), {}, check);
    AddItem(zu, "mnuCometLimit", 0, U("근일점 부근의 혜성만 표시"), {}, check);
    AddItem(zu, "mnuAsteroid", 0, U("소행성 그리기"), {}, check);
    zu->addSeparator();
    QMenu* west = AddMenu(zu, nullptr, "", U("서양 별자리"));
    AddItem(west, "mnuWConName", 0, U("별자리 이름"), "Ctrl+F6", check);
    AddItem(west, "mnuWConLine", 0, U("별자리 선"), "Ctrl+F7", check);
    AddItem(west, "mnuBold", 0, U("별자리 선을 굵게.."), {}, check);
    AddItem(west, "mnuCBound", 0, U("별자리 경계선"), {}, check);
    QMenu* korean = AddMenu(zu, nullptr, "", U("한국 별자리(신법)"));
    AddItem(korean, "mnuName", 0, U("별자리 이름"), "Ctrl+F8", check);
    AddItem(korean, "mnuEConLine", 0, U("별자리 선"), "Ctrl+F9", check);
    QMenu* oldMap = AddMenu(zu, nullptr, "", U("천상열차분야지도"));
    AddItem(oldMap, "mnuChunsangName", 0, U("별자리 이름"), {}, check);
    AddItem(oldMap, "mnuChunsang", 0, U("별자리 선"), {}, check);
    zu->addSeparator();
    QMenu* custom = AddMenu(zu, nullptr, "mnuCustomCat", U("사용자 정의 목록"));
    AddItems(custom, "mnuCustom", {"사용자 정의 목록: 이름 1", "사용자 정의 목록: 이름 2"}, check);
    zu->addSeparator();
    AddItem(zu, "mnuCFilter", 0, U("별자리 설정"), "Ctrl+C");

    // 우리 별자리
    QMenu* ours = AddMenu(nullptr, &bar, "mnuKorean", U("우리 별자리(&K)"));
    QMenu* lang = AddMenu(ours, nullptr, "mnuNameLang", U("별자리 이름표 언어"));
    AddItem(lang, "mnuEConName", 0, U("한글 이름"), {}, check);
    AddItem(lang, "mnuEConNameH", 0, U("한자(영어) 이름"), {}, check);
    AddItem(ours, "mnuCpolar", 0, U("항현권/항은권"), {}, check);
    AddItem(ours, "mnuSooger", 0, U("입수도 기준선"), {}, check);
    ours->addSeparator();
    AddItem(ours, "mnuOldEqu", 0, U("적도 좌표를 12궁/거극도로 표시"), {}, check);
    AddItem(ours, "mnuIpsoo", 0, U("적도 좌표를 입수도/거극도로 표시"), {}, check);

    // 시각
    QMenu* time = AddMenu(nullptr, &bar, "mnuView", U("시각(&T)"));
    AddItem(time, "mnuNow", 0, U("지금 시각으로(&N)"), "Ctrl+I");
    AddItem(time, "mnuSetTime", 0, U("시간 설정(&S)"), "Ctrl+T");
    time->addSeparator();
    QMenu* special = AddMenu(time, nullptr, "mnuSpcTimes", U("특정 시각"));
    AddItems(special, "mnuSpcTime",
             {"자정(0 시)", "아침 천문 박명", "아침 항해 박명", "아침 시민 박명", "해 뜸", "해 남중(상정중)", "해 짐",
              "저녁 시민 박명", "저녁 항해 박명", "저녁 천문 박명", "자정(24 시 = 익일 0 시)"});
    const char* steps[] = {"+1 일", "-1 일", "+1 시간", "-1 시간", "+1 분", "-1 분", "+1 항성일", "-1 항성일"};
    const char* step_keys[] = {"F3", "F4", "F5", "F6", "F7", "F8", "", ""};
    for (int i = 0; i < 8; ++i) AddItem(time, "mnuTimeControll", i, U(steps[i]), step_keys[i]);
    time->addSeparator();
    QMenu* ani = AddMenu(time, nullptr, "mnuAni", U("주마등(&A)"));
    AddItem(ani, "mnuAnimate", 0, U("시작하기(&S)"), "Ctrl+A");
    AddItem(ani, "mnuInverse", 0, U("역행(&I)"), "Ctrl+Ins", check);
    ani->addSeparator();
    AddItem(ani, "mnuBackward", 0, U("한 단계 앞으로(&B)"), "F11");
    AddItem(ani, "mnuForward", 0, U("한 단계 뒤로(&F)"), "F12");
    ani->addSeparator();
    QMenu* interval = AddMenu(ani, nullptr, "mnuIntervals", U("시간 간격"));
    AddItems(interval, "mnuInterval",
             {"5분", "10분", "30분", "1시간", "2시간", "1일", "1항성일", "1달(30일)", "1년(365일)", "10년(3652일)",
              "100년(36524일)", "사용자 설정", "일출몰/박명 시간에 맞추기"},
             check);
    Action("mnuInterval", 3)->setChecked(true);
    ani->addSeparator();
    AddItem(ani, "mnuAniSet", 0, U("주마등 설정(&C)"));

    // 찾기
    QMenu* find = AddMenu(nullptr, &bar, "mnuFind", U("찾기(&F)"));
    AddItem(find, "mnuFindConst", 0, U("찾기(&O)"), "Ctrl+F");
    AddItem(find, "mnuFindC", 0, U("좌표로 찾기(&G)"));
    AddItem(find, "mnuCinfo", 0, U("별자리 정보(&C)"), "Ctrl+O");
    find->addSeparator();
    AddItem(find, "mnuPoint", 0, U("표지 관리(&P)"));

    // 천문 정보
    QMenu* info = AddMenu(nullptr, &bar, "mnuAstroInfo", U("천문 정보(&I)"));
    AddItem(info, "mnuSolarsys", 0, U("태양계 천체의 정보(&P)"), "F9");
    AddItem(info, "mnuDayCal", 0, U("일력(&D)"), "Ctrl+D");
    AddItem(info, "mnuToday", 0, U("오늘의 천문 현상(&A)"), "F2");
    AddItem(info, "mnuFindCon", 0, U("행성 접근 탐색기(&C)"));
    AddItem(info, "mnu24Julgi", 0, U("24절기 입기 시각과 주요 천문 현상(&T)"));
    AddItem(info, "mnuMoonTime", 0, U("월삭망 시각/식 현상(&M)"));
    AddItem(info, "mnuLuniSolar", 0, U("음양력/이슬람력 변환(&L)"));
    info->addSeparator();
    AddItem(info, "mnuTrail", 0, U("태양계 천체의 궤적(&R)"));
    AddItem(info, "mnuViewPath", 0, U("태양계 천체의 궤적 그리기"), {}, check);

    // The chart's pop-up menu, never in the menu bar.
    QMenu* right = AddMenu(nullptr, nullptr, "mnuMRight", U("마우스 오른쪽"));
    AddItems(right, "mnuObjList", {"ObjMenu 1", "ObjMenu 2", "ObjMenu 3", "ObjMenu 4", "ObjMenu 5"});
    QAction* separator = right->addSeparator();
    separator->setObjectName("mnusperate");
    actions_[{"mnusperate", 0}] = separator;
    AddItem(right, "mnuCenter", 0, U("가운데로(&C)"));
    right->addSeparator();
    AddItems(right, "mnuZoom", {"확대(&Z)", "축소(&U)"});
    right->addSeparator();
    QMenu* objTime = AddMenu(right, nullptr, "mnuObjTime", U("천체의 사건"));
    actions_[{"mnuObjTime", 0}] = objTime->menuAction();
    AddItems(objTime, "mnuObjRTS", {"뜨는 시각", "남중 시각", "지는 시각"});
    AddItem(objTime, "mnuRNow", 0, U("지금 시각으로"));
    right->addSeparator();
    AddItem(right, "mnuAddPoint", 0, U("표지 더하기"));
    AddItem(right, "mnuDrawLine", 0, U("선 그리기"), {}, check);
    AddItem(right, "mnuTrailadd", 0, U("궤적 그리기에 추가"));
    AddItem(right, "mnuTrack", 0, U("좌표 고정"));
}

}  // namespace zu
